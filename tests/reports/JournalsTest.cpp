#include <QDir>
#include <QProcess>
#include <QTest>

#include "report_engine/PreviewWindow.h"
#include "reports/Journals.h"
#include "reports/RaportJurCumpN.h"
#include "reports/RaportJurVanzN.h"
#include "tests/reports/ReportFixture.h"
#include "ui/Globals.h"
#include "ui/Progress.h"

using namespace kov::test;

namespace {

class Journals : public ReportTest {
  protected:
    Journals() {
        db.exec("insert into firme (COD,DENUMIRE,CODFISCAL) values('A1','O''NEIL SRL','RO555')");
        invoice("E", "1", "5.3.2004", "A1", 100, 19);
        invoice("E", "10", "05.03.2004", "A1", 1000, 19);
        invoice("E", "2", "05.03.2004", "PF 1800101123456", 50, 0);
        invoice("E", "3", "10.03.2004", "A1", 200, 9);
        invoice("E", "4", "10.03.2004", "A1", 100, 21);
        invoice("I", "F77", "07.03.2004", "A1", 1000, 19);
        // Other companies, months, years and kinds.
        invoice("E", "5", "10.03.2004", "A1", 300, 19, "RO200");
        invoice("E", "6", "01.04.2004", "A1", 300, 19);
        invoice("E", "7", "10.03.2005", "A1", 300, 19);
        invoice("I", "F78", "10.02.2004", "A1", 300, 0);
    }
};

struct JournalCase {
    const char* what;
    bool sales;
    int month;
    QStringList registru;  // DATA|NRFACTURA|DENUMIRE|CODFISCAL|SUMA|SCUTITTVA|...|VALTVA9
    QStringList totals;    // LTotal, LScutit, LFaraTVA, LTVA, LFaraTVA9, LTVA9
    QString message;
};

const QString kRegistru =
    "select DATA,NRFACTURA,DENUMIRE,CODFISCAL,SUMA,SCUTITTVA,FARATVA,VALTVA,FARATVA9,VALTVA9 "
    "from registru";

}  // namespace

TEST_F(Journals, FillRegistruSplitByRateAndPrintEveryLineAndTotal) {
    const JournalCase cases[] = {
        {"sales: 19, 0 for a private person, 9 and 21 in the second pair",
         true,
         3,
         {"05.03.2004|1|O'NEIL SRL|RO555|119.00||100.00|19.00||",
          "05.03.2004|10|O'NEIL SRL|RO555|1,190.00||1,000.00|190.00||",
          "05.03.2004|2|Persoana fizica|1800101123456|50.00|50.00||||",
          "10.03.2004|3|O'NEIL SRL|RO555|218.00||||200.00|18.00",
          "10.03.2004|4|O'NEIL SRL|RO555|121.00||||100.00|21.00"},
         {"1,698.00", "50.00", "1,100.00", "209.00", "300.00", "39.00"},
         {}},
        {"purchases: only 19 %, the empty sums print nothing",
         false,
         3,
         {"07.03.2004|F77|O'NEIL SRL|RO555|1,190.00||1,000.00|190.00||"},
         {"1,190.00", "", "1,000.00", "190.00", "", ""},
         {}},
        {"sales, empty month",
         true,
         2,
         {},
         {},
         "Nu exista inregistrari la vanzari pe luna selectata!"},
        {"purchases, empty month",
         false,
         4,
         {},
         {},
         "Nu exista inregistrari la cumparari pe luna selectata!"},
    };
    for (const JournalCase& c : cases) {
        SCOPED_TRACE(c.what);
        modals.clear();
        pickMonth(c.month, 2004);
        kov::reports::JournalReport& form =
            c.sales ? static_cast<kov::reports::JournalReport&>(*RaportJurVanzN)
                    : static_cast<kov::reports::JournalReport&>(*RaportJurCumpN);
        const int before = form.previewWindow() ? 1 : 0;
        c.sales ? kov::reports::salesJournal() : kov::reports::purchaseJournal();
        EXPECT_EQ(db.rows(kRegistru), c.registru);
        EXPECT_FALSE(FormProgress->isVisible());
        if (saidOnly(c.message)) {
            continue;
        }
        EXPECT_EQ(FormProgress->text(),
                  c.sales ? "Se genereaza jurnalul de vanzari. Va rugam asteptati..."
                          : "Se genereaza jurnalul de cumparari. Va rugam asteptati...");
        ASSERT_TRUE(form.previewWindow() && form.previewWindow()->isVisible()) << before;
        const kov::report::PageModel model = previewed(form);
        EXPECT_EQ(model.paper, QSizeF(297, 210));
        const auto lines = detailLines(model);
        ASSERT_EQ(lines.size(), static_cast<size_t>(c.registru.size()));
        for (size_t i = 0; i < lines.size(); ++i) {
            // The sales journal's column without the right of deduction comes last.
            EXPECT_EQ(lines[i].mid(0, 11), QStringList{QString::number(i + 1)} +
                                               c.registru[static_cast<qsizetype>(i)].split(u'|'));
        }
        const char* labels[] = {"LTotal", "LScutit", "LFaraTVA", "LTVA", "LFaraTVA9", "LTVA9"};
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(textOf(model, labels[i]), c.totals[i]) << labels[i];
        }
        EXPECT_EQ(textOf(model, "RLabel13"), "S.C.");
        EXPECT_EQ(textOf(model, "RLabel12"), "ALFA SRL");
        EXPECT_EQ(textOf(model, "RLabel14"), "Martie 2004");
        EXPECT_EQ(textOf(model, "RLabel1"),
                  c.sales ? "JURNAL PENTRU VANZARI" : "JURNAL PENTRU CUMPARARI");
        EXPECT_EQ(textOf(model, "LCota1"), "Operatiuni taxabile\n- cota 19 % -");
        EXPECT_EQ(textOf(model, "LCota2"), "Operatiuni taxabile\n- cota 9 % -");
        const QStringList texts = model.pages.front().texts();
        for (const char* caption :
             {"- lei -", "Nr.\nCrt.", "Data", "Denumirea", "Codul\nde\ninregis-\ntrare fiscala",
              "Total pe jurnal :", "Intocmit", "pag. 1"}) {
            EXPECT_TRUE(texts.contains(caption)) << caption;
        }
        EXPECT_TRUE(texts.contains(c.sales ? "Beneficiarul" : "Furnizor/prestator"));
        EXPECT_EQ(texts.filter("deducere -").size(), c.sales ? 2 : 0);
        EXPECT_EQ(texts.contains("Cumparari\nscutite\nde TVA"), !c.sales);
    }
}

TEST_F(Journals, ThePreviewSavesThePagesAsPdf) {
    pickMonth(3, 2004);
    kov::reports::salesJournal();
    ASSERT_TRUE(RaportJurVanzN->previewWindow());
    const QString path = QDir::homePath() + "/jurnal.pdf";
    ASSERT_TRUE(RaportJurVanzN->previewWindow()->savePdf(path));
    QProcess text;
    text.start("pdftotext", {"-layout", path, "-"});
    ASSERT_TRUE(text.waitForFinished(30000));
    const QString pdf = QString::fromUtf8(text.readAllStandardOutput());
    for (const char* expected : {"JURNAL PENTRU VANZARI", "Martie 2004", "Persoana fizica",
                                 "O'NEIL SRL", "1,698.00", "Total pe jurnal :", "pag. 1"}) {
        EXPECT_TRUE(pdf.contains(expected)) << expected;
    }
}

TEST_F(Journals, CancelledMonthLeavesRegistruAsItWas) {
    db.exec("insert into registru (DATA) values('x')");
    modals.answer("Renuntare");
    kov::reports::salesJournal();
    EXPECT_EQ(db.rows("select DATA from registru"), QStringList{"x"});
    EXPECT_EQ(RaportJurVanzN->previewWindow(), nullptr);
}

// The column pairs follow the rates in force in the reported month: the standard rate of the
// invoice's day goes first, every other rate second.
TEST_F(Journals, CaptionsAndColumnsFollowTheRatesInForce) {
    struct Case {
        int month, year;
        const char *standard, *reduced;
        QStringList registru;
    };
    invoice("E", "21", "05.08.2025", "A1", 100, 21);
    invoice("E", "22", "05.08.2025", "A1", 100, 11);
    invoice("E", "23", "06.08.2025", "A1", 100, 19);
    invoice("E", "24", "06.08.2025", "A1", 50, 0);
    invoice("E", "25", "05.07.2025", "A1", 100, 21);
    invoice("E", "26", "05.07.2016", "A1", 100, 20);
    invoice("E", "27", "05.07.2016", "A1", 100, 5);
    const Case cases[] = {
        {8,
         2025,
         "- cota 21 % -",
         "- cota 11 % -",
         {"05.08.2025|21|O'NEIL SRL|RO555|121.00||100.00|21.00||",
          "05.08.2025|22|O'NEIL SRL|RO555|111.00||||100.00|11.00",
          "06.08.2025|23|O'NEIL SRL|RO555|119.00||||100.00|19.00",
          "06.08.2025|24|O'NEIL SRL|RO555|50.00|50.00||||"}},
        {7,
         2025,
         "- cota 19 % -",
         "- cota redusa -",
         {"05.07.2025|25|O'NEIL SRL|RO555|121.00||||100.00|21.00"}},
        {7,
         2016,
         "- cota 20 % -",
         "- cota redusa -",
         {"05.07.2016|26|O'NEIL SRL|RO555|120.00||100.00|20.00||",
          "05.07.2016|27|O'NEIL SRL|RO555|105.00||||100.00|5.00"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.year * 100 + c.month);
        pickMonth(c.month, c.year);
        kov::reports::salesJournal();
        EXPECT_EQ(db.rows(kRegistru), c.registru);
        const kov::report::PageModel model = previewed(*RaportJurVanzN);
        EXPECT_EQ(textOf(model, "LCota1"), QString("Operatiuni taxabile\n") + c.standard);
        EXPECT_EQ(textOf(model, "LCota2"), QString("Operatiuni taxabile\n") + c.reduced);
    }
}
