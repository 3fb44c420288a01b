#include <gtest/gtest.h>

#include <QTest>
#include <QTreeWidget>

#include "data/Values.h"
#include "documents/Alegerefactura.h"
#include "maintenance/Selectaredocument.h"
#include "maintenance/Stergeredocument.h"
#include "tests/Support.h"
#include "ui/Globals.h"

namespace kov::test {

namespace {

const QString kMore = "Mai stergeti alte documente?";

class DeletionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SelectedFiscalCode = "RO1";
        FormSelectareDocument = &selector;
        FormAlegereFactura = &chooser;
        form.show();
    }
    void TearDown() override {
        form.hide();
        FormSelectareDocument = nullptr;
        FormAlegereFactura = nullptr;
        SelectedFiscalCode.clear();
    }
    void invoice(const QString& code, const QString& number, const QString& day = "05.03.2004",
                 const QString& partner = "P1", const QString& kind = "E") {
        t.exec(
            "insert into facturi (CODFISCAL,NRFACTURA,DATA,SUMA,FARATVA,PROCENTTVA,TVA,PLATIT,"
            "RESTANT,CODCLIENT,FELFACTURA) values('" +
            code + "','" + number + "','" + storedDate(day) + "',119,100,19,19,0,119,'" + partner +
            "','" + kind + "')");
    }
    void operation(const QString& code, const QString& number, const QString& day = "05.03.2004",
                   const QString& explanation = "X") {
        t.exec("insert into operatiuni values('" + code + "','" + storedDate(day) + "','" + number +
               "','" + explanation + "','',10,10,0,0,'plata','',1)");
    }
    void reset() {
        t.exec("delete from facturi");
        t.exec("delete from operatiuni");
    }
    QRadioButton* radio(int kind) {
        return std::array{form.ui.RadioButton1, form.ui.RadioButton2, form.ui.RadioButton3,
                          form.ui.RadioButton4, form.ui.RadioButton5}[kind];
    }
    QLineEdit* edit(int kind) {
        return std::array{form.ui.Edit1, form.ui.Edit3, form.ui.Edit4, form.ui.Edit5,
                          form.ui.Edit6}[kind];
    }
    QPushButton* button(int kind) {
        return std::array{form.ui.Button1, form.ui.Button3, form.ui.Button4, form.ui.Button5,
                          form.ui.Button6}[kind];
    }
    // Chooses a kind, types the number and deletes; "Nu" to deleting more closes the window.
    void remove(int kind, const QString& number) {
        if (!form.isVisible()) {
            form.show();
        }
        radio(kind)->click();
        QTest::keyClicks(edit(kind), number);
        modals.answer("Nu");
        form.ui.BitBtn4->click();
    }
    QStringList numbers(const QString& table, const QString& column) {
        return t.rows("select codfiscal || ':' || " + column + " from " + table + " order by 1");
    }

    TempDatabase t;
    Modals modals;
    TFormSelectareDocument selector;
    TFormAlegereFactura chooser;
    TFormStergere form;
};

}  // namespace

TEST_F(DeletionTest, EachKindDeletesItsPrefixedNumberOfTheSelectedCompanyOnly) {
    struct Case {
        int kind;
        QStringList invoices;
        QStringList operations;
    };
    const QStringList allOperations = {"RO1:7",      "RO1:BF. 7", "RO1:CH. 7", "RO1:F.7 + CH.9",
                                       "RO1:O.P. 7", "RO2:7",     "RO2:CH. 7"};
    const auto without = [&](const QString& gone) {
        QStringList l = allOperations;
        l.removeAll(gone);
        return l;
    };
    const Case cases[] = {
        {0, {"RO1:BF. 7", "RO2:7"}, allOperations},
        {1, {"RO1:7", "RO2:7"}, without("RO1:BF. 7")},
        {2, {"RO1:7", "RO1:BF. 7", "RO2:7"}, without("RO1:O.P. 7")},
        {3, {"RO1:7", "RO1:BF. 7", "RO2:7"}, without("RO1:CH. 7")},
        {4, {"RO1:7", "RO1:BF. 7", "RO2:7"}, without("RO1:7")},
    };
    for (const Case& c : cases) {
        reset();
        invoice("RO1", "7");
        invoice("RO1", "BF. 7");
        invoice("RO2", "7");
        for (const char* n : {"7", "BF. 7", "O.P. 7", "CH. 7", "F.7 + CH.9"}) {
            operation("RO1", n);
        }
        operation("RO2", "7");
        operation("RO2", "CH. 7");
        modals.clear();
        remove(c.kind, "7");
        ASSERT_EQ(modals.texts(), QStringList({kMore})) << c.kind;
        EXPECT_EQ(modals.boxes()[0].title, "");
        EXPECT_EQ(numbers("facturi", "nrfactura"), c.invoices) << c.kind;
        EXPECT_EQ(numbers("operatiuni", "nrdoc"), c.operations) << c.kind;
        EXPECT_FALSE(form.isVisible());
        EXPECT_EQ(form.result(), 1);
    }

    // "Da" to deleting more: the window starts over; "Renuntare" deletes nothing.
    form.show();
    radio(2)->click();
    QTest::keyClicks(edit(2), "1");
    modals.answer("Da");
    form.ui.BitBtn4->click();
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(form.ui.RadioButton1->isChecked());
    EXPECT_EQ(edit(2)->text(), "");
    EXPECT_EQ(enabledMask({form.ui.Edit1, form.ui.Button1, form.ui.CheckBox1, form.ui.Edit2,
                           form.ui.Edit3, form.ui.Edit4, form.ui.Edit5, form.ui.Edit6}),
              "11100000");
    QTest::keyClicks(form.ui.Edit1, "7");
    form.ui.BitBtn5->click();
    EXPECT_EQ(numbers("facturi", "nrfactura").size(), 3);
}

TEST_F(DeletionTest, AnInvoiceTakesItsSettledAtIssueReceiptOnlyWhenAsked) {
    struct Case {
        QString invoice;
        bool ticked;
        QString receipt;  // what the look-up shows
        QStringList remaining;
    };
    const Case cases[] = {
        {"7", true, "9", {"F.70 + CH.1", "F.8 + BF.3"}},
        {"8", true, "3", {"F.7 + CH.9", "F.70 + CH.1"}},
        {"6", true, "Nu are", {"F.7 + CH.9", "F.70 + CH.1", "F.8 + BF.3"}},
        {"7", false, "", {"F.7 + CH.9", "F.70 + CH.1", "F.8 + BF.3"}},
    };
    for (const Case& c : cases) {
        reset();
        for (const char* n : {"6", "7", "8"}) {
            invoice("RO1", n);
        }
        for (const char* n : {"F.7 + CH.9", "F.8 + BF.3", "F.70 + CH.1"}) {
            operation("RO1", n);
        }
        form.show();
        QTest::keyClicks(form.ui.Edit1, c.invoice);
        if (c.ticked) {
            form.ui.CheckBox1->click();
        }
        EXPECT_EQ(form.ui.Edit2->text(), c.receipt) << c.invoice.toStdString();
        EXPECT_EQ(form.ui.Edit2->isEnabled(), c.ticked && c.receipt != "Nu are");
        modals.answer("Nu");
        form.ui.BitBtn4->click();
        EXPECT_EQ(t.rows("select nrdoc from operatiuni order by nrdoc"), c.remaining);
        EXPECT_EQ(t.rows("select count(*) from facturi where nrfactura='" + c.invoice + "'"),
                  QStringList({"0"}));
    }
}

TEST_F(DeletionTest, SeveralDocumentsWithOneNumberGoOnlyAfterTheUserAgrees) {
    struct Case {
        int kind;
        QString number;
        int documents;
        const char* answer;  // nullptr: nothing asked
        int remaining;
    };
    const Case cases[] = {
        {4, "CHIRIE", 12, "Nu", 12},  // twelve monthly payments
        {4, "CHIRIE", 12, "Da", 0},
        {3, "4", 1, nullptr, 0},
    };
    for (const Case& c : cases) {
        reset();
        for (int i = 0; i < c.documents; ++i) {
            const QString day = QString("01.%1.2004").arg(i + 1);
            if (c.kind == 0) {
                invoice("RO1", c.number, day, "P1", i % 2 ? "I" : "E");
            } else {
                operation("RO1", c.kind == 3 ? "CH. " + c.number : c.number, day);
            }
        }
        modals.clear();
        if (c.answer) {
            modals.answer(c.answer);
        }
        remove(c.kind, c.number);
        QStringList expected;
        if (c.answer) {
            expected << "Vor fi sterse " + QString::number(c.documents) + " documente cu numarul " +
                            c.number + ". Continuati?";
            EXPECT_EQ(modals.boxes()[0].title, "Atentie!");
        }
        expected << kMore;
        EXPECT_EQ(modals.texts(), expected);
        EXPECT_EQ(t.rows(c.kind == 0 ? "select count(*) from facturi"
                                     : "select count(*) from operatiuni"),
                  QStringList({QString::number(c.remaining)}));
    }
}

TEST_F(DeletionTest, SelectionListsShowEachKindAndTheChoiceIsForgottenOnEveryShowing) {
    t.exec("insert into firme (cod, denumire) values('P1', 'ALFA SRL')");
    invoice("RO1", "12", "05.03.2004", "P1");
    invoice("RO1", "13", "06.03.2004", "PF 1800101");
    invoice("RO1", "BF. 4", "07.03.2004", "P1", "I");
    invoice("RO2", "99");
    operation("RO1", "O.P. 2", "08.03.2004", "PLATA");
    operation("RO1", "CH. 3", "09.03.2004", "INCASARE");
    operation("RO1", "CHIRIE", "10.03.2004", "CHIRIE LUNA");
    operation("RO1", "F.12 + CH.5", "05.03.2004", "ONORARIU");
    operation("RO1", "BF. 4", "07.03.2004", "BENZINA");
    struct Case {
        int kind;
        QStringList list;
    };
    const Case cases[] = {
        {0, {"12|05.03.2004|ALFA SRL", "13|06.03.2004|PF 1800101"}},
        {1, {"4|07.03.2004|ALFA SRL"}},
        {2, {"2|08.03.2004|PLATA"}},
        {3, {"3|09.03.2004|INCASARE"}},
        {4, {"CHIRIE|10.03.2004|CHIRIE LUNA"}},
    };
    const auto listed = [this] {
        QStringList out;
        for (int i = 0; i < selector.ui.ListView1->topLevelItemCount(); ++i) {
            const auto* item = selector.ui.ListView1->topLevelItem(i);
            out << item->text(0) + "|" + item->text(1) + "|" + item->text(2);
        }
        return out;
    };
    const auto rowCentre = [this](int row) {
        auto* list = selector.ui.ListView1;
        return list->visualItemRect(list->topLevelItem(row)).center();
    };
    for (const Case& c : cases) {
        radio(c.kind)->click();
        QStringList seen;
        modals.handle([&](QWidget*) {
            seen = listed();
            QTest::mouseDClick(selector.ui.ListView1->viewport(), Qt::LeftButton, {}, rowCentre(0));
        });
        button(c.kind)->click();
        EXPECT_EQ(seen, c.list) << c.kind;
        EXPECT_EQ(edit(c.kind)->text(), c.list[0].section('|', 0, 0));
    }

    // The invoice picked from the list gets its receipt looked up.
    radio(0)->click();
    form.ui.CheckBox1->click();
    modals.handle([&](QWidget*) {
        QTest::mouseClick(selector.ui.ListView1->viewport(), Qt::LeftButton, {}, rowCentre(0));
        click(&selector, "Acceptare");
    });
    button(0)->click();
    EXPECT_EQ(form.ui.Edit1->text(), "12");
    EXPECT_EQ(form.ui.Edit2->text(), "5");

    // Without a click in the list, or after a click on empty space, nothing is chosen.
    for (bool emptySpace : {false, true}) {
        modals.handle([&](QWidget*) {
            if (emptySpace) {
                QTest::mouseClick(selector.ui.ListView1->viewport(), Qt::LeftButton, {},
                                  rowCentre(0));
                QTest::mouseClick(selector.ui.ListView1->viewport(), Qt::LeftButton, {},
                                  QPoint(5, selector.ui.ListView1->viewport()->height() - 5));
            }
            click(&selector, "Acceptare");
        });
        button(0)->click();
        EXPECT_EQ(form.ui.Edit1->text(), "") << emptySpace;
    }
    EXPECT_EQ(modals.pending(), 0u);
}

}  // namespace kov::test
