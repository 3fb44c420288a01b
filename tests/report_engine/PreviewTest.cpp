#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QTemporaryDir>

#include "report_engine/PreviewWindow.h"
#include "tests/Support.h"
#include "tests/report_engine/DemoReport.h"

using namespace kov;
using namespace kov::report;
using kov::test::DemoReport;
using kov::test::TempDatabase;

namespace {

QPushButton* button(QWidget* window, const QString& caption) {
    for (auto* b : window->findChildren<QPushButton*>()) {
        if (b->text() == caption) {
            return b;
        }
    }
    ADD_FAILURE() << "no button " << caption.toStdString();
    return nullptr;
}

bool showsPageLabel(QWidget* window, const QString& text) {
    for (auto* label : window->findChildren<QLabel*>()) {
        if (label->text() == text) {
            return true;
        }
    }
    return false;
}

// Share of dark pixels on the painted page.
double inked(QWidget* view) {
    const QImage image = view->grab().toImage();
    int dark = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            dark += qGray(image.pixel(x, y)) < 80 ? 1 : 0;
        }
    }
    return double(dark) / (image.width() * image.height());
}

// The page count pdfinfo reads from a file.
int pdfPages(const QString& path) {
    QProcess p;
    p.start("pdfinfo", {path});
    p.waitForFinished(30000);
    const QString info = QString::fromUtf8(p.readAllStandardOutput());
    const auto match = QRegularExpression("Pages:\\s+(\\d+)").match(info);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// A preview of every receipt, its data set closed at once as the program's commands do.
PreviewWindow* previewReceipts(DemoReport& report) {
    report.query().setSql("select * from operatiuni order by rowid");
    report.query().open();
    EXPECT_TRUE(report.preview());
    report.query().close();
    return report.previewWindow();
}

}  // namespace

TEST(ReportPreview, NonModalPreviewKeepsItsPagesNavigatesZoomsAndPrints) {
    TempDatabase t;
    test::fillReceipts(300);
    DemoReport report;
    int printed = 0;
    QObject::connect(&report, &ReportForm::AfterPrint, [&] { ++printed; });
    report.query().setSql("select * from operatiuni order by rowid");
    report.query().open();
    ASSERT_TRUE(report.preview());
    report.query().close();  // the caller may close its data set at once

    PreviewWindow* w = report.previewWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(w->isModal());
    EXPECT_EQ(w->windowTitle(), "Previzualizare - Raport demonstrativ");
    const int pages = w->pageCount();
    ASSERT_EQ(pages, 6);
    EXPECT_TRUE(showsPageLabel(w, "Pagina 1 din 6"));
    EXPECT_FALSE(button(w, "Anterioara")->isEnabled());
    EXPECT_GT(inked(w->pageView()), 0.001);

    test::click(w, "Urmatoarea");
    EXPECT_EQ(w->currentPage(), 2);
    EXPECT_TRUE(showsPageLabel(w, "Pagina 2 din 6"));
    test::click(w, "Ultima");
    EXPECT_EQ(w->currentPage(), 6);
    EXPECT_FALSE(button(w, "Urmatoarea")->isEnabled());
    EXPECT_FALSE(button(w, "Ultima")->isEnabled());
    w->nextPage();
    EXPECT_EQ(w->currentPage(), 6);
    test::click(w, "Anterioara");
    EXPECT_EQ(w->currentPage(), 5);
    test::click(w, "Prima");
    EXPECT_EQ(w->currentPage(), 1);
    EXPECT_TRUE(showsPageLabel(w, "Pagina 1 din 6"));

    // It opens on the screen with the whole page width in view, however wide the paper.
    auto* zoom = w->findChild<QComboBox*>();
    ASSERT_NE(zoom, nullptr);
    EXPECT_EQ(zoom->currentText(), "Latime pagina");
    const QRect screen = w->screen()->availableGeometry();
    EXPECT_LE(w->width(), std::max(screen.width(), w->minimumSizeHint().width()));
    EXPECT_LE(w->height(), screen.height());
    auto* scroll = w->findChild<QScrollArea*>();
    EXPECT_LE(w->pageView()->width(), scroll->viewport()->width());
    EXPECT_GE(w->pageView()->width(), scroll->viewport()->width() - 30);

    w->setZoom(1.0);
    const QSize normal = w->pageView()->size();
    w->setZoom(2.0);
    const QSize doubled = w->pageView()->size();
    EXPECT_NEAR(doubled.width() - 24, 2.0 * (normal.width() - 24), 2);
    EXPECT_NEAR(doubled.height() - 24, 2.0 * (normal.height() - 24), 2);
    EXPECT_EQ(zoom->currentText(), "200%");
    zoom->setCurrentIndex(zoom->findText("50%"));
    emit zoom->activated(zoom->currentIndex());
    EXPECT_DOUBLE_EQ(w->zoom(), 0.5);
    EXPECT_NEAR(w->pageView()->width() - 24, 0.5 * (normal.width() - 24), 2);
    EXPECT_GT(inked(w->pageView()), 0.001);
    EXPECT_EQ(printed, 0);

    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("tiparit.pdf"));
    ASSERT_TRUE(w->print(printer));
    EXPECT_EQ(printed, 1);
    EXPECT_TRUE(QFile::exists(dir.filePath("tiparit.pdf")));
    ASSERT_TRUE(w->savePdf(dir.filePath("salvat.pdf")));
    EXPECT_EQ(printed, 2);
    EXPECT_FALSE(w->savePdf(dir.filePath("lipsa/salvat.pdf")));
    EXPECT_EQ(printed, 2);
    EXPECT_TRUE(w->statusText().startsWith("Fisierul PDF nu a putut fi scris: "))
        << w->statusText().toStdString();
    w->close();
}

TEST(ReportPreview, ModalPreviewReturnsWhenClosedAndANewPreviewReplacesTheOld) {
    TempDatabase t;
    test::fillReceipts(10);
    DemoReport report;
    int printed = 0;
    QObject::connect(&report, &ReportForm::AfterPrint, [&] { ++printed; });
    report.query().setSql("select * from operatiuni order by rowid");
    report.query().open();
    test::Modals modals;
    int seenPages = 0;
    modals.handle([&](QWidget* w) {
        auto* preview = qobject_cast<PreviewWindow*>(w);
        ASSERT_NE(preview, nullptr);
        seenPages = preview->pageCount();
        test::click(w, "Inchidere");
    });
    ASSERT_TRUE(report.previewModal());
    EXPECT_EQ(seenPages, 1);
    EXPECT_EQ(modals.pending(), 0u);
    EXPECT_FALSE(report.previewWindow()->isVisible());
    EXPECT_EQ(printed, 0);

    ASSERT_TRUE(report.preview());
    EXPECT_TRUE(report.previewWindow()->isVisible());
    EXPECT_EQ(report.previewWindow()->model().pages[0].find("RSysData1").size(), 10u);
    report.previewWindow()->close();
}

TEST(ReportPreview, ALongReportOpensOnItsFirstPageAndTheEventLoopLaysOutTheRest) {
    TempDatabase t;
    test::fillReceipts(600);
    DemoReport whole;
    whole.query().setSql("select * from operatiuni order by rowid");
    whole.query().open();
    const PageModel expected = whole.layout();
    const int pages = expected.pageCount();
    ASSERT_GT(pages, 10);

    DemoReport report;
    PreviewWindow* w = previewReceipts(report);
    ASSERT_NE(w, nullptr);
    ASSERT_FALSE(w->isLaidOut());
    const int first = w->laidOutPages();
    EXPECT_GE(first, 1);
    EXPECT_LT(first, pages);
    EXPECT_TRUE(showsPageLabel(w, QStringLiteral("Pagina 1 din %1...").arg(first)));
    EXPECT_TRUE(button(w, "Urmatoarea")->isEnabled());
    EXPECT_TRUE(button(w, "Ultima")->isEnabled());
    EXPECT_GT(inked(w->pageView()), 0.001);

    for (int turns = 0; !w->isLaidOut() && turns < 100000; ++turns) {
        QCoreApplication::processEvents();
    }
    ASSERT_TRUE(w->isLaidOut());
    EXPECT_EQ(w->laidOutPages(), pages);
    EXPECT_TRUE(showsPageLabel(w, QStringLiteral("Pagina 1 din %1").arg(pages)));
    test::click(w, "Ultima");
    EXPECT_EQ(w->currentPage(), pages);
    EXPECT_FALSE(button(w, "Urmatoarea")->isEnabled());
    // Laid out in slices, the report reads exactly as laid out at once.
    const PageModel& model = w->model();
    ASSERT_EQ(model.pageCount(), pages);
    for (int i = 0; i < pages; ++i) {
        EXPECT_EQ(model.pages[size_t(i)].texts(), expected.pages[size_t(i)].texts()) << i;
    }
    EXPECT_EQ(model.sheet.rows.size(), expected.sheet.rows.size());

    // Closed at once, a preview lays out nothing more; a new run replaces it mid-layout, and
    // its PDF asked for before the layout is done holds every page.
    DemoReport early;
    previewReceipts(early)->close();
    QCoreApplication::processEvents();
    EXPECT_FALSE(early.previewWindow()->isLaidOut());
    PreviewWindow* again = previewReceipts(early);
    ASSERT_FALSE(again->isLaidOut());
    QTemporaryDir dir;
    ASSERT_TRUE(again->savePdf(dir.filePath("devreme.pdf")));
    EXPECT_EQ(pdfPages(dir.filePath("devreme.pdf")), pages);
    EXPECT_TRUE(again->isLaidOut());
    EXPECT_TRUE(showsPageLabel(again, QStringLiteral("Pagina 1 din %1").arg(pages)));
    again->close();
    w->close();
}
