#include <QComboBox>

#include "sales/Chitantemulte.h"
#include "sales/Opurimulte.h"
#include "tests/sales/SettleDriver.h"

namespace kov::test {

namespace {

class Runs : public SettleTest {
  protected:
    static QStringList rows(const DocumentRunWindow& w) {
        QStringList out;
        for (int i = 0; i < w.ui.ListView1->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* row = w.ui.ListView1->topLevelItem(i);
            out << row->text(0) + "|" + row->text(1) + "|" + row->text(2) + "|" + row->text(3);
        }
        return out;
    }

    static void run(DocumentRunWindow& w, const QString& start, const QString& end) {
        retype(w.ui.Edit10, start);
        retype(w.ui.Edit11, end);
        w.ui.BitBtn1->click();
    }

    static void take(DocumentRunWindow& w, const QString& number) {
        QTreeWidget* list = w.ui.ListView1;
        const auto found = list->findItems(number, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << number.toStdString();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(found.first()).center());
    }

    TFormChitanteMulte receipts;
    TFormOPuriMulte orders;
};

}  // namespace

TEST_F(Runs, GeneratedRunEditedRowByRowRecordsOneMovementEach) {
    invoice("57", "500");
    t.exec(
        "insert into defalcari (id,denumire,tip) values(10001,'onorarii','v'),"
        "(10002,'birou','c')");
    receipts.show();
    EXPECT_EQ(receipts.ui.ComboBox5->count(), 2);
    retype(receipts.ui.Edit3, "05.03.2007");
    EXPECT_EQ(receipts.ui.Edit12->text(), "05.03.2007");
    retype(receipts.ui.Edit2, "57");
    run(receipts, "101", "103");
    EXPECT_EQ(rows(receipts), QStringList({"101|05.03.2007|0|fara", "102|05.03.2007|0|fara",
                                           "103|05.03.2007|0|fara"}));

    modals.answer("OK");
    t.db().clearLog();
    receipts.ui.BitBtn4->click();
    EXPECT_EQ(modals.texts(), QStringList({"Suma pentru chitanta nr.101 nu a fost introdusa!"}));
    EXPECT_EQ(modals.boxes()[0].title, "Atentie!");
    EXPECT_EQ(writes(), QStringList());

    // 101 gets an amount, 102 an amount and a category, 103 goes; 99 is added by hand.
    take(receipts, "101");
    EXPECT_EQ(
        kov::test::enabledMask({receipts.ui.BitBtn6, receipts.ui.BitBtn7, receipts.ui.BitBtn8}),
        "011");
    retype(receipts.ui.Edit13, "119");
    receipts.ui.BitBtn8->click();
    take(receipts, "102");
    retype(receipts.ui.Edit13, "50.5");
    retype(receipts.ui.Edit12, "06.03.2007");
    receipts.ui.ComboBox5->setCurrentIndex(1);
    receipts.ui.BitBtn8->click();
    take(receipts, "103");
    receipts.ui.BitBtn7->click();
    retype(receipts.ui.Edit9, "99");
    EXPECT_EQ(receipts.ui.Edit12->text(), "05.03.2007");
    EXPECT_FALSE(receipts.ui.BitBtn6->isEnabled());
    retype(receipts.ui.Edit13, "10");
    ASSERT_TRUE(receipts.ui.BitBtn6->isEnabled());
    receipts.ui.BitBtn6->click();
    EXPECT_EQ(rows(receipts),
              QStringList({"101|05.03.2007|119|fara", "102|06.03.2007|50.5|onorarii",
                           "99|05.03.2007|10|fara"}));

    modals.answer("Nu");
    receipts.ui.BitBtn4->click();
    EXPECT_EQ(writes(),
              QStringList({movement("'RO1','2007-03-05','CH. 101','C.V. FACT. 57','',119.00,"
                                    "100.00,0,0,'incasare','',1"),
                           movement("'RO1','2007-03-06','CH. 102','C.V. FACT. 57','',50.50,"
                                    "42.44,0,10001,'incasare','',1"),
                           movement("'RO1','2007-03-05','CH. 99','C.V. FACT. 57','',10.00,"
                                    "8.40,0,0,'incasare','',1"),
                           update(1, "0", "320.50")}));
    EXPECT_EQ(invoices(), QStringList({"E|57|0|320.5"}));
    EXPECT_FALSE(receipts.isVisible());

    // The payment order twin: bank, "O.P. ", its own question.
    orders.show();
    EXPECT_EQ(orders.ui.GroupBox1->title(), "Ordine de plata");
    retype(orders.ui.Edit3, "07.03.2007");
    retype(orders.ui.Edit2, "57");
    run(orders, "4", "4");
    take(orders, "4");
    retype(orders.ui.Edit13, "119");
    orders.ui.BitBtn8->click();
    modals.answer("Nu");
    orders.ui.BitBtn4->click();
    EXPECT_EQ(writes().mid(writes().size() - 2),
              QStringList({movement("'RO1','2007-03-07','O.P. 4','C.V. FACT. 57','',119.00,"
                                    "100.00,1,0,'incasare','',1"),
                           update(1, "0", "201.50")}));
    EXPECT_EQ(modals.texts().last(), "Mai introduceti alte ordine de plata?");
}

TEST_F(Runs, RunBoundsAndEditorChecks) {
    struct Case {
        QString start, end;
        int rows;
        QString message;  // empty: none
    };
    const Case cases[] = {
        {"5", "3", 0, "Numar chitanta de sfarsit mai mic decat cel de inceput!"},
        {"3", "3", 1, ""},
        {"1", "1000", 1000, ""},
        {"1", "1001", 0, "Se pot introduce cel mult 1000 de documente odata!"},
        {"1", "2147483647", 0, "Se pot introduce cel mult 1000 de documente odata!"},
        {"2147483646", "2147483647", 2, ""},
    };
    receipts.show();
    for (const Case& c : cases) {
        SCOPED_TRACE((c.start + ".." + c.end).toStdString());
        receipts.hide();
        receipts.show();
        modals.clear();
        if (!c.message.isEmpty()) {
            modals.answer("OK");
        }
        run(receipts, c.start, c.end);
        EXPECT_EQ(receipts.ui.ListView1->topLevelItemCount(), c.rows);
        EXPECT_EQ(modals.texts(), c.message.isEmpty() ? QStringList() : QStringList({c.message}));
    }
    EXPECT_EQ(rows(receipts).last(), "2147483647||0|fara");

    // What is not a whole number of the usual range does not run.
    retype(receipts.ui.Edit11, "2147483648");
    EXPECT_FALSE(receipts.ui.BitBtn1->isEnabled());
    retype(receipts.ui.Edit11, "12a");
    EXPECT_FALSE(receipts.ui.BitBtn1->isEnabled());

    // The editor refuses a number twice and a date or amount that does not convert.
    modals.clear();
    modals.answer("OK").answer("OK").answer("OK");
    retype(receipts.ui.Edit9, "2147483646");
    retype(receipts.ui.Edit12, "01.01.2007");
    retype(receipts.ui.Edit13, "5");
    receipts.ui.BitBtn6->click();
    take(receipts, "2147483646");
    retype(receipts.ui.Edit12, "32.01.2007");
    receipts.ui.BitBtn8->click();
    retype(receipts.ui.Edit12, "01.01.2007");
    retype(receipts.ui.Edit13, "5,5");
    receipts.ui.BitBtn8->click();
    EXPECT_EQ(modals.texts(), QStringList({"Aces numar de chitanta chitanta a mai fost introdus!",
                                           "Data introdusa gresit!", "Suma introdusa gresit!"}));
    EXPECT_EQ(rows(receipts).first(), "2147483646||0|fara");
}

TEST_F(Runs, AcceptRefusalsWriteNothing) {
    struct Case {
        const char* name;
        QString invoice, rate;
        bool settledIssued, settledReceived;
        Box box;  // empty text: recorded
    };
    const Case cases[] = {
        {"no invoice number",
         "",
         "19",
         false,
         false,
         {"Atentie!", "Nu s-a introdus numarul de factura!", true}},
        {"rate not a number",
         "57",
         "19%",
         false,
         false,
         {"Eroare!", "Cota TVA introdusa gresit!", true}},
        {"rate of -100",
         "57",
         "-100",
         false,
         false,
         {"Eroare!", "Cota TVA introdusa gresit!", true}},
        {"issued invoice settled",
         "57",
         "19",
         true,
         false,
         {"Atentie!", "Factura numarul 57 a fost deja platita!", true}},
        {"only a received invoice of that number settled", "57", "19", false, true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        t.exec("delete from facturi");
        invoice("57", c.settledIssued ? "0" : "100", "E", c.settledIssued ? 1 : 0);
        invoice("57", c.settledReceived ? "0" : "100", "I", c.settledReceived ? 1 : 0);
        t.db().clearLog();
        modals.clear();
        receipts.show();
        retype(receipts.ui.Edit3, "05.03.2007");
        retype(receipts.ui.Edit2, c.invoice);
        retype(receipts.ui.Edit8, c.rate);
        run(receipts, "8", "8");
        take(receipts, "8");
        retype(receipts.ui.Edit13, "119");
        receipts.ui.BitBtn8->click();
        modals.answer(c.box.text.isEmpty() ? "Nu" : "OK");
        receipts.ui.BitBtn4->click();
        ASSERT_EQ(modals.boxes().size(), 1u);
        if (c.box.text.isEmpty()) {
            EXPECT_EQ(writes().size(), 2);  // the movement, then the issued invoice settled
            EXPECT_FALSE(receipts.isVisible());
            continue;
        }
        EXPECT_EQ(modals.boxes()[0].title, c.box.title);
        EXPECT_EQ(modals.boxes()[0].text, c.box.text);
        EXPECT_EQ(writes(), QStringList());
        EXPECT_TRUE(receipts.isVisible());
        receipts.hide();
    }
}

}  // namespace kov::test
