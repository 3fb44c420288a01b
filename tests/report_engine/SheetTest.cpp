#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <numeric>

#include "data/Values.h"
#include "report_engine/PreviewWindow.h"
#include "report_engine/SheetWriter.h"
#include "tests/Support.h"
#include "tests/report_engine/DemoReport.h"

using namespace kov;
using namespace kov::report;
using kov::test::DemoReport;
using kov::test::TempDatabase;

namespace {

const QString kExplanation = QStringLiteral("Avans d'la \"Șoim\", pădure");
const QString kPeriod = QStringLiteral("Martie 2004 – ăâîșț");

// The demo report over 300 receipts, one of them negative, one with an apostrophe, diacritics,
// quotes and a comma, one without a document number; previewed, its data set closed.
struct Demo {
    TempDatabase db;
    DemoReport report;
    int printed = 0;
    QStringList nrdoc, explanation;
    std::vector<double> amounts;

    Demo() {
        test::fillReceipts(300);
        db.exec("update operatiuni set SUMA=-12.34 where NRDOC='CH. 5'");
        db.exec("update operatiuni set FELOPERATIE='" + sqlEscape(kExplanation) +
                "' where NRDOC='CH. 3'");
        db.exec("update operatiuni set NRDOC='' where NRDOC='CH. 8'");
        for (const QString& row :
             db.rows("select NRDOC,FELOPERATIE,SUMA from operatiuni order by rowid")) {
            const QStringList f = row.split(u'|');
            nrdoc << f[0];
            explanation << f[1];
            amounts.push_back(*parseNumber(f[2]));
        }
        QObject::connect(&report, &ReportForm::AfterPrint, [this] { ++printed; });
        report.setCaption("RLabel2", kPeriod);
        report.query().setSql("select * from operatiuni order by rowid");
        report.query().open();
        EXPECT_TRUE(report.preview());
        report.query().close();
    }
    PreviewWindow& preview() { return *report.previewWindow(); }
    // Every printed text of a detail control, over all pages.
    QStringList printedTexts(const QString& name) {
        QStringList out;
        for (const Page& page : preview().model().pages) {
            for (const PlacedItem* item : page.find(name)) {
                out << item->text;
            }
        }
        return out;
    }
    double total() const { return std::accumulate(amounts.begin(), amounts.end(), 0.0); }
};

// A read-back cell: its text, or a number with the format it is shown with.
struct Cell {
    QString text;
    double number = 0;
    QString format;  // number format of a numeric cell
    bool numeric = false;
};
using Grid = std::vector<std::vector<Cell>>;

QByteArray unzip(const QString& path, const QString& member) {
    QProcess p;
    p.start("unzip", {"-p", path, member});
    EXPECT_TRUE(p.waitForFinished(30000) && p.exitCode() == 0) << member.toStdString();
    return p.readAllStandardOutput();
}

// Every element's attributes and text, in document order, handed to a visitor.
template <class Visit>
void readXml(const QByteArray& xml, Visit&& visit) {
    QXmlStreamReader r(xml);
    while (!r.atEnd()) {
        if (r.readNext() == QXmlStreamReader::StartElement) {
            visit(r);
        }
    }
    EXPECT_FALSE(r.hasError()) << r.errorString().toStdString();
}

// The first sheet of a workbook as a grid (texts are written inline), number formats named.
Grid readXlsx(const QString& path, QByteArray* sheetXml) {
    // Built-in formats are named by number only.
    QHash<int, QString> formats{
        {0, "General"}, {1, "0"}, {2, "0.00"}, {3, "#,##0"}, {4, "#,##0.00"}};
    QList<int> styles;
    bool inCellXfs = false;
    readXml(unzip(path, "xl/styles.xml"), [&](QXmlStreamReader& r) {
        const auto a = r.attributes();
        if (r.name() == u"numFmt") {
            formats[a.value("numFmtId").toInt()] = a.value("formatCode").toString();
        } else if (r.name() == u"cellXfs" || r.name() == u"cellStyleXfs") {
            inCellXfs = r.name() == u"cellXfs";
        } else if (r.name() == u"xf" && inCellXfs) {
            styles << a.value("numFmtId").toInt();
        }
    });
    *sheetXml = unzip(path, "xl/worksheets/sheet1.xml");
    Grid grid;
    Cell* cell = nullptr;
    QString type;
    readXml(*sheetXml, [&](QXmlStreamReader& r) {
        const auto a = r.attributes();
        if (r.name() == u"row") {
            grid.resize(a.value("r").toUInt());
        } else if (r.name() == u"c") {
            const QString ref = a.value("r").toString();
            auto& row = grid.back();
            row.resize(std::max<size_t>(row.size(), ref[0].unicode() - 'A' + 1));
            cell = &row[ref[0].unicode() - 'A'];
            type = a.value("t").toString();
            cell->format = formats.value(styles.value(a.value("s").toInt()));
        } else if (r.name() == u"v" && cell) {
            cell->numeric = type.isEmpty();
            cell->number = r.readElementText().toDouble();
        } else if (r.name() == u"t" && cell && type == "inlineStr") {
            cell->text = r.readElementText();
        }
    });
    return grid;
}

// RFC 4180: quoted fields may hold commas, quotes (doubled) and line breaks; records end CRLF.
std::vector<QStringList> parseCsv(const QString& text) {
    std::vector<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
                field += c;
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            record << std::exchange(field, {});
        } else if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            record << std::exchange(field, {});
            records.push_back(std::exchange(record, {}));
            ++i;
        } else {
            EXPECT_NE(c, u'\n') << "bare line feed in record " << records.size() + 1;
            field += c;
        }
    }
    EXPECT_TRUE(field.isEmpty() && record.isEmpty()) << "last record not ended by CRLF";
    return records;
}

QDate fromSerial(double serial) {
    return QDate(1899, 12, 30).addDays(static_cast<qint64>(serial));
}

}  // namespace

TEST(ReportSheet, XlsxHoldsEveryPrintedCellTypedWithTheTotalsAndPrintSetUp) {
    Demo demo;
    ASSERT_GT(demo.preview().pageCount(), 1);
    QTemporaryDir dir;
    const QString path = dir.filePath("raport.xlsx");
    ASSERT_TRUE(demo.preview().saveXlsx(path));
    EXPECT_EQ(demo.preview().statusText(),
              "Raportul a fost salvat in " + QDir::toNativeSeparators(path));
    EXPECT_EQ(demo.printed, 0);

    QByteArray sheetXml;
    const Grid grid = readXlsx(path, &sheetXml);
    ASSERT_EQ(grid.size(), 3 + 1 + 1 + 300 + 2u);
    const QStringList heading{"FIRMA DEMONSTRATIVA SRL", "RAPORT DEMONSTRATIV", kPeriod};
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(grid[r].at(0).text, heading[r]);
    }
    EXPECT_TRUE(grid[3].empty());
    QStringList header;
    for (const Cell& c : grid[4]) {
        header << c.text;
    }
    EXPECT_EQ(header, QStringList({"Nr. crt", "Data", "Documentul", "Explicatii", "Suma"}));

    const QStringList lines = demo.printedTexts("RSysData1"), dates = demo.printedTexts("RDBText1"),
                      docs = demo.printedTexts("RDBText2"), texts = demo.printedTexts("RDBText3"),
                      sums = demo.printedTexts("RDBText4");
    ASSERT_EQ(lines.size(), 300);
    for (int i = 0; i < 300; ++i) {
        SCOPED_TRACE(i);
        const auto& row = grid[static_cast<size_t>(5 + i)];
        ASSERT_EQ(row.size(), 5u);
        EXPECT_TRUE(row[0].numeric && row[0].format == "0");
        EXPECT_EQ(QString::number(row[0].number), lines[i]);
        EXPECT_TRUE(row[1].numeric && row[1].format == "dd.mm.yyyy");
        EXPECT_EQ(formatDate(fromSerial(row[1].number)), dates[i]);
        EXPECT_FALSE(row[2].numeric);
        EXPECT_EQ(row[2].text, docs[i]);
        EXPECT_EQ(row[2].text, demo.nrdoc[i]);
        EXPECT_EQ(row[3].text, texts[i]);
        EXPECT_EQ(row[3].text, demo.explanation[i]);
        EXPECT_TRUE(row[4].numeric && row[4].format == "#,##0.00");
        EXPECT_EQ(cents(row[4].number), cents(demo.amounts[i]));
        EXPECT_EQ(displayAmount(row[4].number), sums[i]);
    }
    EXPECT_TRUE(grid[12].at(2).text.isEmpty());  // CH. 8 lost its number: an empty cell

    const auto& total = grid[305];
    EXPECT_EQ(total.at(0).text, "Total:");
    EXPECT_TRUE(total.at(4).numeric && total[4].format == "#,##0.00");
    EXPECT_EQ(cents(total[4].number), cents(demo.total()));
    EXPECT_EQ(displayAmount(total[4].number), demo.printedTexts("RExpr1").constFirst());
    EXPECT_EQ(grid[306].at(0).text, "Intocmit");

    // Header frozen, repeated on printed pages, portrait A4, columns sized to their content.
    EXPECT_TRUE(sheetXml.contains(R"(<pane ySplit="5" topLeftCell="A6")"));
    EXPECT_TRUE(sheetXml.contains(R"(state="frozen")"));
    EXPECT_TRUE(sheetXml.contains(R"(<pageSetup paperSize="9")"));
    EXPECT_TRUE(sheetXml.contains(R"(orientation="portrait")"));
    const QByteArray book = unzip(path, "xl/workbook.xml");
    EXPECT_TRUE(book.contains(R"(<sheet name="Raport demonstrativ")"));
    EXPECT_TRUE(book.contains("_xlnm.Print_Titles"));
    QList<double> widths;
    readXml(sheetXml, [&](QXmlStreamReader& r) {
        if (r.name() == u"col") {
            widths << r.attributes().value("width").toDouble();
        }
    });
    ASSERT_EQ(widths.size(), 5);
    EXPECT_LT(widths[0], widths[1]);  // "300" against "08.03.2004"
    EXPECT_GT(widths[3], kExplanation.size());
}

TEST(ReportSheet, CsvHoldsTheSameRowsFromTheSaveDialog) {
    Demo demo;
    QTemporaryDir dir;
    const QString path = dir.filePath("jurnal.csv");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("vechi") == 5);
    file.close();
    test::Modals modals;
    QString proposed;
    modals.handle([&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        proposed = QFileInfo(dialog->selectedFiles().value(0)).fileName();
        dialog->setDirectory(dir.path());
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        name->setText("jurnal");
        static_cast<QDialog*>(dialog)->accept();  // the file dialog's own checks run
    });
    modals.answer("Yes");  // the file dialog asks before "jurnal" replaces jurnal.csv
    test::click(&demo.preview(), "Salvare CSV");
    EXPECT_EQ(proposed, "Raport demonstrativ.csv");
    EXPECT_EQ(modals.boxes().size(), 1u);
    EXPECT_EQ(modals.pending(), 0u);
    EXPECT_EQ(demo.preview().statusText(),
              "Raportul a fost salvat in " + QDir::toNativeSeparators(path));
    EXPECT_EQ(demo.printed, 0);

    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    const auto records = parseCsv(QString::fromUtf8(bytes.mid(3)));
    ASSERT_EQ(records.size(), 3 + 1 + 1 + 300 + 2u);
    for (const QStringList& record : records) {
        ASSERT_EQ(record.size(), 5);
    }
    EXPECT_EQ(records[1][0], "RAPORT DEMONSTRATIV");
    EXPECT_EQ(records[2][0], kPeriod);
    EXPECT_EQ(records[4], QStringList({"Nr. crt", "Data", "Documentul", "Explicatii", "Suma"}));
    const QStringList lines = demo.printedTexts("RSysData1"), dates = demo.printedTexts("RDBText1"),
                      docs = demo.printedTexts("RDBText2"), texts = demo.printedTexts("RDBText3"),
                      sums = demo.printedTexts("RDBText4");
    for (int i = 0; i < 300; ++i) {
        const QStringList& r = records[static_cast<size_t>(5 + i)];
        EXPECT_EQ(
            r, QStringList({lines[i], dates[i], docs[i], texts[i], formatAmount(demo.amounts[i])}))
            << i;
        EXPECT_EQ(*amountOf(sums[i]), *parseNumber(r[4])) << i;
    }
    EXPECT_TRUE(
        bytes.contains("\"Avans d'la \"\"\xC8\x98oim\"\", p\xC4\x83"
                       "dure\""));
    EXPECT_EQ(records[305], QStringList({"Total:", "", "", "", formatAmount(demo.total())}));
    EXPECT_EQ(records[306], QStringList({"Intocmit", "", "", "", ""}));
}

TEST(ReportSheet, CsvTextsThatLookLikeFormulasStayTexts) {
    const auto text = [](const QString& t) { return SheetCell{CellType::Text, t, 0, {}}; };
    const std::pair<SheetCell, QString> cases[] = {
        {text("=HYPERLINK(\"http://x\",\"y\")"), "\"'=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\""},
        {text("+cmd|' /C calc'!A0"), "'+cmd|' /C calc'!A0"},
        {text("-2+3"), "'-2+3"},
        {text("@SUM(A1:A2)"), "'@SUM(A1:A2)"},
        {text("\tTAB"), "'\tTAB"},
        {text("\rCR"), "\"'\rCR\""},
        {text("-12.50"), "-12.50"},  // a number printed as text stays a number
        {text("ALFA = BETA"), "ALFA = BETA"},
        {SheetCell{CellType::Amount, "-1,234.50", -1234.5, {}}, "-1234.50"},
    };
    for (const auto& [cell, field] : cases) {
        EXPECT_EQ(csvField(cell), field) << cell.text.toStdString();
    }
}

TEST(ReportSheet, AFailedWriteLeavesNothingAndSaysSo) {
    Demo demo;
    QTemporaryDir dir;
    QFile old(dir.filePath("vechi.xlsx"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("vechi") == 5);
    old.close();
    ASSERT_TRUE(QDir(dir.path()).mkdir("dosar.csv"));
    ASSERT_TRUE(QDir(dir.path()).mkdir("dosar.xlsx"));
    const QStringList before = QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries);

    struct Case {
        bool (PreviewWindow::*save)(const QString&);
        QString name;
        QString what;
    };
    for (const Case& c : {Case{&PreviewWindow::saveXlsx, "lipsa/raport.xlsx", "Excel"},
                          Case{&PreviewWindow::saveXlsx, "dosar.xlsx", "Excel"},
                          Case{&PreviewWindow::saveCsv, "lipsa/raport.csv", "CSV"},
                          Case{&PreviewWindow::saveCsv, "dosar.csv", "CSV"}}) {
        const QString path = dir.filePath(c.name);
        EXPECT_FALSE((demo.preview().*c.save)(path)) << c.name.toStdString();
        EXPECT_EQ(demo.preview().statusText(), QStringLiteral("Fisierul %1 nu a putut fi scris: %2")
                                                   .arg(c.what, QDir::toNativeSeparators(path)));
    }

    // A cell longer than a spreadsheet takes fails the workbook half-way through: the file
    // already there keeps its content.
    ReportForm wide;
    wide.setPrintIfEmpty(true);
    wide.addBand(BandKind::Title, 10).addLabel("RLabel1", {0, 0, 100, 5}, QString(40000, u'x'));
    EXPECT_FALSE(writeXlsx(old.fileName(), wide.layout()));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), before);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "vechi");
    EXPECT_EQ(demo.printed, 0);
}

// The sales journal's shape: captions over two columns, a caption broken with a hyphen, a
// column the detail leaves blank, dates and amounts stored as text, totals set as labels.
TEST(ReportSheet, JournalCaptionsColumnsAndLabelTotalsMapAsPrinted) {
    TempDatabase t;
    t.exec(
        "insert into registru (DATA,NRFACTURA,CODFISCAL,SUMA,FARATVA) values "
        "('05.03.2004','0012','RO1','1,190.00','1,000.00'),"
        "('06.03.2004','0013','RO2','500.00','')");
    ReportForm r;
    Band& h = r.addBand(BandKind::ColumnHeader, 20);
    const std::pair<const char*, QRectF> captions[] = {
        {"Documentul", {20, 0, 40, 5}}, {"Data", {20, 6, 20, 5}},
        {"Nr.", {40, 6, 20, 5}},        {"Codul de\ninregis-\ntrare fiscala", {60, 0, 25, 20}},
        {"Total", {85, 0, 25, 20}},     {"fara drept\nde deducere", {110, 0, 25, 20}},
        {"Baza", {135, 0, 25, 20}}};
    for (const auto& [caption, rect] : captions) {
        h.addLabel(caption, rect, caption, {}, Align::Center);
    }
    Band& d = r.addBand(BandKind::Detail, 5);
    d.addSystemData("N", {0, 0, 18, 4});
    d.addDataText("D1", {21, 0, 18, 4}, "DATA", {}, Align::Right);
    d.addDataText("D2", {41, 0, 18, 4}, "NRFACTURA");
    d.addDataText("D3", {61, 0, 23, 4}, "CODFISCAL");
    d.addDataText("D4", {86, 0, 23, 4}, "SUMA", {}, Align::Right, Mask::Amount);
    d.addDataText("D5", {136, 0, 23, 4}, "FARATVA", {}, Align::Right, Mask::Amount);
    Band& s = r.addBand(BandKind::Summary, 10);
    s.addLabel("S1", {1, 1, 80, 4}, "Total pe jurnal :");
    s.addLabel("LTotal", {86, 1, 23, 4}, "1,690.00", {}, Align::Right);
    s.addLabel("LBaza", {136, 1, 23, 4}, "", {}, Align::Right);  // a zero total prints empty
    r.query().setSql("select * from registru order by rowid");
    r.query().open();
    const Sheet sheet = r.layout().sheet;

    const auto shown = [](const SheetRow& row) {
        QStringList out;
        for (const SheetCell& c : row) {
            const char* tag[] = {"", "t", "a", "n", "d"};
            out << tag[static_cast<int>(c.type)] +
                       (c.type == CellType::Amount  ? formatAmount(c.number)
                        : c.type == CellType::Count ? QString::number(c.number)
                        : c.type == CellType::Date  ? formatDate(c.date)
                                                    : c.text);
        }
        return out;
    };
    EXPECT_EQ(sheet.header,
              QStringList({"", "Documentul Data", "Documentul Nr.", "Codul de inregistrare fiscala",
                           "Total", "fara drept de deducere", "Baza"}));
    ASSERT_EQ(sheet.rows.size(), 2u);
    EXPECT_EQ(shown(sheet.rows[0]),
              QStringList({"n1", "d05.03.2004", "t0012", "tRO1", "a1190.00", "", "a1000.00"}));
    EXPECT_EQ(shown(sheet.rows[1]),
              QStringList({"n2", "d06.03.2004", "t0013", "tRO2", "a500.00", "", ""}));
    ASSERT_EQ(sheet.totals.size(), 1u);
    EXPECT_EQ(shown(sheet.totals[0]),
              QStringList({"tTotal pe jurnal :", "", "", "", "a1690.00", "", ""}));
}
