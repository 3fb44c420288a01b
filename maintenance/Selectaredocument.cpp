#include "maintenance/Selectaredocument.h"

#include <QMouseEvent>
#include <QTreeWidget>

TFormSelectareDocument::TFormSelectareDocument(QWidget* parent) : kov::FormDialog(parent) {
    ui.setupUi(this);
    ui.ListView1->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // Clicks on empty space matter too, and only the viewport sees them.
    ui.ListView1->viewport()->installEventFilter(this);
    kov::onEvent(ui.BitBtn4, &QPushButton::clicked, this, &TFormSelectareDocument::BitBtn4Click);
    connect(ui.BitBtn5, &QPushButton::clicked, this, &QDialog::reject);
}

// An earlier choice must never come back: "Acceptare" without a click returns nothing.
void TFormSelectareDocument::FormShow() {
    ChosenNumber.clear();
    ChosenId = 0;
    ui.ListView1->setCurrentItem(nullptr);  // no row may look chosen when none is
    ui.ListView1->clearSelection();
    ui.ListView1->setFocus();
}

bool TFormSelectareDocument::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui.ListView1->viewport() && (event->type() == QEvent::MouseButtonPress ||
                                                event->type() == QEvent::MouseButtonDblClick)) {
        QTreeWidgetItem* item =
            ui.ListView1->itemAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        kov::guarded([&] {
            if (event->type() == QEvent::MouseButtonPress) {
                ListView1Click(item);
            } else {
                ListView1DblClick(item);
            }
        });
    }
    return kov::FormDialog::eventFilter(watched, event);
}

void TFormSelectareDocument::ListView1Click(QTreeWidgetItem* item) {
    ChosenNumber = item ? item->text(0) : QString();
    ChosenId = item ? item->data(0, Qt::UserRole).toLongLong() : 0;
}

void TFormSelectareDocument::ListView1DblClick(QTreeWidgetItem* item) {
    ListView1Click(item);
    if (item) {
        done(1);
    }
}

void TFormSelectareDocument::BitBtn4Click() {
    done(1);
}

void TFormSelectareDocument::clearRows() {
    ui.ListView1->clear();
}

void TFormSelectareDocument::addRow(const QString& number, const QString& date,
                                    const QString& counterpart, long long id) {
    auto* item = new QTreeWidgetItem(ui.ListView1, {number, date, counterpart});
    item->setData(0, Qt::UserRole, id);
    item->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
}
