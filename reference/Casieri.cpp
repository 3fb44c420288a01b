#include "reference/Casieri.h"

#include <QLineEdit>

#include "ui/Input.h"
#include "ui/Messages.h"
#include "data/Query.h"
#include "data/Values.h"

namespace {

const QString kWarning = QStringLiteral("Atentie!");
constexpr int kCnpLength = 13;

bool exists(const QString& sql) {
    kov::Query q;
    q.setSql(sql);
    q.open();
    return !q.eof();
}

}  // namespace

TFormCasieri::TFormCasieri(QWidget* parent) : kov::FormDialog(parent) {
    ui.setupUi(this);
    kov::forceUpperCase(ui.ComboBox1);
    kov::forceUpperCase(ui.Edit2);
    kov::onEvent(ui.ComboBox1, &QComboBox::activated, this, &TFormCasieri::ComboBox1Select);
    kov::onEvent(ui.ComboBox1->lineEdit(), &QLineEdit::textEdited, this,
                 &TFormCasieri::ComboBox1KeyUp);
    kov::onEvent(ui.Edit2, &QLineEdit::textEdited, this, &TFormCasieri::Edit2KeyUp);
    kov::onEvent(ui.BitBtn1, &QPushButton::clicked, this, &TFormCasieri::BitBtn1Click);
    kov::onEvent(ui.BitBtn2, &QPushButton::clicked, this, &TFormCasieri::BitBtn2Click);
    kov::onEvent(ui.BitBtn3, &QPushButton::clicked, this, &TFormCasieri::BitBtn3Click);
    connect(ui.BitBtn4, &QPushButton::clicked, this, &QDialog::reject);
}

template <class Action>
void TFormCasieri::guardedStep(Action&& action) {
    kov::guardedWith(QStringLiteral("Eroare la tabelul de casieri"), QStringLiteral("Eroare!"),
                     std::forward<Action>(action));
}

void TFormCasieri::FormShow() {
    fill();
}

void TFormCasieri::setButtons(bool add, bool change) {
    ui.BitBtn1->setEnabled(add);
    ui.BitBtn2->setEnabled(change);
    ui.BitBtn3->setEnabled(change);
}

void TFormCasieri::fill() {
    guardedStep([this] {
        ui.ComboBox1->clear();
        kov::Query q;
        q.setSql(QStringLiteral("select * from casieri order by nume"));
        q.open();
        for (; !q.eof(); q.next()) {
            ui.ComboBox1->addItem(q.fieldByName(QStringLiteral("NUME")).asString());
        }
        ui.ComboBox1->setCurrentIndex(-1);
        ui.ComboBox1->setEditText(QString());
        ui.Edit2->clear();
        setButtons(false, false);
        ExistingCashier = false;
    });
}

// The CNP of the cashier named in the name field, or an empty field for a new name.
void TFormCasieri::findCashier() {
    guardedStep([this] {
        kov::Query q;
        q.setSql("select * from casieri where nume=" + kov::quoted(ui.ComboBox1->currentText()));
        q.open();
        ExistingCashier = !q.eof();
        ui.Edit2->setText(ExistingCashier ? q.fieldByName(QStringLiteral("CNP")).asString()
                                          : QString());
        setButtons(false, ExistingCashier);
    });
}

void TFormCasieri::ComboBox1Select() {
    findCashier();
}

void TFormCasieri::ComboBox1KeyUp() {
    findCashier();
}

void TFormCasieri::Edit2KeyUp() {
    if (ui.Edit2->text().size() != kCnpLength) {
        setButtons(false, false);
        return;
    }
    setButtons(!ExistingCashier, ExistingCashier);
}

void TFormCasieri::BitBtn1Click() {
    const QString name = ui.ComboBox1->currentText();
    const QString cnp = ui.Edit2->text();
    if (name.isEmpty()) {
        kov::message(QStringLiteral("Introduceti numele casierului!"), kWarning);
        ui.ComboBox1->setFocus();
        return;
    }
    bool added = false;
    guardedStep([&] {
        if (exists("select * from casieri where nume=" + kov::quoted(name))) {
            kov::message(QStringLiteral("Acest nume a mai fost introdus!"), kWarning);
            return;
        }
        if (exists("select * from casieri where cnp=" + kov::quoted(cnp))) {
            kov::message(QStringLiteral("Acest CNP a mai fost introdus!"), kWarning);
            return;
        }
        kov::Query q;
        q.setSql("insert into casieri (nume,cnp) values(" + kov::quoted(name) + "," +
                 kov::quoted(cnp) + ")");
        q.execSql();
        added = true;
    });
    if (added) {
        fill();
    }
}

// Asks nothing: the button is only enabled for a stored cashier.
void TFormCasieri::BitBtn2Click() {
    kov::Query q;
    q.setSql("delete from casieri where nume=" + kov::quoted(ui.ComboBox1->currentText()));
    q.execSql();
    fill();
}

void TFormCasieri::BitBtn3Click() {
    const QString cnp = ui.Edit2->text();
    bool changed = false;
    guardedStep([&] {
        if (exists("select * from casieri where cnp=" + kov::quoted(cnp))) {
            kov::message(QStringLiteral("Acest CNP a mai fost introdus!"), kWarning);
            return;
        }
        kov::Query q;
        q.setSql("update casieri set cnp=" + kov::quoted(cnp) +
                 " where nume=" + kov::quoted(ui.ComboBox1->currentText()));
        q.execSql();
        changed = true;
    });
    if (changed) {
        fill();
    }
}
