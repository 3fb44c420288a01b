#pragma once
// The preview of a report: page navigation, zoom, printing, saving as PDF and as a
// spreadsheet. The buttons open their dialogs and then call print(), savePdf(), saveXlsx()
// and saveCsv(), which tests call directly.
//
// The window opens on the first page as soon as that is laid out; the other pages are laid
// out in short slices from the event loop while the window is visible. Whatever needs the
// whole report (the page count, the last page, printing, saving) lays out the rest first.

#include <QDialog>
#include <memory>

#include "report_engine/Layout.h"

class QComboBox;
class QLabel;
class QPrinter;
class QPushButton;
class QScrollArea;
class QTimer;

namespace kov::report {

class PageView;

class PreviewWindow : public QDialog {
    Q_OBJECT

  public:
    // The job has laid out its first page, or the whole report.
    explicit PreviewWindow(std::unique_ptr<LayoutJob> job, QWidget* parent = nullptr);
    ~PreviewWindow() override;

    // Both lay out the pages still to come.
    const PageModel& model();
    int pageCount();
    // Lays out every page still to come; false when the layout failed.
    bool finishLayout();
    bool isLaidOut() const { return job_->done(); }
    int laidOutPages() const { return job_->completePages(); }
    int currentPage() const { return current_; }  // 1-based
    void showPage(int number);
    double zoom() const { return zoom_; }
    void setZoom(double zoom);
    // The zoom the window opens with: the page's width fills the window, also as it is resized.
    void fitWidth();
    QWidget* pageView() const;
    // The last outcome of printing or saving, as shown under the page.
    QString statusText() const;

    // Both raise printed() when the pages went out.
    bool print(QPrinter& printer);
    bool savePdf(const QString& path);
    // Spreadsheets are not printouts: neither raises printed().
    bool saveXlsx(const QString& path);
    bool saveCsv(const QString& path);

    void firstPage() { showPage(1); }
    void priorPage() { showPage(current_ - 1); }
    void nextPage() { showPage(current_ + 1); }
    void lastPage() { showPage(pageCount()); }
    void printWithDialog();
    void savePdfWithDialog();
    void saveXlsxWithDialog();
    void saveCsvWithDialog();

  signals:
    void printed();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    // Lays out until `pages` pages are complete, for at most budgetMs when that is given.
    void layOut(int pages, int budgetMs = -1);
    void refresh();
    void setStatus(const QString& text);
    bool reportSave(bool written, const QString& what, const QString& path);
    // Asks for the file name, the report's title proposed, and saves; the dialog asks before
    // an existing file is replaced.
    void saveWithDialog(const QString& format, const QString& suffix,
                        bool (PreviewWindow::*save)(const QString&));

    std::unique_ptr<LayoutJob> job_;
    QTimer* layoutTimer_ = nullptr;
    bool layoutFailed_ = false;
    int current_ = 1;
    double zoom_ = 1.0;
    bool fitWidth_ = true;
    PageView* view_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    QPushButton* first_ = nullptr;
    QPushButton* prior_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* last_ = nullptr;
    QLabel* pageLabel_ = nullptr;
    QComboBox* zoomBox_ = nullptr;
    QLabel* status_ = nullptr;
};

}  // namespace kov::report
