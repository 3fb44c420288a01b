#pragma once
// Banded report forms: a page in millimetres, one data set, bands with controls. The form is
// laid out into a page model that the preview, the printer and PDF files all paint.
//
// A form declares its page, bands and controls in its constructor:
//
//   class TRaportDemo : public kov::report::ReportForm {
//   public:
//       TRaportDemo() {
//           using namespace kov::report;
//           setA4(Orientation::Portrait);
//           setMargins(10, 10, 10, 10);
//           setFooterOnLastPage(true);
//           Band& title = addBand(BandKind::Title, 20);
//           title.addLabel("RLabel1", {0, 0, 190, 7}, "TITLU", {"Arial", 16, true}, Align::Center);
//           Band& detail = addBand(BandKind::Detail, 5);
//           detail.addSystemData("RSysData1", {0, 0.5, 10, 4}, {"Arial Narrow", 8});
//           detail.addDataText("RDBText1", {12, 0.5, 25, 4}, "SUMA", {"Arial Narrow", 8},
//                              Align::Right, Mask::Amount);
//           addBand(BandKind::PageFooter, 6)
//               .addExpression("RExpr1", {0, 1, 40, 4}, "'pag. ' + PAGENUMBER");
//       }
//   };
//
// and the program fills and shows it:
//
//   report.setCaption("RLabel1", "JURNAL");
//   report.query().setSql("select * from registru");
//   report.query().open();
//   report.preview();          // the first page is made here, the others once the window shows
//   report.query().close();    // the preview keeps its own copy of the rows
//
// AfterPrint is raised each time the report reaches a printer or a PDF file, never for
// pages that are only previewed. The preview also saves the report as a spreadsheet (XLSX,
// CSV): the title band's texts, the column captions, one row per detail line with amounts,
// dates and line numbers as values, and the summary's lines; that is not printing either.

#include <QMarginsF>
#include <QObject>
#include <QSizeF>
#include <array>
#include <memory>

#include "data/Query.h"
#include "report_engine/Band.h"
#include "report_engine/PageModel.h"

class QPrinter;

namespace kov::report {

class PreviewWindow;

class ReportForm : public QObject {
    Q_OBJECT

  public:
    explicit ReportForm(QObject* parent = nullptr);
    ~ReportForm() override;

    // Page, in millimetres. A custom paper is given as printed: width across, height down.
    void setA4(Orientation orientation);
    void setCustomPaper(double width, double height);
    void setMargins(double left, double top, double right, double bottom);
    QSizeF paper() const { return paper_; }
    QMarginsF margins() const { return margins_; }

    void setFooterOnLastPage(bool on) { footerOnLastPage_ = on; }
    bool footerOnLastPage() const { return footerOnLastPage_; }
    void setPrintIfEmpty(bool on) { printIfEmpty_ = on; }
    bool printIfEmpty() const { return printIfEmpty_; }
    // Caption of the preview window and title of PDF files.
    void setTitle(const QString& title) { title_ = title; }
    const QString& title() const { return title_; }

    // The data set, on "kodra"; field references in expressions name it.
    Query& query() { return query_; }
    const QString& dataSetName() const { return dataSetName_; }
    void setDataSetName(const QString& name) { dataSetName_ = name; }

    // One band of each kind at most.
    Band& addBand(BandKind kind, double height);
    Band* band(BandKind kind) const;

    Label& label(const QString& name);  // throws ReportError when there is none
    void setCaption(const QString& name, const QString& caption);

    // Pages from the open data set (none when it is empty and printIfEmpty is off).
    PageModel layout();
    // Both return false, showing nothing, when there is no page.
    bool preview();
    bool previewModal();
    // The last preview window, or nullptr.
    PreviewWindow* previewWindow() const { return preview_.get(); }
    // Straight to a printer or a PDF file, without preview; false when nothing was printed.
    bool print(QPrinter& printer);
    bool printToPdf(const QString& path);

  signals:
    void AfterPrint();

  private:
    bool showPreview(bool modal);

    QSizeF paper_{210.0, 297.0};
    QMarginsF margins_{10.0, 10.0, 10.0, 10.0};
    bool footerOnLastPage_ = false;
    bool printIfEmpty_ = false;
    QString title_;
    QString dataSetName_ = QStringLiteral("Query1");
    Query query_;
    std::array<std::unique_ptr<Band>, 5> bands_;
    std::unique_ptr<PreviewWindow> preview_;
};

}  // namespace kov::report
