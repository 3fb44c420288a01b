#include <sqlite3.h>

#include <QComboBox>
#include <QFile>
#include <QRadioButton>

#include "data/VatRates.h"
#include "sales/Incasarechitanta.h"
#include "sales/Incasareordine.h"
#include "tests/sales/SettleDriver.h"

namespace kov::test {

namespace {

struct Owed {
    QString number, owed, kind = "E";
    int paid = 0;
    QString company = "RO1";
};

class Collections : public SettleTest {
  protected:
    void books(const std::vector<Owed>& owed) {
        t.exec("delete from facturi");
        t.exec("delete from operatiuni");
        if (onServer()) {
            // The row ids start again as in a file emptied of its rows.
            t.exec("alter table facturi alter column kov_rowid restart");
        }
        for (const Owed& o : owed) {
            invoice(o.number, o.owed, o.kind, o.paid, o.company);
        }
        t.db().clearLog();
    }

    TFormIncasareChitanta receipts;
    TFormIncasareOrdine orders;
};

}  // namespace

TEST_F(Collections, AmountIsSpreadInListTextOrderInWholeCents) {
    struct Case {
        const char* name;
        bool order;
        std::vector<Owed> owed;
        QString total;
        QStringList listed;  // in the order typed
        QStringList after;   // kind|number|PLATIT|RESTANT
        QStringList writes;
    };
    const Case cases[] = {
        {"the first settled, the second left owing, the third untouched",
         false,
         {{"12", "50.00"}, {"15", "80.00"}, {"16", "20.50"}},
         "100",
         {"16", "15", "12"},
         {"E|12|1|0", "E|15|0|30", "E|16|0|20.5"},
         {update(1, "1", "0"), update(2, "0", "30.00"), update(3, "0", "20.50"),
          movement("'RO1','2007-03-05','CH. 7','C.V. FACT. 12,15,16','',100.00,84.03,0,0,"
                   "'incasare','',1")}},
        {"123.80 settles 100.00 and 23.80, by bank",
         true,
         {{"1", "100.00"}, {"2", "23.80"}},
         "123.80",
         {"1", "2"},
         {"E|1|1|0", "E|2|1|0"},
         {update(1, "1", "0"), update(2, "1", "0"),
          movement("'RO1','2007-03-05','O.P. 7','C.V. FACT. 1,2','',123.80,104.03,1,0,"
                   "'incasare','',1")}},
        {"10 before 9; a number without an invoice is only named",
         false,
         {{"9", "50.00"}, {"10", "50.00"}},
         "60",
         {"9", "8", "10"},
         {"E|10|1|0", "E|9|0|40"},
         {update(2, "1", "0"), update(1, "0", "40.00"),
          movement("'RO1','2007-03-05','CH. 7','C.V. FACT. 10,8,9','',60.00,50.42,0,0,"
                   "'incasare','',1")}},
        {"a supplier's invoice and another company's share the number",
         false,
         {{"57", "100.00"},
          {"57", "0", "I", 1},
          {"57", "100.00", "I"},
          {"57", "80", "E", 0, "RO2"}},
         "100",
         {"57"},
         {"E|57|1|0", "E|57|0|80", "I|57|1|0", "I|57|0|100"},
         {update(1, "1", "0"),
          movement("'RO1','2007-03-05','CH. 7','C.V. FACT. 57','',100.00,84.03,0,0,"
                   "'incasare','',1")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        books(c.owed);
        SettleWindow& w = c.order ? static_cast<SettleWindow&>(orders) : receipts;
        w.show();
        fill(w, c.total, c.listed);
        ASSERT_TRUE(w.ui.BitBtn4->isEnabled());
        modals.answer("Nu");
        w.ui.BitBtn4->click();
        EXPECT_EQ(invoices(), c.after);
        EXPECT_EQ(writes(), c.writes);
        EXPECT_FALSE(w.isVisible());
        EXPECT_EQ(w.result(), QDialog::Accepted);
    }
    ASSERT_EQ(modals.boxes().size(), 4u);
    EXPECT_EQ(modals.boxes()[0].text, "Mai introduceti alte chitante?");
    EXPECT_EQ(modals.boxes()[0].title, "");
    EXPECT_EQ(modals.boxes()[1].text, "Mai introduceti alte ordine de plata?");
}

TEST_F(Collections, RefusalsWriteNothingAndKeepTheWindowAsTyped) {
    struct Case {
        const char* name;
        std::vector<Owed> owed;
        QString rate;
        Box box;
    };
    const Case cases[] = {
        {"one listed invoice already settled",
         {{"12", "50.00"}, {"15", "0", "E", 1}},
         "19",
         {"Atentie!", "Factura numarul 15 a fost deja platita!", true}},
        {"a rate that divides by zero",
         {{"12", "50.00"}},
         "-100",
         {"Eroare!", "Cota TVA introdusa gresit!", true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        books(c.owed);
        const QStringList before = invoices();
        modals.clear();
        receipts.show();
        fill(receipts, "100", {"12", "15"});
        retype(receipts.ui.Edit13, c.rate);
        ASSERT_TRUE(receipts.ui.BitBtn4->isEnabled());
        modals.answer("OK");
        receipts.ui.BitBtn4->click();
        ASSERT_EQ(modals.boxes().size(), 1u);
        EXPECT_EQ(modals.boxes()[0].title, c.box.title);
        EXPECT_EQ(modals.boxes()[0].text, c.box.text);
        EXPECT_EQ(invoices(), before);
        EXPECT_EQ(writes(), QStringList());
        EXPECT_EQ(t.value("select count(*) from operatiuni"), "0");
        EXPECT_TRUE(receipts.isVisible());
        EXPECT_EQ(receipts.ui.Edit2->text(), "7");
        EXPECT_EQ(captions(receipts.ui.ListView1), QStringList({"12", "15"}));
        if (c.box.title == "Eroare!") {
            EXPECT_EQ(receipts.focusWidget(), receipts.ui.Edit13);
        }
        receipts.hide();
    }
}

// The overpaying question holds no lock: another user settles the invoice meanwhile, at once,
// and the answer "Da" then finds it settled and writes nothing.
TEST_F(Collections, TheQuestionLeavesTheFileFreeAndItsAnswerIsCheckedAgain) {
    if (onServer()) {
        GTEST_SKIP() << "another program on the file itself";
    }
    books({{"12", "50.00"}});
    receipts.show();
    fill(receipts, "100", {"12"});
    int otherWrite = -1;
    modals
        .handle([&](QWidget* box) {
            sqlite3* other = nullptr;
            sqlite3_open(QFile::encodeName(t.db().path()).constData(), &other);
            otherWrite = sqlite3_exec(other,
                                      "update facturi set platit=1, restant=0 where "
                                      "nrfactura='12'",
                                      nullptr, nullptr, nullptr);
            sqlite3_close(other);
            click(box, "Da");
        })
        .answer("OK");
    receipts.ui.BitBtn4->click();
    EXPECT_EQ(otherWrite, SQLITE_OK);
    EXPECT_EQ(modals.texts(),
              QStringList({"Suma de pe chitanta mai mare decit restul de plata al facturilor! "
                           "Continuati?",
                           "Factura numarul 12 a fost deja platita!"}));
    EXPECT_EQ(writes(), QStringList());
    EXPECT_EQ(invoices(), QStringList({"E|12|1|0"}));
}

TEST_F(Collections, FailureOnTheMovementRowUndoesTheSettling) {
    books({{"12", "50.00"}});
    t.failInserts("operatiuni", "disc plin");
    receipts.show();
    fill(receipts, "50", {"12"});
    modals.answer("OK");
    receipts.ui.BitBtn4->click();
    ASSERT_EQ(modals.boxes().size(), 1u);
    EXPECT_EQ(modals.boxes()[0].title, "Kovaline");
    EXPECT_TRUE(modals.boxes()[0].text.contains("disc plin"));
    EXPECT_EQ(invoices(), QStringList({"E|12|0|50"}));
    EXPECT_EQ(t.value("select count(*) from operatiuni"), "0");
    EXPECT_TRUE(receipts.isVisible());
    EXPECT_EQ(receipts.ui.Edit15->text(), "50");
    EXPECT_EQ(captions(receipts.ui.ListView1), QStringList({"12"}));
}

TEST_F(Collections, ReadinessListCategoryAndRegisterChoice) {
    t.exec(
        "insert into defalcari (id,denumire,tip) values(10001,'onorarii','v'),"
        "(10002,'chirie','v'),(10003,'birou','c')");
    books({{"12", "119.00"}, {"13", "50.00"}});
    receipts.show();
    const auto ready = [&] { return receipts.ui.BitBtn4->isEnabled(); };
    EXPECT_EQ(receipts.ui.ComboBox5->count(), 2);
    EXPECT_EQ(receipts.ui.ComboBox5->currentText(), "chirie");

    // Each flag alone is not enough; a wrong total or rate takes readiness away again.
    const QString todaysRate = QString::number(kov::standardVatRate(QDate::currentDate()));
    EXPECT_EQ(receipts.ui.Edit13->text(), todaysRate);
    retype(receipts.ui.Edit13, "19");
    retype(receipts.ui.Edit1, "31.02.2007");
    retype(receipts.ui.Edit2, "7");
    retype(receipts.ui.Edit15, "119");
    EXPECT_EQ(receipts.ui.Edit5->text(), "100.00");
    EXPECT_EQ(receipts.ui.Edit14->text(), "19.00");
    retype(receipts.ui.Edit4, "12");
    receipts.ui.BitBtn1->click();
    EXPECT_FALSE(ready());
    receipts.ui.Button1->click();
    EXPECT_EQ(receipts.ui.Edit1->text(), QDate::currentDate().toString("dd.MM.yyyy"));
    EXPECT_TRUE(ready());
    retype(receipts.ui.Edit13, "x");
    EXPECT_FALSE(ready());
    EXPECT_EQ(receipts.ui.Edit5->text(), "100.00");
    retype(receipts.ui.Edit13, "9");
    EXPECT_EQ(receipts.ui.Edit5->text(), "109.17");
    EXPECT_EQ(receipts.ui.Edit14->text(), "9.83");
    EXPECT_TRUE(ready());

    // The list: a number once, a click to pick, removal down to empty.
    modals.answer("OK");
    retype(receipts.ui.Edit4, "12");
    receipts.ui.BitBtn1->click();
    EXPECT_EQ(modals.texts(), QStringList({"Acest numar de factura a mai fost introdus!"}));
    EXPECT_EQ(receipts.ui.Edit4->text(), "12");
    QTreeWidget* list = receipts.ui.ListView1;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->topLevelItem(0)).center());
    EXPECT_EQ(receipts.ui.Edit4->text(), "12");
    receipts.ui.BitBtn2->click();
    EXPECT_EQ(list->topLevelItemCount(), 0);
    EXPECT_FALSE(ready());
    for (const QString n : {"13", "12"}) {
        retype(receipts.ui.Edit4, n);
        receipts.ui.BitBtn1->click();
    }
    retype(receipts.ui.Edit13, "19");

    // "Nu" in the register; the second category; "Da" to go on.
    receipts.ui.RadioButton2->click();
    receipts.ui.ComboBox5->setCurrentIndex(1);
    modals.answer("Da");
    receipts.ui.BitBtn4->click();
    const QString day = QDate::currentDate().toString(Qt::ISODate);
    EXPECT_EQ(writes().last(),
              movement("'RO1','" + day +
                       "','CH. 7','C.V. FACT. 12,13','',119.00,100.00,0,10001,'incasare','',0"));
    EXPECT_EQ(invoices(), QStringList({"E|12|1|0", "E|13|0|50"}));

    // The reset keeps only the register choice.
    EXPECT_TRUE(receipts.isVisible());
    EXPECT_EQ(receipts.ui.Edit1->text(), "");
    EXPECT_EQ(receipts.ui.Edit2->text(), "");
    EXPECT_EQ(receipts.ui.Edit15->text(), "0");
    EXPECT_EQ(receipts.ui.Edit13->text(), todaysRate);
    EXPECT_EQ(list->topLevelItemCount(), 0);
    EXPECT_FALSE(ready());
    EXPECT_TRUE(receipts.ui.RadioButton2->isChecked());
    EXPECT_TRUE(receipts.ui.RadioButton5->isChecked());
    EXPECT_EQ(receipts.ui.ComboBox5->currentText(), "chirie");

    // No category: 0; a category name not among the incomes: 0 as well.
    fill(receipts, "10", {"13"});
    receipts.ui.RadioButton6->click();
    EXPECT_FALSE(receipts.ui.ComboBox5->isEnabled());
    modals.answer("Da");
    receipts.ui.BitBtn4->click();
    t.exec("delete from defalcari where id=10002");
    fill(receipts, "10", {"13"});
    modals.answer("Nu");
    receipts.ui.BitBtn4->click();
    const QStringList w = writes();
    EXPECT_TRUE(w[w.size() - 3].contains(",8.40,0,0,'incasare','',0)"))
        << w[w.size() - 3].toStdString();
    EXPECT_TRUE(w.last().contains(",8.40,0,0,'incasare','',0)")) << w.last().toStdString();
    EXPECT_EQ(invoices(), QStringList({"E|12|1|0", "E|13|0|30"}));
}

}  // namespace kov::test
