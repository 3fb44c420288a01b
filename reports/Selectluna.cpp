#include "reports/Selectluna.h"

#include <QDate>

#include "ui/Messages.h"

namespace {
// The first year the books can hold.
constexpr int kFirstYear = 2002;
}  // namespace

TFormSelectLuna::TFormSelectLuna(QWidget* parent) : kov::FormDialog(parent) {
    ui.setupUi(this);
    setFixedSize(sizeHint().expandedTo(size()));
    kov::onEvent(ui.BitBtn1, &QPushButton::clicked, this, &TFormSelectLuna::BitBtn1Click);
    connect(ui.BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormSelectLuna::FormShow() {
    const QDate today = QDate::currentDate();
    ui.ComboBox1->setCurrentIndex(today.month() - 1);
    ui.ComboBox1->setFocus();
    // The list runs to next year, so that the current year can always be chosen.
    ui.ComboBox2->clear();
    for (int year = kFirstYear; year <= today.year() + 1; ++year) {
        ui.ComboBox2->addItem(QString::number(year));
    }
    ui.ComboBox2->setCurrentIndex(ui.ComboBox2->findText(QString::number(today.year())));
}

void TFormSelectLuna::BitBtn1Click() {
    SelectedMonth = ui.ComboBox1->currentIndex() + 1;
    SelectedYear = ui.ComboBox2->currentText().toInt();
    done(1);
}
