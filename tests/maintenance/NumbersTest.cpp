// Invoice numbers as users type them: any case, signs that SQL patterns know, several invoices
// sharing one number; and what the settling windows do with the invoices' rates and amounts.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QTest>
#include <QTreeWidget>

#include "data/Values.h"
#include "documents/Alegerefactura.h"
#include "maintenance/Selectaredocument.h"
#include "maintenance/Stergeredocument.h"
#include "purchases/Platachitanta.h"
#include "sales/Chitantemulte.h"
#include "sales/Incasarechitanta.h"
#include "tests/sales/SettleDriver.h"

namespace kov::test {

namespace {

class Numbers : public SettleTest {
  protected:
    Numbers() { FormSelectareDocument = &selector; }
    ~Numbers() override { FormSelectareDocument = nullptr; }

    // An invoice with its own date, partner, rate and outstanding amount.
    void bill(const QString& number, const QString& kind, const QString& owed,
              const QString& day = "01.09.2025", const QString& partner = "PF ION",
              const QString& rate = "19") {
        t.exec(
            "insert into facturi (CODFISCAL,NRFACTURA,DATA,SUMA,FARATVA,PROCENTTVA,TVA,PLATIT,"
            "RESTANT,CODCLIENT,FELFACTURA) values('RO1','" +
            number + "','" + storedDate(day) + "',500,400,'" + rate + "',100,0," + owed + ",'" +
            partner + "','" + kind + "')");
    }
    void clean() {
        t.exec("delete from facturi");
        t.exec("delete from operatiuni");
        modals.clear();
    }
    // Collects or pays the typed invoice numbers with the amount, answering each question.
    void settle(SettleWindow& w, const QString& total, const QStringList& typed) {
        w.show();
        fill(w, total, typed);
        modals.answer("Nu");
        w.ui.BitBtn4->click();
        w.hide();
    }
    void deleteInvoice(const QString& typed) {
        deletion.show();
        QTest::keyClicks(deletion.ui.Edit1, typed);
        modals.answer("Nu");
        deletion.ui.BitBtn4->click();
    }
    // The choice window's next showing picks its row-th invoice, or gives up (row -1).
    void pick(int row, QStringList* shown = nullptr) {
        modals.handle([this, row, shown](QWidget*) {
            QTreeWidget* list = chooser.ui.ListView1;
            for (int i = 0; shown && i < list->topLevelItemCount(); ++i) {
                const QTreeWidgetItem* r = list->topLevelItem(i);
                *shown << r->text(0) + "|" + r->text(1) + "|" + r->text(2) + "|" + r->text(3);
            }
            if (row < 0) {
                chooser.ui.BitBtn2->click();
                return;
            }
            list->setCurrentItem(list->topLevelItem(row));
            chooser.ui.BitBtn1->click();
        });
    }
    SettleWindow& settling(bool collecting) {
        return collecting ? static_cast<SettleWindow&>(collection) : payment;
    }
    QStringList state() {
        return t.rows(
            "select felfactura, nrfactura, data, platit, restant from facturi order by felfactura, "
            "data");
    }

    TFormSelectareDocument selector;
    TFormIncasareChitanta collection;
    TFormPlataChitanta payment;
    TFormChitanteMulte runs;
    TFormStergere deletion;
};

}  // namespace

TEST_F(Numbers, TypedNumbersMatchWhateverTheirCaseAndNeverAsPatterns) {
    enum Window { Collection, Payment, DeleteInvoice, DeleteReceipt };
    struct Case {
        const char* name;
        Window window;
        QString stored, typed, shown;  // shown: the field's text once typed
        bool matches;
    };
    const Case cases[] = {
        {"collecting b77 settles B77", Collection, "B77", "b77", "B77", true},
        {"an older lower-case row still matches", Collection, "b78", "B78", "B78", true},
        {"_ is no wildcard", Collection, "B17", "b_7", "B_7", false},
        {"paying a55 settles A55", Payment, "A55", "a55", "A55", true},
        {"% is no wildcard", Payment, "A55", "a%", "A%", false},
        {"deleting a55 deletes A55", DeleteInvoice, "A55", "a55", "A55", true},
        {"deleting % deletes nothing", DeleteInvoice, "A55", "%", "%", false},
        {"deleting receipt x1 deletes CH. X1", DeleteReceipt, "CH. X1", "x1", "X1", true},
        {"deleting receipt _1 deletes nothing", DeleteReceipt, "CH. X1", "_1", "_1", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        clean();
        const QString kind = c.window == Payment ? "I" : "E";
        if (c.window == DeleteReceipt) {
            t.exec("insert into operatiuni values('RO1','2025-09-01','" + c.stored +
                   "','X','',10,10,0,0,'incasare','',1)");
        } else {
            bill(c.stored, kind, "100");
        }
        switch (c.window) {
            case Collection:
            case Payment: {
                SettleWindow& w = settling(c.window == Collection);
                w.show();
                retype(w.ui.Edit4, c.typed);
                EXPECT_EQ(w.ui.Edit4->text(), c.shown);
                w.hide();
                if (!c.matches) {
                    modals.answer("Da");  // the amount exceeds what a missed invoice owes
                }
                settle(w, "100", {c.typed});
                EXPECT_EQ(t.value("select platit from facturi"), c.matches ? "1" : "0");
                EXPECT_EQ(t.value("select feloperatie from operatiuni"), "C.V. FACT. " + c.shown);
                break;
            }
            case DeleteInvoice:
                deleteInvoice(c.typed);
                EXPECT_EQ(t.value("select count(*) from facturi"), c.matches ? "0" : "1");
                break;
            case DeleteReceipt:
                deletion.show();
                deletion.ui.RadioButton4->click();
                QTest::keyClicks(deletion.ui.Edit5, c.typed);
                EXPECT_EQ(deletion.ui.Edit5->text(), c.shown);
                modals.answer("Nu");
                deletion.ui.BitBtn4->click();
                EXPECT_EQ(t.value("select count(*) from operatiuni"), c.matches ? "0" : "1");
                break;
        }
        EXPECT_EQ(modals.pending(), 0u);
    }
}

TEST_F(Numbers, SeveralInvoicesWithOneNumberSettleOrDeleteTheOneChosen) {
    enum Window { Collection, Payment, Runs, DeleteTyped, DeletePicked };
    struct Case {
        const char* name;
        Window window;
        int row;  // chosen in "Alegere factura"; -1: Renuntare
        QStringList after;
    };
    // The invoices as they were: September's and October's 77, the supplier's 77.
    const QString sep = "E|77|01.09.2025|0|100", oct = "E|77|01.10.2025|0|100",
                  supplier = "I|77|15.09.2025|0|100";
    const QStringList untouched{sep, oct, supplier};
    const Case cases[] = {
        {"collecting the October 77", Collection, 1, {sep, "E|77|01.10.2025|1|0", supplier}},
        {"collecting, then giving up", Collection, -1, untouched},
        {"paying: only one supplier invoice, no question",
         Payment,
         99,
         {sep, oct, "I|77|15.09.2025|1|0"}},
        {"several receipts for the September 77", Runs, 0, {"E|77|01.09.2025|1|0", oct, supplier}},
        {"several receipts, then giving up", Runs, -1, untouched},
        {"deleting the supplier's 77", DeleteTyped, 1, {sep, oct}},
        {"deleting, then giving up", DeleteTyped, -1, untouched},
        {"deleting the October 77 picked from the list, with its receipt",
         DeletePicked,
         99,
         {sep, supplier}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        clean();
        // Inserted newest first: the choice lists them oldest first all the same.
        bill("77", "E", "100", "01.10.2025", "PF MARIA");
        bill("77", "I", "100", "15.09.2025", "PF DAN");
        bill("77", "E", "100", "01.09.2025", "PF ION");
        for (const char* day : {"01.09.2025", "01.10.2025"}) {
            t.exec(QString("insert into operatiuni values('RO1','%1','F.77 + CH.%2','X','',100,"
                           "84.03,0,0,'incasare','',1)")
                       .arg(storedDate(day), day[4] == '9' ? "5" : "6"));
        }
        QStringList shown;
        if (c.row != 99) {
            pick(c.row, &shown);
        }
        switch (c.window) {
            case Collection:
            case Payment: {
                SettleWindow& w = settling(c.window == Collection);
                w.show();
                fill(w, "100", {"77"});
                EXPECT_EQ(captions(w.ui.ListView1), c.row < 0 ? QStringList() : QStringList{"77"});
                if (c.row >= 0) {
                    modals.answer("Nu");
                    w.ui.BitBtn4->click();
                }
                w.hide();
                break;
            }
            case Runs:
                runs.show();
                retype(runs.ui.Edit3, "05.10.2025");
                retype(runs.ui.Edit2, "77");
                retype(runs.ui.Edit9, "1");
                retype(runs.ui.Edit13, "100");
                runs.ui.BitBtn6->click();
                if (c.row >= 0) {
                    modals.answer("Nu");
                }
                runs.ui.BitBtn4->click();
                EXPECT_EQ(t.value("select count(*) from operatiuni where nrdoc='CH. 1'"),
                          c.row < 0 ? "0" : "1");
                runs.hide();
                break;
            case DeleteTyped:
                deleteInvoice("77");
                EXPECT_EQ(t.value("select count(*) from operatiuni"), "2");
                break;
            case DeletePicked:
                deletion.show();
                modals.handle([this](QWidget*) {
                    QTreeWidget* list = selector.ui.ListView1;
                    ASSERT_EQ(list->topLevelItemCount(), 3);
                    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                                      list->visualItemRect(list->topLevelItem(2)).center());
                    selector.ui.BitBtn4->click();
                });
                deletion.ui.Button1->click();
                deletion.ui.CheckBox1->click();
                EXPECT_EQ(deletion.ui.Edit2->text(),
                          "6");  // its own receipt, not the 5 of September
                modals.answer("Nu");
                deletion.ui.BitBtn4->click();
                EXPECT_EQ(t.rows("select nrdoc from operatiuni"), QStringList({"F.77 + CH.5"}));
                break;
        }
        EXPECT_EQ(state(), c.after);
        EXPECT_EQ(modals.pending(), 0u);
        if (c.window == Collection && c.row == 1) {
            EXPECT_EQ(chooser.windowTitle(), "Alegere factura");
            EXPECT_EQ(shown, QStringList({"01.09.2025|PF ION|500.00|100.00",
                                          "01.10.2025|PF MARIA|500.00|100.00"}));
        }
        if (c.row < 0) {
            EXPECT_EQ(t.value("select count(*) from operatiuni"), "2");
        }
    }
}

TEST_F(Numbers, SettlingFollowsTheInvoicesRateAndAsksBeforeOverpaying) {
    struct Case {
        const char* name;
        QStringList rates;  // of invoices 1, 2, ... listed in that order
        QString typedRate;  // empty: left to the window
        QString total;
        QStringList answers;  // to the boxes shown at "Acceptare"
        QStringList boxes;
        QString net;  // FARATVA written; empty: nothing written
    };
    const QString overpay =
        "Suma de pe chitanta mai mare decit restul de plata al facturilor! Continuati?";
    const Case cases[] = {
        {"an 11 % invoice",
         {"11"},
         "",
         "300",
         {"Nu"},
         {"Mai introduceti alte chitante?"},
         "270.27"},
        {"a rate the user typed stays",
         {"11"},
         "21",
         "300",
         {"Nu"},
         {"Mai introduceti alte chitante?"},
         "247.93"},
        {"rates differ",
         {"11", "21"},
         "",
         "300",
         {"OK"},
         {"Facturile alese au cote TVA diferite!"},
         ""},
        {"overpaying, No", {"19"}, "", "300.01", {"Nu"}, {overpay}, ""},
        {"overpaying, Yes",
         {"19"},
         "",
         "300.01",
         {"Da", "Nu"},
         {overpay, "Mai introduceti alte chitante?"},
         "252.11"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        clean();
        QStringList listed;
        for (int i = 0; i < c.rates.size(); ++i) {
            listed << QString::number(i + 1);
            bill(listed.last(), "E", i == 0 ? "300" : "0.01", "01.09.2025", "PF ION", c.rates[i]);
        }
        collection.show();
        fill(collection, c.total, listed);
        if (!c.typedRate.isEmpty()) {
            retype(collection.ui.Edit13, c.typedRate);
        }
        QTreeWidgetItem* first = collection.ui.ListView1->topLevelItem(0);
        EXPECT_EQ(first->text(1) + "|" + first->text(2) + "|" + first->text(3),
                  "PF ION|500.00|300.00");
        EXPECT_EQ(collection.ui.Edit13->text(),
                  c.typedRate.isEmpty() ? c.rates.last() : c.typedRate);
        for (const QString& a : c.answers) {
            modals.answer(a);
        }
        collection.ui.BitBtn4->click();
        EXPECT_EQ(modals.texts(), c.boxes);
        EXPECT_EQ(modals.boxes()[0].title, c.boxes[0].startsWith("Mai")    ? ""
                                           : c.boxes[0].startsWith("Fact") ? "Eroare!"
                                                                           : "Atentie!");
        EXPECT_EQ(t.value("select faratva from operatiuni"), c.net.isEmpty() ? "" : c.net);
        if (c.net.isEmpty()) {
            EXPECT_EQ(t.value("select max(platit) from facturi"), "0");
            EXPECT_TRUE(collection.isVisible());
        }
        collection.hide();
    }
}

TEST_F(Numbers, SeveralReceiptsSettleTheirInvoiceWithTheirTotalInCents) {
    struct Case {
        const char* name;
        QString stored, typed, owed;
        QStringList amounts;
        QString after;  // platit|restant
    };
    const Case cases[] = {
        {"paid in full by two", "57", "57", "119.00", {"100", "19"}, "1|0"},
        {"partly paid", "57", "57", "119.00", {"50"}, "0|69"},
        {"cents add up exactly", "57", "57", "0.30", {"0.10", "0.20"}, "1|0"},
        {"typed in lower case", "B5", "b5", "20", {"5", "5"}, "0|10"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        clean();
        bill(c.stored, "E", c.owed);
        runs.show();
        retype(runs.ui.Edit3, "05.10.2025");
        retype(runs.ui.Edit2, c.typed);
        for (int i = 0; i < c.amounts.size(); ++i) {
            retype(runs.ui.Edit9, QString::number(i + 1));
            retype(runs.ui.Edit13, c.amounts[i]);
            runs.ui.BitBtn6->click();
        }
        modals.answer("Nu");
        runs.ui.BitBtn4->click();
        EXPECT_EQ(t.value("select count(*) from operatiuni"), QString::number(c.amounts.size()));
        EXPECT_EQ(t.rows("select platit, restant from facturi"), QStringList{c.after});
        EXPECT_FALSE(runs.isVisible());
    }
}

}  // namespace kov::test
