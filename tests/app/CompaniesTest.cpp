#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "app/Adaugarefirmanoua.h"
#include "app/Selectarefirma.h"
#include "tests/app/AppFixture.h"

namespace kov::test {

namespace {

void type(TFormAdaugModificFirmaNoua* d, const QString& description, const QString& name,
          const QString& code) {
    d->ui.Edit1->clear();
    d->ui.ComboBox2->setEditText({});
    d->ui.ComboBox3->setEditText({});
    QTest::keyClicks(d->ui.Edit1, description);
    QTest::keyClicks(d->ui.ComboBox2, name);
    QTest::keyClicks(d->ui.ComboBox3, code);
}

void pick(QComboBox* combo, const QString& text) {
    const int index = combo->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

}  // namespace

class CompaniesTest : public AppTest {
  protected:
    void SetUp() override {
        prepareDatabase({});
        start();
        dialog = FormAdaugModificFirmaNoua;
        dialog->show();
    }
    TFormAdaugModificFirmaNoua* dialog = nullptr;
};

TEST_F(CompaniesTest, AddingChecksTheFiscalCodeFirstAndWritesTheCompanyWithItsCounters) {
    type(dialog, "cabinet", "o'neil srl", "ro10");
    dialog->ui.RadioButton2->setChecked(true);
    click(dialog, "Adaugare");
    EXPECT_EQ(rows("select descriere, nume, codfiscal, tva from datefirma"),
              QStringList({"CABINET|O'NEIL SRL|RO10|2"}));
    EXPECT_EQ(rows("select * from numere"), QStringList({"RO10|0|0"}));
    EXPECT_TRUE(FormMain->Database1.log().contains(
        "insert into datefirma (descriere,nume,codfiscal,tva) values('CABINET','O''NEIL "
        "SRL','RO10',2)"));
    EXPECT_TRUE(dialog->ui.ComboBox2->currentText().isEmpty());  // refilled and emptied
    EXPECT_EQ(dialog->ui.ComboBox2->count(), 1);

    // The same fiscal code under another name, then the missing fields.
    modals.answer("OK").answer("OK").answer("OK");
    type(dialog, "", "ALTA SRL", "RO10");
    click(dialog, "Adaugare");
    type(dialog, "", "", "RO11");
    click(dialog, "Adaugare");
    type(dialog, "", "ALTA SRL", "");
    click(dialog, "Adaugare");
    EXPECT_EQ(modals.texts(),
              QStringList({"Aceasta firma a mai fost introdusa!",
                           "Nu ati introdus denumirea firmei!", "Nu ati introdus codul fiscal!"}));
    EXPECT_EQ(modals.boxes()[0].title, "Atentie!");
    EXPECT_EQ(rows("select count(*) from datefirma"), QStringList({"1"}));
}

TEST_F(CompaniesTest, PickingANameOrACodeFillsTheOtherFields) {
    type(dialog, "", "ZETA SRL", "RO1");
    click(dialog, "Adaugare");
    type(dialog, "PFA", "ALFA", "RO2");
    dialog->ui.RadioButton2->setChecked(true);
    click(dialog, "Adaugare");
    pick(dialog->ui.ComboBox2, "ZETA SRL");
    EXPECT_EQ(dialog->ui.ComboBox3->currentText(), "RO1");
    EXPECT_TRUE(dialog->ui.RadioButton1->isChecked());
    pick(dialog->ui.ComboBox3, "RO2");
    EXPECT_EQ(dialog->ui.ComboBox2->currentText(), "ALFA");
    EXPECT_EQ(dialog->ui.Edit1->text(), "PFA");
    EXPECT_TRUE(dialog->ui.RadioButton2->isChecked());
}

TEST_F(CompaniesTest, DeletingACompanyRemovesItsDocumentsAndCountersOnly) {
    type(dialog, "", "ALFA SRL", "RO1");
    click(dialog, "Adaugare");
    type(dialog, "", "BETA SRL", "RO2");
    click(dialog, "Adaugare");
    for (const char* code : {"RO1", "RO2"}) {
        const QString c = QString::fromLatin1(code);
        FormMain->Database1.execute(
            "insert into facturi (CODFISCAL,NRFACTURA,DATA,SUMA,FARATVA,PROCENTTVA,TVA,PLATIT,"
            "RESTANT,CODCLIENT,FELFACTURA) values(" +
            quoted(c) + ",'1','2004-03-01',119.00,100.00,19,19.00,0,119.00,'C1','E')");
        FormMain->Database1.execute(
            "insert into operatiuni (CODFISCAL,DATA,NRDOC,FELOPERATIE,EXPLICATIE,SUMA,FARATVA,"
            "BANCA,DEFALCARE,TIP,OBSERVATII,REGISTRU) values(" +
            quoted(c) + ",'2004-03-01','CH. 1','X','',119.00,100.00,0,0,'incasare','',1)");
    }
    // Nothing happens without both fields, nor when the confirmation is refused.
    click(dialog, "Stergere");
    pick(dialog->ui.ComboBox3, "RO1");
    modals.answer("Renuntare");
    click(dialog, "Stergere");
    EXPECT_EQ(rows("select count(*) from facturi"), QStringList({"2"}));

    pick(dialog->ui.ComboBox3, "RO1");
    modals.answer("Acceptare");
    click(dialog, "Stergere");
    EXPECT_EQ(modals.pending(), 0u);
    for (const char* table : {"datefirma", "facturi", "operatiuni", "numere"}) {
        EXPECT_EQ(rows(QStringLiteral("select codfiscal from ") + table), QStringList({"RO2"}))
            << table;
    }
    EXPECT_EQ(dialog->ui.ComboBox3->count(), 1);
}

TEST_F(CompaniesTest, AFailedDeletionLeavesEverythingAndTheTypedFields) {
    type(dialog, "", "ALFA SRL", "RO1");
    click(dialog, "Adaugare");
    FormMain->Database1.execute(
        "insert into facturi (CODFISCAL,NRFACTURA,DATA,SUMA,FARATVA,PROCENTTVA,TVA,PLATIT,RESTANT,"
        "CODCLIENT,FELFACTURA) values('RO1','1','2004-03-01',119.00,100.00,19,19.00,0,119.00,'C1',"
        "'E')");
    FormMain->Database1.execute(
        "CREATE TEMP TRIGGER blocat BEFORE DELETE ON facturi BEGIN SELECT RAISE(ABORT, 'facturi "
        "blocate'); END");
    pick(dialog->ui.ComboBox2, "ALFA SRL");
    modals.answer("Acceptare").answer("OK");
    click(dialog, "Stergere");
    ASSERT_EQ(modals.boxes().size(), 1u);
    EXPECT_EQ(modals.boxes()[0].title, "Kovaline");
    EXPECT_EQ(modals.boxes()[0].text, "facturi blocate");
    EXPECT_EQ(rows("select count(*) from datefirma"), QStringList({"1"}));
    EXPECT_EQ(rows("select count(*) from facturi"), QStringList({"1"}));
    EXPECT_EQ(rows("select count(*) from numere"), QStringList({"1"}));
    EXPECT_EQ(dialog->ui.ComboBox3->currentText(), "RO1");
}

TEST_F(CompaniesTest, SelectionDialogStartsEmptyWithAcceptanceDisabled) {
    type(dialog, "", "ALFA SRL", "RO1");
    click(dialog, "Adaugare");
    type(dialog, "", "ALFA SRL", "RO2");  // two companies with one name
    click(dialog, "Adaugare");
    dialog->hide();
    FormSelectFirma->show();
    EXPECT_FALSE(FormSelectFirma->ui.BitBtn2->isEnabled());
    EXPECT_EQ(FormSelectFirma->ui.ComboBox2->currentIndex(), -1);
    pick(FormSelectFirma->ui.ComboBox2, "ALFA SRL");
    EXPECT_EQ(FormSelectFirma->ui.ComboBox3->currentText(), "RO1");  // the first row returned
    EXPECT_TRUE(FormSelectFirma->ui.BitBtn2->isEnabled());
}

}  // namespace kov::test
