#include <gtest/gtest.h>

#include <QTest>

#include "data/Query.h"
#include "reference/Defalcari.h"
#include "reference/Defalcariven.h"
#include "tests/Support.h"

using kov::test::Modals;
using kov::test::TempDatabase;

namespace {

class Categories : public ::testing::Test {
  protected:
    void type(CategoryWindow& w, const QString& text) {
        w.ui.Edit1->selectAll();
        QTest::keyClick(w.ui.Edit1, Qt::Key_Backspace);
        QTest::keyClicks(w.ui.Edit1, text);
    }

    void clickRow(CategoryWindow& w, const QString& name) {
        const auto found = w.ui.ListView1->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        QTest::mouseClick(w.ui.ListView1->viewport(), Qt::LeftButton, {},
                          w.ui.ListView1->visualItemRect(found.first()).center());
    }

    static QStringList listed(const CategoryWindow& w) {
        QStringList out;
        for (int i = 0; i < w.ui.ListView1->topLevelItemCount(); ++i) {
            out << w.ui.ListView1->topLevelItem(i)->text(0);
        }
        return out;
    }

    // Adaugare, Stergere, Modificare: 1 enabled, 0 disabled.
    static QString buttons(const CategoryWindow& w) {
        return kov::test::enabledMask({w.ui.BitBtn1, w.ui.BitBtn2, w.ui.BitBtn3});
    }

    TempDatabase t;
    Modals modals;
    TFormDefalcari expenses;
    TFormDefalcariVenituri incomes;
};

}  // namespace

TEST_F(Categories, AddStoresLowerCaseNamesOncePerKindWithAFreshNumber) {
    expenses.show();
    EXPECT_EQ(buttons(expenses), "000");
    type(expenses, "Chirie Birou");
    EXPECT_EQ(expenses.ui.Edit1->text(), "chirie birou");
    EXPECT_EQ(buttons(expenses), "100");
    t.db().clearLog();
    expenses.ui.BitBtn1->click();

    const QString id = t.value("select id from defalcari where tip='c'");
    EXPECT_GE(id.toInt(), 10000);
    EXPECT_LE(id.toInt(), 29999);
    EXPECT_EQ(t.rows("select * from defalcari"), QStringList({id + "|chirie birou|c"}));
    EXPECT_EQ(t.rows("select id from iduridefalcari"), QStringList({id}));
    const QStringList log = t.db().log();
    // The name's check, the number taken and the category written in one write transaction.
    ASSERT_GE(log.size(), 4);
    EXPECT_EQ(log[0], "BEGIN IMMEDIATE");
    EXPECT_TRUE(log[1].startsWith("select * from defalcari where denumire='chirie birou'"))
        << log[1].toStdString();
    const auto insert = log.indexOf("insert into defalcari (id,denumire,tip) values(" + id +
                                    ",'chirie birou','c')");
    ASSERT_GE(insert, 1);
    EXPECT_EQ(log[insert - 1],
              "insert into iduridefalcari (id) select " + id +
                  " where not exists (select * from iduridefalcari where id=" + id +
                  ") and not exists (select * from defalcari where id=" + id + ")");
    EXPECT_EQ(log[insert + 1], "COMMIT");
    EXPECT_EQ(listed(expenses), QStringList({"chirie birou"}));
    EXPECT_EQ(expenses.ui.Edit1->text(), "");
    EXPECT_EQ(buttons(expenses), "000");

    // A name with an apostrophe is stored as typed and found again.
    type(expenses, "Casa d'Oaspeti");
    expenses.ui.BitBtn1->click();
    EXPECT_EQ(t.value("select denumire from defalcari where denumire like 'casa%'"),
              "casa d'oaspeti");
    EXPECT_EQ(listed(expenses), QStringList({"casa d'oaspeti", "chirie birou"}));

    for (const QString again : {"CHIRIE birou", "casa d'oaspeti"}) {
        modals.answer("OK");
        type(expenses, again);
        expenses.ui.BitBtn1->click();
        EXPECT_EQ(buttons(expenses), "000");
        EXPECT_EQ(expenses.focusWidget(), expenses.ui.Edit1);
    }
    EXPECT_EQ(t.value("select count(*) from defalcari"), "2");
    ASSERT_EQ(modals.boxes().size(), 2u);
    EXPECT_EQ(modals.boxes()[1].title, "Atentie!");
    EXPECT_EQ(modals.boxes()[1].text, "Acesta categorie a mai fost introdusa!");

    // The other kind may hold the same name, under a number of its own.
    incomes.show();
    EXPECT_EQ(listed(incomes), QStringList());
    type(incomes, "chirie birou");
    incomes.ui.BitBtn1->click();
    EXPECT_EQ(listed(incomes), QStringList({"chirie birou"}));
    const QString incomeId = t.value("select id from defalcari where tip='v'");
    EXPECT_NE(incomeId, id);
    EXPECT_EQ(t.value("select count(*) from iduridefalcari"), "3");
    EXPECT_EQ(modals.boxes().size(), 2u);
}

TEST_F(Categories, RenameAndDeleteActOnTheClickedRow) {
    t.exec("insert into defalcari (id,denumire,tip) values(10001,'apa','c')");
    t.exec("insert into defalcari (id,denumire,tip) values(10002,'energie','c')");
    t.exec("insert into defalcari (id,denumire,tip) values(10003,'apa','v')");
    t.exec("insert into iduridefalcari (id) values(10001),(10002),(10003)");
    expenses.show();
    ASSERT_EQ(listed(expenses), QStringList({"apa", "energie"}));

    clickRow(expenses, "energie");
    EXPECT_EQ(expenses.ui.Edit1->text(), "energie");
    EXPECT_EQ(expenses.OldName, "energie");
    EXPECT_EQ(buttons(expenses), "011");

    // Unchanged or taken by another category of the kind: refused.
    modals.answer("OK").answer("OK");
    expenses.ui.BitBtn3->click();
    type(expenses, "apa");
    EXPECT_EQ(buttons(expenses), "111");
    expenses.ui.BitBtn3->click();
    EXPECT_EQ(modals.texts(), QStringList({"Acesta categorie a mai fost introdusa!",
                                           "Acesta categorie a mai fost introdusa!"}));
    EXPECT_EQ(t.rows("select id, denumire from defalcari where tip='c' order by id"),
              QStringList({"10001|apa", "10002|energie"}));

    type(expenses, "Gaz");
    t.db().clearLog();
    expenses.ui.BitBtn3->click();
    EXPECT_TRUE(t.db().log().contains(
        "update defalcari set denumire='gaz' where denumire='energie' and tip='c'"));
    EXPECT_EQ(t.rows("select * from defalcari order by id"),
              QStringList({"10001|apa|c", "10002|gaz|c", "10003|apa|v"}));
    EXPECT_EQ(listed(expenses), QStringList({"apa", "gaz"}));
    EXPECT_EQ(buttons(expenses), "000");

    // Renaming to nothing is refused.
    clickRow(expenses, "gaz");
    modals.answer("OK");
    type(expenses, "");
    expenses.ui.BitBtn3->click();
    EXPECT_EQ(modals.boxes().back().text, "Introduceti denumirea defalcarii!");
    EXPECT_EQ(t.value("select denumire from defalcari where id=10002"), "gaz");

    // Deleting takes the clicked row even after the edit was changed; the income twin stays.
    clickRow(expenses, "apa");
    type(expenses, "gaz");
    expenses.ui.BitBtn2->click();
    EXPECT_EQ(t.rows("select * from defalcari order by id"),
              QStringList({"10002|gaz|c", "10003|apa|v"}));
    EXPECT_EQ(listed(expenses), QStringList({"gaz"}));
    EXPECT_EQ(buttons(expenses), "000");
    EXPECT_EQ(t.value("select count(*) from iduridefalcari"), "3");

    // A click beside the rows selects nothing and enables nothing.
    const QRect below = expenses.ui.ListView1->viewport()->rect();
    QTest::mouseClick(expenses.ui.ListView1->viewport(), Qt::LeftButton, {},
                      QPoint(below.center().x(), below.bottom() - 2));
    EXPECT_EQ(buttons(expenses), "000");
    EXPECT_EQ(expenses.focusWidget(), expenses.ui.Edit1);
    EXPECT_EQ(modals.boxes().size(), 3u);
}

TEST_F(Categories, NumbersAreNeverIssuedTwiceAndRunningOutIsSaid) {
    // Every number taken but one.
    t.exec(
        "with recursive n(x) as (select 10000 union all select x+1 from n where x<29999) "
        "insert into iduridefalcari (id) select x from n where x<>12345");
    expenses.show();
    type(expenses, "telefon");
    expenses.ui.BitBtn1->click();
    EXPECT_EQ(t.rows("select * from defalcari"), QStringList({"12345|telefon|c"}));

    // Deleted, its number stays taken: re-adding the name finds none free.
    clickRow(expenses, "telefon");
    expenses.ui.BitBtn2->click();
    EXPECT_EQ(t.value("select count(*) from defalcari"), "0");
    modals.answer("OK");
    type(expenses, "telefon");
    expenses.ui.BitBtn1->click();
    ASSERT_EQ(modals.boxes().size(), 1u);
    EXPECT_EQ(modals.boxes()[0].title, "Atentie!");
    EXPECT_EQ(modals.boxes()[0].text, "Nu mai sunt numere libere pentru defalcari!");
    EXPECT_EQ(t.value("select count(*) from defalcari"), "0");
    EXPECT_EQ(t.value("select count(*) from iduridefalcari"), "20000");
}
