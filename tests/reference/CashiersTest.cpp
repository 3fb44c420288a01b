#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "reference/Casieri.h"
#include "tests/Support.h"

namespace kov::test {

namespace {

class CashiersTest : public ::testing::Test {
  protected:
    void SetUp() override {
        t.exec("insert into casieri (nume, cnp) values('POPESCU ION', '1800101123456')");
        t.exec("insert into casieri (nume, cnp) values('ANA', '2800101123456')");
        dialog.show();
    }
    void typeName(const QString& text) {
        dialog.ui.ComboBox1->lineEdit()->selectAll();
        QTest::keyClick(dialog.ui.ComboBox1->lineEdit(), Qt::Key_Delete);
        QTest::keyClicks(dialog.ui.ComboBox1->lineEdit(), text);
    }
    void typeCnp(const QString& text) {
        dialog.ui.Edit2->selectAll();
        QTest::keyClick(dialog.ui.Edit2, Qt::Key_Delete);
        QTest::keyClicks(dialog.ui.Edit2, text);
    }
    // "Adaugare", "Stergere", "Modificare" enabled, as "1" / "0".
    QString buttons() const {
        return kov::test::enabledMask({dialog.ui.BitBtn1, dialog.ui.BitBtn2, dialog.ui.BitBtn3});
    }

    TempDatabase t;
    Modals modals;
    TFormCasieri dialog;
};

}  // namespace

TEST_F(CashiersTest, ButtonsFollowTheNameAndTheThirteenCharacterCnp) {
    EXPECT_EQ(dialog.ui.ComboBox1->count(), 2);
    EXPECT_EQ(dialog.ui.ComboBox1->itemText(0), "ANA");
    EXPECT_EQ(buttons(), "000");

    typeName("popescu io");
    EXPECT_EQ(dialog.ui.Edit2->text(), "");
    QTest::keyClicks(dialog.ui.ComboBox1->lineEdit(), "n");
    EXPECT_EQ(dialog.ui.Edit2->text(), "1800101123456");  // the stored cashier, at once
    EXPECT_TRUE(dialog.ExistingCashier);
    EXPECT_EQ(buttons(), "011");
    QTest::keyClicks(dialog.ui.ComboBox1->lineEdit(), "x");
    EXPECT_EQ(dialog.ui.Edit2->text(), "");
    EXPECT_EQ(buttons(), "000");

    const std::pair<const char*, const char*> cnps[] = {
        {"180010112345", "000"}, {"18001011234AB", "100"}, {"18001011234567", "000"}};
    for (const auto& [cnp, expected] : cnps) {
        typeCnp(cnp);
        EXPECT_EQ(buttons(), expected) << cnp;
    }
    typeName("ANA");
    for (const auto& [cnp, expected] : cnps) {
        typeCnp(cnp);
        EXPECT_EQ(buttons(), QString(expected) == "100" ? "011" : "000") << cnp;
    }

    dialog.ui.ComboBox1->setCurrentIndex(1);
    emit dialog.ui.ComboBox1->activated(1);
    EXPECT_EQ(dialog.ui.Edit2->text(), "1800101123456");
    EXPECT_EQ(buttons(), "011");
    EXPECT_TRUE(modals.boxes().empty());
}

TEST_F(CashiersTest, AddChangeAndDeleteKeepNamesAndCodesUnique) {
    modals.answer("OK").answer("OK").answer("OK");
    typeName("o'neil maria");
    typeCnp("1800101123456");  // POPESCU's code
    click(&dialog, "Adaugare");
    typeCnp("2900202123456");
    click(&dialog, "Adaugare");
    EXPECT_EQ(t.value("select cnp from casieri where nume='O''NEIL MARIA'"), "2900202123456");
    EXPECT_EQ(dialog.ui.ComboBox1->currentText(), "");  // refilled and emptied
    EXPECT_EQ(dialog.ui.ComboBox1->count(), 3);
    EXPECT_EQ(buttons(), "000");

    // Found again by name; its own unchanged code is refused, a new one taken.
    typeName("O'NEIL MARIA");
    EXPECT_EQ(dialog.ui.Edit2->text(), "2900202123456");
    click(&dialog, "Modificare");
    typeName("O'NEIL MARIA");
    typeCnp("2900202999999");
    click(&dialog, "Modificare");
    EXPECT_EQ(t.value("select cnp from casieri where nume='O''NEIL MARIA'"), "2900202999999");

    // A new name without a name: refused with a message, nothing stored.
    typeName("");
    typeCnp("1111111111111");
    EXPECT_EQ(buttons(), "100");
    click(&dialog, "Adaugare");
    EXPECT_EQ(modals.texts(),
              QStringList({"Acest CNP a mai fost introdus!", "Acest CNP a mai fost introdus!",
                           "Introduceti numele casierului!"}));
    for (const Box& box : modals.boxes()) {
        EXPECT_EQ(box.title, "Atentie!");
    }

    // Deleting asks nothing and removes every row of the name.
    t.exec("insert into casieri (nume, cnp) values('ANA', '2999999999999')");
    typeName("ANA");
    click(&dialog, "Stergere");
    EXPECT_EQ(t.rows("select nume from casieri order by nume"),
              QStringList({"O'NEIL MARIA", "POPESCU ION"}));
    EXPECT_EQ(dialog.ui.ComboBox1->count(), 2);
    EXPECT_EQ(modals.boxes().size(), 3u);
}

TEST_F(CashiersTest, DatabaseErrorsShowTheDialogsOwnMessage) {
    t.exec("drop table casieri");
    modals.answer("OK");
    QTest::keyClicks(dialog.ui.ComboBox1->lineEdit(), "A");
    ASSERT_EQ(modals.boxes().size(), 1u);
    EXPECT_EQ(modals.boxes()[0].title, "Eroare!");
    EXPECT_EQ(modals.boxes()[0].text, "Eroare la tabelul de casieri");
}

}  // namespace kov::test
