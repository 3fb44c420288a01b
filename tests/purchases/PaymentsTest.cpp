#include <QComboBox>

#include "purchases/Platachitanta.h"
#include "purchases/Plataordine.h"
#include "tests/sales/SettleDriver.h"

namespace kov::test {

namespace {

class Payments : public SettleTest {
  protected:
    void SetUp() override {
        t.exec(
            "insert into defalcari (id,denumire,tip) values(10001,'onorarii','v'),"
            "(10002,'chirie','c')");
    }

    void books() {
        t.exec("delete from facturi");
        if (onServer()) {
            // The row ids start again as in a file emptied of its rows.
            t.exec("alter table facturi alter column kov_rowid restart");
        }
        invoice("A", "100", "I");
        invoice("B", "50", "I");
        invoice("A", "100", "E");  // a customer's invoice with the supplier's number
        t.db().clearLog();
    }

    TFormPlataChitanta receipts;
    TFormPlataOrdine orders;
};

}  // namespace

TEST_F(Payments, AmountIsSpreadOverReceivedInvoicesOnly) {
    struct Case {
        bool order;
        QString total;
        QStringList after;
        QStringList writes;
    };
    const Case cases[] = {
        {false,
         "120",
         {"E|A|0|100", "I|A|1|0", "I|B|0|30"},
         {update(1, "1", "0"), update(2, "0", "30.00"),
          movement("'RO1','2007-03-05','CH. 7','C.V. FACT. A,B','',120.00,100.84,0,10002,"
                   "'plata','',1")}},
        {true,
         "80",
         {"E|A|0|100", "I|A|0|20", "I|B|0|50"},
         {update(1, "0", "20.00"), update(2, "0", "50.00"),
          movement("'RO1','2007-03-05','O.P. 7','C.V. FACT. A,B','',80.00,67.23,1,10002,"
                   "'plata','',1")}},
        {false,
         "150.00",
         {"E|A|0|100", "I|A|1|0", "I|B|1|0"},
         {update(1, "1", "0"), update(2, "1", "0"),
          movement("'RO1','2007-03-05','CH. 7','C.V. FACT. A,B','',150.00,126.05,0,10002,"
                   "'plata','',1")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.total.toStdString());
        books();
        SettleWindow& w = c.order ? static_cast<SettleWindow&>(orders) : receipts;
        w.show();
        // Expense categories only; every payment enters the cash register.
        EXPECT_EQ(w.ui.ComboBox5->count(), 1);
        EXPECT_EQ(w.ui.ComboBox5->currentText(), "chirie");
        EXPECT_FALSE(w.ui.GroupBox4->isVisible());
        fill(w, c.total, {"B", "A"});
        modals.answer("Nu");
        w.ui.BitBtn4->click();
        EXPECT_EQ(invoices(), c.after);
        EXPECT_EQ(writes(), c.writes);
        EXPECT_FALSE(w.isVisible());
    }
    EXPECT_EQ(modals.texts(), QStringList({"Mai introduceti alte chitante?",
                                           "Mai introduceti alte ordine de plata?",
                                           "Mai introduceti alte chitante?"}));
    EXPECT_EQ(orders.windowTitle(), "Achitare ordin de plata");
    EXPECT_EQ(orders.ui.Label2->text(), "Numar OP:");
}

TEST_F(Payments, SettledNumbersAndBadRatesStopBeforeWriting) {
    struct Case {
        const char* name;
        QString rate;
        QString text;
    };
    const Case cases[] = {
        {"a settled one", "19", "Factura numarul B a fost deja platita!"},
        {"rate below -100", "-150", "Cota TVA introdusa gresit!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        books();
        t.exec("update facturi set platit=1, restant=0 where nrfactura='B' and felfactura='I'");
        t.db().clearLog();
        const QStringList before = invoices();
        modals.clear();
        receipts.show();
        fill(receipts, "100", {"A", "B", "1001"});
        retype(receipts.ui.Edit13, c.rate);
        modals.answer("OK");
        receipts.ui.BitBtn4->click();
        EXPECT_EQ(modals.texts(), QStringList({c.text}));
        EXPECT_EQ(writes(), QStringList());
        EXPECT_EQ(invoices(), before);
        EXPECT_TRUE(receipts.isVisible());
        receipts.hide();
    }
}

}  // namespace kov::test
