#include "app/Selectarefirma.h"

#include <QComboBox>

#include "ui/Messages.h"

TFormSelectFirma::TFormSelectFirma(QWidget* parent) : kov::FormDialog(parent) {
    ui.setupUi(this);
    lists_ = CompanyLists(ui.Edit1, ui.ComboBox2, ui.ComboBox3, [this](long long tva) {
        ui.Label4->setText(tva == 1 ? QStringLiteral("Platitoare de TVA")
                                    : QStringLiteral("Neplatitoare de TVA"));
    });
    kov::onEvent(ui.ComboBox2, &QComboBox::activated, this, &TFormSelectFirma::ComboBox2Change);
    kov::onEvent(ui.ComboBox3, &QComboBox::activated, this, &TFormSelectFirma::ComboBox3Change);
    connect(ui.BitBtn2, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui.BitBtn5, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormSelectFirma::FormShow() {
    ui.BitBtn2->setEnabled(false);
    lists_.fill();
}

void TFormSelectFirma::ComboBox2Change() {
    lists_.pickName();
    ui.BitBtn2->setEnabled(true);
}

void TFormSelectFirma::ComboBox3Change() {
    lists_.pickCode();
    ui.BitBtn2->setEnabled(true);
}
