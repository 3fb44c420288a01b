// Spreadsheet figures: a 10,000-line sales journal (eleven columns, amounts as the journal
// stores them, totals in the summary) written to XLSX and to CSV. With a folder argument the
// files stay there, with the journal's PDF beside them, for reading back by other programs.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>

#include "data/Database.h"
#include "data/Query.h"
#include "data/Values.h"
#include "report_engine/PagePainter.h"
#include "report_engine/ReportForm.h"
#include "report_engine/SheetWriter.h"

using namespace kov;
using namespace kov::report;

namespace {

constexpr int kRows = 10000;
const char* const kAmounts[] = {"SUMA", "SCUTITTVA", "FARATVA", "VALTVA", "FARATVA9", "VALTVA9"};
const char* const kTotals[] = {"LTotal", "LScutit", "LFaraTVA", "LTVA", "LFaraTVA9", "LTVA9"};

// The journal's lines as its command writes them: every value a text, amounts "1,234.50",
// a rate's columns empty when the invoice has another rate. Returns the six column sums.
std::vector<double> fill() {
    std::vector<double> sums(6, 0.0);
    Transaction t;
    Query q;
    for (int i = 1; i <= kRows; ++i) {
        const double base = (i % 997) * 12.5 + (i % 7) * 0.01 - (i % 50 == 0 ? 2000 : 0);
        const int rate = i % 5 == 0 ? 0 : (i % 3 == 0 ? 9 : 19);
        const double vat = roundAmount(base * rate / 100.0);
        const double values[6] = {base + vat,           rate == 0 ? base : 0, rate == 19 ? base : 0,
                                  rate == 19 ? vat : 0, rate == 9 ? base : 0, rate == 9 ? vat : 0};
        QStringList texts{QStringLiteral("%1.03.2004").arg(i % 28 + 1, 2, 10, QChar(u'0')),
                          QString::number(1000 + i), QStringLiteral("Client nr. %1 SRL").arg(i),
                          QStringLiteral("RO%1").arg(100000 + i)};
        for (int c = 0; c < 6; ++c) {
            const bool shown = c == 0 || values[c] != 0 || (c == 1 && rate == 0);
            texts << (shown ? displayAmount(values[c]) : QString());
            sums[static_cast<size_t>(c)] += values[c];
        }
        q.setSql(
            "insert into registru (DATA,NRFACTURA,DENUMIRE,CODFISCAL,SUMA,SCUTITTVA,FARATVA,"
            "VALTVA,FARATVA9,VALTVA9) values ('" +
            texts.join("','") + "')");
        q.execSql();
    }
    t.commit();
    return sums;
}

void build(ReportForm& r, const std::vector<double>& sums) {
    r.setA4(Orientation::Landscape);
    r.setTitle(QStringLiteral("JURNAL PENTRU VANZARI"));
    r.setFooterOnLastPage(true);
    const Font narrow{"Arial Narrow", 8, false};
    const Font bold{"Arial Narrow", 8, true};
    Band& title = r.addBand(BandKind::Title, 24);
    title.addLabel("RLabel13", {0, 0, 100, 5}, "FIRMA DEMONSTRATIVA SRL", {"Arial", 10, true});
    title.addLabel("RLabel1", {0, 8, 277, 8}, "JURNAL PENTRU VANZARI", {"Arial", 16, true},
                   Align::Center);
    title.addLabel("RLabel14", {0, 17, 277, 6}, "Martie 2004", {"Arial", 12, true}, Align::Center);
    Band& header = r.addBand(BandKind::ColumnHeader, 12);
    Band& detail = r.addBand(BandKind::Detail, 4.5);
    Band& summary = r.addBand(BandKind::Summary, 8);
    const QStringList captions{"Nr.\nCrt.",    "Data",           "Nr.",     "Denumirea",
                               "Codul fiscal", "Total document", "Scutite", "Baza 19%",
                               "TVA 19%",      "Baza 9%",        "TVA 9%"};
    const double widths[] = {9, 17, 17, 51, 20, 27, 27, 28, 27, 28, 26};
    double x = 0;
    for (int c = 0; c < 11; ++c) {
        const QRectF cell(x + 0.5, 0.5, widths[c] - 1, 3.5);
        header.addLabel(QStringLiteral("RLabelC%1").arg(c), {x, 1, widths[c], 10}, captions[c],
                        bold, Align::Center);
        if (c == 0) {
            detail.addSystemData("RSysData1", cell, narrow);
        } else if (c < 5) {
            static const char* const fields[] = {"DATA", "NRFACTURA", "DENUMIRE", "CODFISCAL"};
            detail.addDataText(QStringLiteral("RDBText%1").arg(c), cell, fields[c - 1], narrow,
                               c == 1 || c == 4 ? Align::Right : Align::Left);
        } else {
            detail.addDataText(QStringLiteral("RDBText%1").arg(c), cell, kAmounts[c - 5], narrow,
                               Align::Right, Mask::Amount);
            const double sum = sums[static_cast<size_t>(c - 5)];
            summary.addLabel(kTotals[c - 5], {x + 0.5, 2, widths[c] - 1, 4},
                             c == 5 || sum != 0 ? displayAmount(sum) : QString(), bold,
                             Align::Right);
        }
        x += widths[c];
    }
    summary.addLabel("RLabel2", {0.5, 2, 80, 4}, "Total pe jurnal :", bold);
    r.addBand(BandKind::PageFooter, 6)
        .addExpression("RExpr1", {0, 1, 40, 4}, "'pag. ' + PAGENUMBER", narrow);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QTemporaryDir scratch;
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : scratch.path());
    Database db(kMainDatabase);
    db.open(scratch.filePath("bench.db"), true);
    const std::vector<double> sums = fill();

    ReportForm report;
    build(report, sums);
    report.query().setSql("select * from registru order by rowid");
    report.query().open();
    QElapsedTimer clock;
    clock.start();
    const PageModel model = report.layout();
    std::printf("layout of a %d-line journal: %d pages in %.1f ms\n", kRows, model.pageCount(),
                clock.nsecsElapsed() / 1e6);

    const QString xlsx = out.filePath("jurnal.xlsx");
    const QString csv = out.filePath("jurnal.csv");
    // Wall time, and the processor time of this process, which other programs on a busy
    // machine do not inflate.
    const auto timed = [&](const char* name, auto&& write) {
        const std::clock_t cpu = std::clock();
        clock.restart();
        const bool ok = write();
        std::printf("  %s: %.1f ms (processor %.1f ms)%s", name, clock.nsecsElapsed() / 1e6,
                    (std::clock() - cpu) * 1000.0 / CLOCKS_PER_SEC, ok ? "" : " FAILED");
    };
    for (int run = 1; run <= 3; ++run) {
        std::printf("run %d:", run);
        timed("XLSX", [&] { return writeXlsx(xlsx, model); });
        timed("CSV", [&] { return writeCsv(csv, model); });
        std::printf("  (target < 500 ms each)\n");
    }
    std::printf("files: %lld and %lld bytes\n", QFileInfo(xlsx).size(), QFileInfo(csv).size());
    if (argc > 1) {
        writePdf(out.filePath("jurnal.pdf"), model);
        std::printf("kept in %s\n", qPrintable(out.path()));
    }
    return 0;
}
