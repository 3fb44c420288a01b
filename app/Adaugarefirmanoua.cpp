#include "app/Adaugarefirmanoua.h"

#include "app/Atentie.h"
#include "data/Query.h"
#include "data/Values.h"
#include "ui/Globals.h"
#include "ui/Input.h"
#include "ui/Messages.h"

TFormAdaugModificFirmaNoua::TFormAdaugModificFirmaNoua(QWidget* parent) : kov::FormDialog(parent) {
    ui.setupUi(this);
    lists_ = CompanyLists(ui.Edit1, ui.ComboBox2, ui.ComboBox3, [this](long long tva) {
        (tva == 1 ? ui.RadioButton1 : ui.RadioButton2)->setChecked(true);
    });
    kov::forceUpperCase(ui.Edit1);
    kov::forceUpperCase(ui.ComboBox2);
    kov::forceUpperCase(ui.ComboBox3);
    kov::onEvent(ui.ComboBox2, &QComboBox::activated, this,
                 &TFormAdaugModificFirmaNoua::ComboBox2Change);
    kov::onEvent(ui.ComboBox3, &QComboBox::activated, this,
                 &TFormAdaugModificFirmaNoua::ComboBox3Change);
    kov::onEvent(ui.BitBtn1, &QPushButton::clicked, this,
                 &TFormAdaugModificFirmaNoua::BitBtn1Click);
    kov::onEvent(ui.BitBtn2, &QPushButton::clicked, this,
                 &TFormAdaugModificFirmaNoua::BitBtn2Click);
    connect(ui.BitBtn5, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormAdaugModificFirmaNoua::FormShow() {
    lists_.fill();
}

void TFormAdaugModificFirmaNoua::ComboBox2Change() {
    lists_.pickName();
}

void TFormAdaugModificFirmaNoua::ComboBox3Change() {
    lists_.pickCode();
}

void TFormAdaugModificFirmaNoua::BitBtn1Click() {
    const QString name = ui.ComboBox2->currentText();
    const QString code = ui.ComboBox3->currentText();
    kov::Query q;
    q.setSql("select * from datefirma where codfiscal=" + kov::quoted(code));
    q.open();
    if (!q.eof()) {
        kov::message(QStringLiteral("Aceasta firma a mai fost introdusa!"),
                     QStringLiteral("Atentie!"));
        return;
    }
    if (name.isEmpty()) {
        kov::message(QStringLiteral("Nu ati introdus denumirea firmei!"),
                     QStringLiteral("Atentie!"));
        return;
    }
    if (code.isEmpty()) {
        kov::message(QStringLiteral("Nu ati introdus codul fiscal!"), QStringLiteral("Atentie!"));
        return;
    }
    const QString tva = ui.RadioButton1->isChecked() ? QStringLiteral("1") : QStringLiteral("2");
    kov::Transaction transaction;
    q.setSql("insert into datefirma (descriere,nume,codfiscal,tva) values(" +
             kov::quoted(ui.Edit1->text()) + "," + kov::quoted(name) + "," + kov::quoted(code) +
             "," + tva + ")");
    q.execSql();
    q.setSql("insert into numere (codfiscal,nrfactura,nrchitanta) values (" + kov::quoted(code) +
             ",0,0)");
    q.execSql();
    transaction.commit();
    lists_.fill();
}

void TFormAdaugModificFirmaNoua::BitBtn2Click() {
    const QString code = ui.ComboBox3->currentText();
    if (ui.ComboBox2->currentText().isEmpty() || code.isEmpty()) {
        return;
    }
    if (FormAtentie->exec() != QDialog::Accepted) {
        return;
    }
    kov::Transaction transaction;
    kov::Query q;
    for (const char* table : {"datefirma", "operatiuni", "facturi", "numere"}) {
        q.setSql(QStringLiteral("delete from ") + QLatin1String(table) +
                 " where codfiscal=" + kov::quoted(code));
        q.execSql();
    }
    transaction.commit();
    lists_.fill();
}
