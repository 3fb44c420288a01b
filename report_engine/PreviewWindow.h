#pragma once
// The preview of a laid-out report: page navigation, zoom, printing, saving as PDF and as a
// spreadsheet. The buttons open their dialogs and then call print(), savePdf(), saveXlsx()
// and saveCsv(), which tests call directly.

#include <QDialog>

#include "report_engine/PageModel.h"

class QComboBox;
class QLabel;
class QPrinter;
class QPushButton;
class QScrollArea;

namespace kov::report {

class PageView;

class PreviewWindow : public QDialog {
    Q_OBJECT

  public:
    explicit PreviewWindow(PageModel model, QWidget* parent = nullptr);
    ~PreviewWindow() override;

    const PageModel& model() const { return model_; }
    int pageCount() const { return model_.pageCount(); }
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

  private:
    void refresh();
    void setStatus(const QString& text);
    bool reportSave(bool written, const QString& what, const QString& path);
    // Asks for the file name, the report's title proposed, and saves; the dialog asks before
    // an existing file is replaced.
    void saveWithDialog(const QString& format, const QString& suffix,
                        bool (PreviewWindow::*save)(const QString&));

    PageModel model_;
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
