#include "reports/Selectperioada.h"

#include <QDate>

#include "ui/Input.h"
#include "ui/Messages.h"
#include "data/Values.h"

namespace {

void setActive(QLineEdit* edit, bool active) {
    edit->clear();
    edit->setEnabled(active);
    kov::shade(edit, active ? kov::Shade::Window : kov::Shade::ButtonFace);
}

}  // namespace

TFormSelectData::TFormSelectData(QWidget* parent) : kov::FormDialog(parent) {
    ui.setupUi(this);
    setFixedSize(sizeHint().expandedTo(size()));
    for (QLineEdit* edit : {ui.Edit3, ui.Edit1, ui.Edit2}) {
        kov::forceUpperCase(edit);
    }
    kov::onEvent(ui.RadioButton1, &QRadioButton::clicked, this,
                 &TFormSelectData::RadioButton1Click);
    kov::onEvent(ui.RadioButton2, &QRadioButton::clicked, this,
                 &TFormSelectData::RadioButton2Click);
    kov::onEvent(ui.Button1, &QPushButton::clicked, this, &TFormSelectData::Button1Click);
    kov::onEvent(ui.Button2, &QPushButton::clicked, this, &TFormSelectData::Button2Click);
    kov::onEvent(ui.Button3, &QPushButton::clicked, this, &TFormSelectData::Button3Click);
    kov::onEvent(ui.BitBtn4, &QPushButton::clicked, this, &TFormSelectData::BitBtn4Click);
    connect(ui.BitBtn5, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormSelectData::FormShow() {
    setOneDayMode(true);
}

void TFormSelectData::RadioButton1Click() {
    setOneDayMode(true);
}

void TFormSelectData::RadioButton2Click() {
    setOneDayMode(false);
}

// Every switch empties all three edits, so that a date typed in one mode never reaches the
// other.
void TFormSelectData::setOneDayMode(bool oneDay) {
    ui.RadioButton1->setChecked(oneDay);
    ui.RadioButton2->setChecked(!oneDay);
    setActive(ui.Edit3, oneDay);
    ui.Button1->setEnabled(oneDay);
    setActive(ui.Edit1, !oneDay);
    setActive(ui.Edit2, !oneDay);
    ui.Button2->setEnabled(!oneDay);
    ui.Button3->setEnabled(!oneDay);
    ui.Label1->setEnabled(!oneDay);
}

void TFormSelectData::Button1Click() {
    kov::fillToday(ui.Edit3);
}

void TFormSelectData::Button2Click() {
    kov::fillToday(ui.Edit1);
}

void TFormSelectData::Button3Click() {
    kov::fillToday(ui.Edit2);
}

bool TFormSelectData::takeDate(QLineEdit* edit, QString& field) {
    const QString text = edit->text();
    if (!text.isEmpty() && !kov::parseDate(text)) {
        kov::message(QStringLiteral("Data introdusa gresit!"), QStringLiteral("Eroare!"));
        edit->setFocus();
        return false;
    }
    field = text;
    return true;
}

void TFormSelectData::BitBtn4Click() {
    if (ui.RadioButton1->isChecked()) {
        if (!takeDate(ui.Edit3, DateOn)) {
            return;
        }
    } else if (!takeDate(ui.Edit1, DateFrom) || !takeDate(ui.Edit2, DateTo)) {
        return;
    }
    done(1);
}
