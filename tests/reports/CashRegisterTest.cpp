#include <QProcess>
#include <QTemporaryDir>

#include "report_engine/PreviewWindow.h"
#include "reports/CashRegister.h"
#include "reports/RaportJurnal.h"
#include "tests/reports/ReportFixture.h"
#include "ui/Globals.h"
#include "ui/Progress.h"

using namespace kov::test;

namespace {

class CashRegister : public ReportTest {
  protected:
    CashRegister() {
        operation("02.03.2004", "CH. 5", "incasare", 0, 119, 100);
        operation("02.03.2004", "CH. 10", "incasare", 0, 11.9, 10, 1, 0, "PLATA D'ALE CASEI");
        operation("03.03.2004", "O.P. 7", "incasare", 1, 238, 200);
        operation("04.03.2004", "CH. 8", "Plata", 0, 59.5, 50);
        operation("05.03.2004", "O.P. 9", "plata", 1, 1190, 1000);
        operation("06.03.2004", "BF. 3", "plata", 0, 11.9, 10, 0);
        operation("06.03.2004", "CH. 11", "plata", 0, 11.9, 10, 1, 0, "ONORARIU", "RO200");
        operation("01.04.2004", "CH. 12", "plata", 0, 11.9, 10);
    }
};

}  // namespace

TEST_F(CashRegister, AmountsFollowTheVatSwitchAndTheFourTotalsAlwaysPrint) {
    struct {
        int tva;
        QStringList jurnal;
        QStringList totals;  // RLabel8, RLabel9, RLabel12, RLabel13
    } const cases[] = {
        {1,
         {"02.03.2004|CH. 10|PLATA D'ALE CASEI|10.00|||", "02.03.2004|CH. 5|ONORARIU|100.00|||",
          "03.03.2004|O.P. 7|ONORARIU||200.00||", "04.03.2004|CH. 8|ONORARIU|50.00|||",
          "05.03.2004|O.P. 9|ONORARIU||||1,000.00"},
         {"160.00", "200.00", "0.00", "1,000.00"}},
        {2,
         {"02.03.2004|CH. 10|PLATA D'ALE CASEI|11.90|||", "02.03.2004|CH. 5|ONORARIU|119.00|||",
          "03.03.2004|O.P. 7|ONORARIU||238.00||", "04.03.2004|CH. 8|ONORARIU|59.50|||",
          "05.03.2004|O.P. 9|ONORARIU||||1,190.00"},
         {"190.40", "238.00", "0.00", "1,190.00"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tva);
        db.exec(QStringLiteral("update datefirma set tva=%1 where codfiscal='RO100'").arg(c.tva));
        pickMonth(3, 2004);
        kov::reports::cashRegister();
        EXPECT_EQ(db.rows("select * from jurnal"), c.jurnal);
        EXPECT_EQ(FormProgress->text(),
                  "Se genereaza jurnalul de incasari si plati. Va rugam asteptati...");
        EXPECT_FALSE(FormProgress->isVisible());
        const kov::report::PageModel model = previewed(*RaportJurnal);
        const auto lines = detailLines(model);
        ASSERT_EQ(lines.size(), static_cast<size_t>(c.jurnal.size()));
        EXPECT_EQ(lines[0], QStringList{"1"} + c.jurnal[0].split(u'|'));
        EXPECT_EQ(lines[4], QStringList{"5"} + c.jurnal[4].split(u'|'));
        const char* labels[] = {"RLabel8", "RLabel9", "RLabel12", "RLabel13"};
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(textOf(model, labels[i]), c.totals[i]) << labels[i];
        }
        EXPECT_EQ(textOf(model, "RLabel1"), "S.C.");
        EXPECT_EQ(textOf(model, "RLabel2"), "ALFA SRL");
        EXPECT_EQ(textOf(model, "RLabel3"), "REGISTRU JURNAL DE INCASARI SI PLATI");
        EXPECT_EQ(textOf(model, "RLabel4"), "Martie 2004");
        const QStringList header = model.pages.front().texts();
        for (const char* caption : {"INCASARI", "PLATI", "Numerar", "Banca", "Explicatii",
                                    "Total:", "Intocmit", "pag. 1"}) {
            EXPECT_TRUE(header.contains(caption)) << caption;
        }
    }
    EXPECT_TRUE(modals.boxes().empty());

    // A month without register rows: jurnal emptied, the message, no new preview.
    modals.clear();
    pickMonth(6, 2004);
    kov::reports::cashRegister();
    EXPECT_TRUE(db.rows("select * from jurnal").isEmpty());
    ASSERT_EQ(modals.boxes().size(), 1u);
    EXPECT_EQ(modals.boxes()[0].text, "Nu exista inregistrari pe luna selectata!");
    EXPECT_EQ(modals.boxes()[0].title, "");
}

// The program also holds the e-Factura ZIP code; the spreadsheet's own zip calls must still
// reach the library they were written for, so the saved file opens.
TEST_F(CashRegister, PreviewSavesASpreadsheetThatReadsBack) {
    pickMonth(3, 2004);
    kov::reports::cashRegister();
    ASSERT_NE(RaportJurnal->previewWindow(), nullptr);
    QTemporaryDir dir;
    const QString path = dir.filePath("jurnal.xlsx");
    ASSERT_TRUE(RaportJurnal->previewWindow()->saveXlsx(path));
    QProcess unzip;
    unzip.start("unzip", {"-p", path, "xl/worksheets/sheet1.xml"});
    ASSERT_TRUE(unzip.waitForFinished());
    EXPECT_EQ(unzip.exitCode(), 0);
    const QByteArray sheet = unzip.readAllStandardOutput();
    EXPECT_TRUE(sheet.contains("REGISTRU JURNAL DE INCASARI SI PLATI"));
    EXPECT_TRUE(sheet.contains("O.P. 7"));
}
