#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "data/Values.h"
#include "efactura/Counties.h"
#include "reference/Adaugfirma.h"
#include "tests/Support.h"

namespace kov::test {

namespace {

const QString kColumns = QStringLiteral(
    "select cod, denumire, dataulmi, soldd, soldc, tipsold, sold, obs, codfiscal, loc, contbanca, "
    "denbanca, delegat, judet, biseria, binr, bielib, trans, transnr, adresa from firme");

void retype(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

class PartnerDialogTest : public ::testing::Test {
  protected:
    // Shows the dialog in add mode and types the three required fields.
    void openForAdd(const QString& code, const QString& name, const QString& fiscalCode) {
        dialog.AddMode = true;
        dialog.show();
        QTest::keyClicks(dialog.ui.Edit1, code);
        QTest::keyClicks(dialog.ui.Edit2, name);
        QTest::keyClicks(dialog.ui.Edit3, fiscalCode);
    }
    void add() {
        dialog.setResult(QDialog::Rejected);
        click(&dialog, "Adaugare");
        EXPECT_EQ(dialog.result(), QDialog::Accepted);  // whatever happened
        dialog.hide();
    }
    void addPartner(const QString& code, const QString& fiscalCode, const QString& county) {
        t.exec("insert into firme (cod, denumire, codfiscal, judet, delegat, binr) values(" +
               kov::quoted(code) + ", 'PARTENER', " + kov::quoted(fiscalCode) + ", " +
               kov::quoted(county) + ", 'ION', '123')");
    }

    TempDatabase t;
    Modals modals;
    TFormAdaugareFirma dialog;
};

}  // namespace

TEST_F(PartnerDialogTest, AddModeStoresEveryFieldAndTheOpeningBalanceSide) {
    ASSERT_EQ(kov::countyNames().size(), 47);
    EXPECT_EQ(dialog.ui.ComboBox1->itemText(22), "GIURGIU");
    EXPECT_EQ(dialog.ui.ComboBox1->itemText(46), "SECTOR AGR ILFOV");

    openForAdd("c'1", "o'neil srl", "ro1");
    EXPECT_EQ(dialog.ui.ComboBox1->currentText(), "ARAD");
    EXPECT_FALSE(dialog.ui.BitBtn3->isEnabled());
    EXPECT_EQ(dialog.ui.Edit14->text(), "0");
    QTest::keyClicks(dialog.ui.Edit4, "arad");
    QTest::keyClicks(dialog.ui.Edit5, "str. unirii 1");
    QTest::keyClicks(dialog.ui.Edit12, "bcr");
    QTest::keyClicks(dialog.ui.Edit13, "ro49");
    QTest::keyClicks(dialog.ui.Edit6, "popescu");
    QTest::keyClicks(dialog.ui.Edit7, "arx");  // two characters at most
    QTest::keyClicks(dialog.ui.Edit8, "123");
    QTest::keyClicks(dialog.ui.Edit9, "pol");
    QTest::keyClicks(dialog.ui.Edit10, "auto");
    QTest::keyClicks(dialog.ui.Edit11, "ar01abc");
    dialog.ui.ComboBox1->setCurrentIndex(0);
    // A credit typed after a debit zeroes the debit, and the user's credit stays.
    retype(dialog.ui.Edit14, "20");
    retype(dialog.ui.Edit15, "150");
    EXPECT_EQ(dialog.ui.Edit14->text(), "0");
    retype(dialog.ui.Edit14, "150");
    EXPECT_EQ(dialog.ui.Edit15->text(), "0");
    EXPECT_EQ(dialog.ui.Edit14->text(), "150");
    add();
    EXPECT_EQ(t.rows(kColumns),
              QStringList({"C'1|O'NEIL SRL|30.06.2003|150|0|D|150||RO1|ARAD|BCR|RO49|POPESCU|ALBA|"
                           "AR|123|POL|AUTO|AR01ABC|STR. UNIRII 1"}));
    EXPECT_TRUE(t.db().log().contains(
        "insert into firme (COD,DENUMIRE,DATAULMI,SOLDD,SOLDC,TIPSOLD,SOLD,OBS,CODFISCAL,LOC,"
        "CONTBANCA,DENBANCA,DELEGAT,JUDET,BISERIA,BINR,BIELIB,TRANS,TRANSNR,ADRESA) "
        "values('C''1','O''NEIL "
        "SRL','2003-06-30',150,0,'D',150.00,'','RO1','ARAD','BCR','RO49','POPESCU','ALBA','AR',"
        "'123','POL','AUTO','AR01ABC','STR. UNIRII 1')"));
    EXPECT_EQ(dialog.NewPartnerCode, "C'1");

    // The dialog starts afresh for the next partner.
    openForAdd("C2", "DOI", "RO2");
    EXPECT_EQ(dialog.ui.Edit6->text(), "");
    retype(dialog.ui.Edit15, "80");
    add();
    openForAdd("C3", "TREI", "RO3");
    add();
    EXPECT_EQ(t.rows("select cod, soldd, soldc, tipsold, sold from firme where cod<>'C''1' "
                     "order by cod"),
              QStringList({"C2|0|80|C|80", "C3|0|0|C|0"}));
    const QStringList log = t.db().log();
    EXPECT_TRUE(log.filter(",0,80,'C',80.00,'','RO2'").size() == 1);
    EXPECT_TRUE(log.filter(",0,0,'C',0.00,'','RO3'").size() == 1);
    EXPECT_EQ(dialog.NewPartnerCode, "C3");
    EXPECT_TRUE(modals.boxes().empty());
}

TEST_F(PartnerDialogTest, RefusedAddsWriteNothingAndStillCloseWithOk) {
    addPartner("P1", "RO1", "ARAD");
    dialog.NewPartnerCode = "P1";
    modals.answer("OK").answer("OK").answer("OK").answer("OK");

    openForAdd("P2", "", "RO2");
    add();
    openForAdd("P2", "ALT NUME", "RO1");  // a new code, the fiscal code of P1
    add();
    openForAdd("P1", "ALT NUME", "RO9");
    add();
    // Letters in the debit field: the credit side is chosen, but no number, no insert.
    EXPECT_EQ(openingBalance("ABC", "0").side, "C");
    EXPECT_EQ(openingBalance("", "").side, "D");
    openForAdd("P3", "TREI", "RO3");
    retype(dialog.ui.Edit14, "ABC");
    add();

    ASSERT_EQ(modals.boxes().size(), 4u);
    const QString duplicate =
        "In baza de date exista deja o firma cu acest cod sau cu acelasi "
        "cod fiscal. Introduceti un alt cod.";
    EXPECT_EQ(modals.texts(),
              QStringList({"Date incomplete!", duplicate, duplicate, "Eroare baza de date!"}));
    for (const Box& box : modals.boxes()) {
        EXPECT_EQ(box.title, "Atentie !");
    }
    EXPECT_EQ(t.rows("select cod from firme"), QStringList({"P1"}));
    EXPECT_TRUE(t.db().log().filter("insert into firme (COD").isEmpty());
    EXPECT_EQ(dialog.NewPartnerCode, "P1");
}

TEST_F(PartnerDialogTest, DelegateModeEditsOnlyTheDelegateOfTheNamedPartner) {
    addPartner("P'1", "RO1", "ILFOV");  // a county the list does not hold
    addPartner("P2", "RO2", "CLUJ");
    dialog.AddMode = false;
    dialog.ui.Edit1->setText("P'1");
    dialog.show();
    EXPECT_EQ(dialog.ui.ComboBox1->currentIndex(), -1);
    EXPECT_EQ(dialog.ui.Edit3->text(), "RO1");
    EXPECT_EQ(dialog.ui.Edit6->text(), "ION");
    EXPECT_FALSE(dialog.ui.Edit1->isEnabled());
    EXPECT_FALSE(dialog.ui.BitBtn1->isEnabled());
    EXPECT_TRUE(dialog.ui.BitBtn3->isEnabled());
    EXPECT_TRUE(dialog.ui.BitBtn3->text().isEmpty());
    EXPECT_FALSE(dialog.ui.BitBtn3->toolTip().isEmpty());

    retype(dialog.ui.Edit6, "o'brien");
    retype(dialog.ui.Edit8, "999");
    dialog.setResult(QDialog::Rejected);
    dialog.ui.BitBtn3->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(t.rows("select cod, delegat, binr, judet from firme order by cod"),
              QStringList({"P'1|O'BRIEN|999|ILFOV", "P2|ION|123|CLUJ"}));
    dialog.hide();

    // The county is found again for a partner that has one of the list.
    dialog.ui.Edit1->setText("P2");
    dialog.show();
    EXPECT_EQ(dialog.ui.ComboBox1->currentText(), "CLUJ");
    EXPECT_TRUE(modals.boxes().empty());

    // The address the e-Factura file needs is completed here; the other firm data stay.
    EXPECT_EQ(enabledMask({dialog.ui.Edit5, dialog.ui.Edit4, dialog.ui.ComboBox1, dialog.ui.Edit2,
                           dialog.ui.Edit3}),
              "11100");
    retype(dialog.ui.Edit5, "str. lunga 2");
    retype(dialog.ui.Edit4, "dej");
    dialog.ui.ComboBox1->setCurrentIndex(0);
    dialog.ui.BitBtn3->click();
    EXPECT_EQ(t.rows("select cod, adresa, loc, judet, codfiscal from firme order by cod"),
              QStringList({"P'1|||ILFOV|RO1", "P2|STR. LUNGA 2|DEJ|ALBA|RO2"}));
}

}  // namespace kov::test

namespace kov::test {

// Coming back from minimized is a show by the window system: what the user typed stays. A
// showing by the program resets the fields, the balances to "0" also in delegate mode.
TEST_F(PartnerDialogTest, RestoringFromMinimizedKeepsTheTypingAndEveryShowingResetsIt) {
    openForAdd("c1", "alfa srl", "ro1");
    dialog.ui.ComboBox1->setCurrentIndex(0);
    retype(dialog.ui.Edit14, "20");
    dialog.showMinimized();
    waitFor([this] { return dialog.isMinimized(); }, 500);
    dialog.showNormal();
    ASSERT_TRUE(waitFor([this] { return dialog.isVisible() && !dialog.isMinimized(); }));
    EXPECT_EQ(dialog.ui.Edit2->text(), "ALFA SRL");
    EXPECT_EQ(dialog.ui.Edit14->text(), "20");
    EXPECT_EQ(dialog.ui.ComboBox1->currentText(), "ALBA");

    dialog.hide();
    dialog.show();
    EXPECT_EQ(dialog.ui.Edit2->text(), "");
    EXPECT_EQ(dialog.ui.Edit14->text(), "0");
    EXPECT_EQ(dialog.ui.ComboBox1->currentText(), "ARAD");

    addPartner("P1", "RO9", "CLUJ");
    dialog.hide();
    dialog.ui.Edit14->setText("20");
    dialog.ui.Edit15->setText("30");
    dialog.AddMode = false;
    dialog.ui.Edit1->setText("P1");
    dialog.show();
    EXPECT_EQ(dialog.ui.Edit3->text(), "RO9");
    EXPECT_EQ(dialog.ui.Edit14->text(), "0");
    EXPECT_EQ(dialog.ui.Edit15->text(), "0");
}

}  // namespace kov::test
