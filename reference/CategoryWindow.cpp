#include "reference/CategoryWindow.h"

#include <QMouseEvent>

#include "books/Categories.h"
#include "data/Query.h"
#include "data/Values.h"
#include "ui/Input.h"
#include "ui/Messages.h"

CategoryWindow::CategoryWindow(QChar kind, const QString& title, QWidget* parent)
    : kov::FormDialog(parent), kind_(kind) {
    ui.setupUi(this);
    setWindowTitle(title);
    kov::forceLowerCase(ui.Edit1);
    ui.ListView1->viewport()->installEventFilter(this);
    kov::onEvent(ui.Edit1, &QLineEdit::textEdited, this, &CategoryWindow::Edit1KeyUp);
    kov::onEvent(ui.BitBtn1, &QPushButton::clicked, this, &CategoryWindow::BitBtn1Click);
    kov::onEvent(ui.BitBtn2, &QPushButton::clicked, this, &CategoryWindow::BitBtn2Click);
    kov::onEvent(ui.BitBtn3, &QPushButton::clicked, this, &CategoryWindow::BitBtn3Click);
    connect(ui.BitBtn5, &QPushButton::clicked, this, &QDialog::reject);
}

bool CategoryWindow::eventFilter(QObject* watched, QEvent* event) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (watched == ui.ListView1->viewport() && event->type() == QEvent::MouseButtonRelease &&
        mouse->button() == Qt::LeftButton) {
        // A click beside the rows leaves no row selected.
        if (!ui.ListView1->itemAt(mouse->position().toPoint())) {
            ui.ListView1->clearSelection();
        }
        kov::guarded([this] { ListView1Click(); });
    }
    return QDialog::eventFilter(watched, event);
}

void CategoryWindow::FormShow() {
    refresh();
}

void CategoryWindow::refresh() {
    ui.ListView1->clear();
    kov::Query q;
    q.setSql("select * from defalcari where tip=" + kov::quoted(kind_) + " order by denumire");
    for (q.open(); !q.eof(); q.next()) {
        auto* row = new QTreeWidgetItem(ui.ListView1);
        row->setText(0, q.fieldByName(QStringLiteral("DENUMIRE")).asString());
    }
    ui.Edit1->clear();
    ui.BitBtn1->setEnabled(false);
    ui.BitBtn2->setEnabled(false);
    ui.BitBtn3->setEnabled(false);
    ui.Edit1->setFocus();
}

void CategoryWindow::ListView1Click() {
    const auto selected = ui.ListView1->selectedItems();
    if (selected.isEmpty()) {
        ui.Edit1->setFocus();
        return;
    }
    OldName = selected.first()->text(0);
    ui.Edit1->setText(OldName);
    ui.BitBtn1->setEnabled(false);
    ui.BitBtn2->setEnabled(true);
    ui.BitBtn3->setEnabled(true);
}

void CategoryWindow::Edit1KeyUp() {
    if (!ui.Edit1->text().isEmpty()) {
        ui.BitBtn1->setEnabled(true);
    }
}

bool CategoryWindow::nameTaken(const QString& name) const {
    kov::Query q;
    q.setSql("select * from defalcari where denumire=" + kov::quoted(name) +
             " and tip=" + kov::quoted(kind_));
    q.open();
    return !q.eof();
}

void CategoryWindow::refuseDuplicate() {
    kov::message(QStringLiteral("Acesta categorie a mai fost introdusa!"),
                 QStringLiteral("Atentie!"));
    ui.Edit1->setFocus();
}

// The name's check and the number's choice are made in the write transaction that adds the
// category, so that another program adding one at the same time cannot slip in between.
void CategoryWindow::BitBtn1Click() {
    const QString name = ui.Edit1->text();
    if (name.isEmpty()) {
        return;
    }
    bool taken = false;
    std::optional<long long> added;
    {
        kov::Transaction transaction;
        taken = nameTaken(name);
        if (!taken) {
            added = kov::addCategory(kind_, name);
            transaction.commit();
        }
    }
    if (taken) {
        refuseDuplicate();
        ui.BitBtn1->setEnabled(false);
        return;
    }
    if (!added) {
        kov::message(QStringLiteral("Nu mai sunt numere libere pentru defalcari!"),
                     QStringLiteral("Atentie!"));
        ui.Edit1->setFocus();
        return;
    }
    refresh();
}

void CategoryWindow::BitBtn2Click() {
    // The category the user picked, even when the edit was changed since.
    kov::Query q;
    q.setSql("delete from defalcari where denumire=" + kov::quoted(OldName) +
             " and tip=" + kov::quoted(kind_));
    q.execSql();
    refresh();
}

void CategoryWindow::BitBtn3Click() {
    const QString name = ui.Edit1->text();
    if (name.isEmpty()) {
        kov::message(QStringLiteral("Introduceti denumirea defalcarii!"),
                     QStringLiteral("Eroare!"));
        ui.Edit1->setFocus();
        return;
    }
    if (nameTaken(name)) {
        refuseDuplicate();
        return;
    }
    kov::Query q;
    q.setSql("update defalcari set denumire=" + kov::quoted(name) +
             " where denumire=" + kov::quoted(OldName) + " and tip=" + kov::quoted(kind_));
    q.execSql();
    refresh();
}
