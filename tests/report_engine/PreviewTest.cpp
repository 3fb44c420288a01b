#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
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
