#include "report_engine/PreviewWindow.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>

#include "data/Database.h"
#include "report_engine/PagePainter.h"
#include "report_engine/SheetWriter.h"

namespace kov::report {

namespace {

constexpr double kZooms[] = {0.5, 0.75, 1.0, 1.25, 1.5, 2.0};
constexpr double kFitWidth = 0;  // the zoom list's entry that follows the window's width
constexpr int kMarginPx = 12;    // grey around the sheet
constexpr int kSliceMs = 10;     // layout between two turns of the event loop

}  // namespace

// One page on a sheet of paper, at the preview's zoom.
class PageView : public QWidget {
  public:
    explicit PageView(QWidget* parent) : QWidget(parent) {}

    void setPage(const Page* page, QSizeF paper, double zoom) {
        page_ = page;
        paper_ = paper;
        zoom_ = zoom;
        setFixedSize(qRound(paper.width() * pxPerMm()) + 2 * kMarginPx,
                     qRound(paper.height() * pxPerMm()) + 2 * kMarginPx);
        update();
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), palette().dark());
        const QRectF sheet(kMarginPx, kMarginPx, paper_.width() * pxPerMm(),
                           paper_.height() * pxPerMm());
        painter.fillRect(sheet.translated(3, 3), Qt::darkGray);
        painter.fillRect(sheet, Qt::white);
        if (page_) {
            painter.translate(sheet.topLeft());
            mapMillimetres(painter, zoom_);
            paintPage(painter, *page_);
        }
    }

  private:
    double pxPerMm() const { return logicalDpiX() / 25.4 * zoom_; }

    const Page* page_ = nullptr;
    QSizeF paper_;
    double zoom_ = 1.0;
};

PreviewWindow::PreviewWindow(std::unique_ptr<LayoutJob> job, QWidget* parent)
    : QDialog(parent), job_(std::move(job)) {
    const QString& title = job_->model().title;
    setWindowTitle(title.isEmpty() ? QStringLiteral("Previzualizare raport")
                                   : QStringLiteral("Previzualizare - ") + title);
    setWindowFlag(Qt::WindowMaximizeButtonHint);

    const auto button = [this](const QString& caption, const QString& tip) {
        auto* b = new QPushButton(caption, this);
        b->setToolTip(tip);
        b->setAutoDefault(false);
        return b;
    };
    first_ = button(QStringLiteral("Prima"), QStringLiteral("Prima pagina (Home)"));
    prior_ = button(QStringLiteral("Anterioara"), QStringLiteral("Pagina anterioara (PgUp)"));
    next_ = button(QStringLiteral("Urmatoarea"), QStringLiteral("Pagina urmatoare (PgDn)"));
    last_ = button(QStringLiteral("Ultima"), QStringLiteral("Ultima pagina (End)"));
    pageLabel_ = new QLabel(this);
    zoomBox_ = new QComboBox(this);
    zoomBox_->addItem(QStringLiteral("Latime pagina"), kFitWidth);
    for (double z : kZooms) {
        zoomBox_->addItem(QStringLiteral("%1%").arg(qRound(z * 100)), z);
    }
    auto* print = button(QStringLiteral("Tiparire"), QStringLiteral("Tiparirea raportului"));
    auto* pdf = button(QStringLiteral("Salvare PDF"), QStringLiteral("Salvarea raportului in PDF"));
    auto* xlsx = button(QStringLiteral("Salvare Excel"),
                        QStringLiteral("Salvarea raportului ca foaie Excel"));
    auto* csv = button(QStringLiteral("Salvare CSV"), QStringLiteral("Salvarea raportului in CSV"));
    auto* close = button(QStringLiteral("Inchidere"), QStringLiteral("Inchiderea previzualizarii"));

    auto* bar = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(first_), static_cast<QWidget*>(prior_),
                       static_cast<QWidget*>(pageLabel_), static_cast<QWidget*>(next_),
                       static_cast<QWidget*>(last_)}) {
        bar->addWidget(w);
    }
    bar->addSpacing(16);
    bar->addWidget(new QLabel(QStringLiteral("Zoom:"), this));
    bar->addWidget(zoomBox_);
    bar->addStretch();
    bar->addWidget(print);
    bar->addWidget(pdf);
    bar->addWidget(xlsx);
    bar->addWidget(csv);
    bar->addWidget(close);

    view_ = new PageView(this);
    scroll_ = new QScrollArea(this);
    scroll_->setWidget(view_);
    scroll_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    scroll_->setBackgroundRole(QPalette::Dark);
    scroll_->viewport()->installEventFilter(this);
    status_ = new QLabel(this);
    status_->hide();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(scroll_, 1);
    layout->addWidget(status_);

    connect(first_, &QPushButton::clicked, this, &PreviewWindow::firstPage);
    connect(prior_, &QPushButton::clicked, this, &PreviewWindow::priorPage);
    connect(next_, &QPushButton::clicked, this, &PreviewWindow::nextPage);
    connect(last_, &QPushButton::clicked, this, &PreviewWindow::lastPage);
    connect(zoomBox_, &QComboBox::activated, this, [this](int index) {
        const double zoom = zoomBox_->itemData(index).toDouble();
        if (zoom == kFitWidth) {
            fitWidth();
        } else {
            setZoom(zoom);
        }
    });
    connect(print, &QPushButton::clicked, this, &PreviewWindow::printWithDialog);
    connect(pdf, &QPushButton::clicked, this, &PreviewWindow::savePdfWithDialog);
    connect(xlsx, &QPushButton::clicked, this, &PreviewWindow::saveXlsxWithDialog);
    connect(csv, &QPushButton::clicked, this, &PreviewWindow::saveCsvWithDialog);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    layoutTimer_ = new QTimer(this);
    connect(layoutTimer_, &QTimer::timeout, this, [this] { layOut(INT_MAX, kSliceMs); });

    // The whole page width on whatever screen: a landscape journal at 100 % is wider than a
    // laptop's screen.
    const QRect screen = this->screen()->availableGeometry();
    resize(std::min(1024, screen.width() * 9 / 10), std::min(760, screen.height() * 9 / 10));
    fitWidth();
}

void PreviewWindow::fitWidth() {
    fitWidth_ = true;
    zoomBox_->setCurrentIndex(zoomBox_->findData(kFitWidth));
    const double sheetPx = job_->model().paper.width() * logicalDpiX() / 25.4;
    const int room = scroll_->viewport()->width() - 2 * kMarginPx - 4;
    zoom_ = sheetPx > 0 && room > 0 ? std::clamp(room / sheetPx, 0.25, 4.0) : 1.0;
    refresh();
}

bool PreviewWindow::eventFilter(QObject* watched, QEvent* event) {
    // The viewport learns its width after the window's layout has placed the scroll area.
    if (watched == scroll_->viewport() && event->type() == QEvent::Resize && fitWidth_) {
        fitWidth();
    }
    return QDialog::eventFilter(watched, event);
}

PreviewWindow::~PreviewWindow() = default;

void PreviewWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!job_->done() && !layoutFailed_) {
        layoutTimer_->start(0);
    }
}

// A closed preview lays out nothing more until something asks for its pages.
void PreviewWindow::hideEvent(QHideEvent* event) {
    layoutTimer_->stop();
    QDialog::hideEvent(event);
}

void PreviewWindow::layOut(int pages, int budgetMs) {
    QElapsedTimer clock;
    clock.start();
    try {
        while (!job_->done() && !layoutFailed_ && job_->completePages() < pages &&
               (budgetMs < 0 || !clock.hasExpired(budgetMs))) {
            job_->advanceTo(job_->completePages() + 1);
        }
    } catch (const ReportError& e) {
        // The pages laid out so far stay in view; nothing goes out unfinished.
        layoutFailed_ = true;
        traceEngineError(QStringLiteral("raport"), QString::fromUtf8(e.what()));
        setStatus(QStringLiteral("Raportul nu a putut fi pregatit: ") + e.message());
    }
    if (job_->done() || layoutFailed_) {
        layoutTimer_->stop();
    }
    refresh();
}

bool PreviewWindow::finishLayout() {
    if (!job_->done()) {
        layOut(INT_MAX);
    }
    return !layoutFailed_;
}

const PageModel& PreviewWindow::model() {
    finishLayout();
    return job_->model();
}

int PreviewWindow::pageCount() {
    finishLayout();
    return job_->completePages();
}

QWidget* PreviewWindow::pageView() const {
    return view_;
}

QString PreviewWindow::statusText() const {
    return status_->text();
}

void PreviewWindow::showPage(int number) {
    if (number > job_->completePages()) {
        layOut(number);
    }
    current_ = std::clamp(number, 1, std::max(1, job_->completePages()));
    refresh();
}

void PreviewWindow::setZoom(double zoom) {
    fitWidth_ = false;
    zoom_ = std::clamp(zoom, 0.25, 4.0);
    const int index = zoomBox_->findData(zoom_);
    if (index >= 0) {
        zoomBox_->setCurrentIndex(index);
    }
    refresh();
}

// Also after every slice of layout: the pages may have moved as more were added.
void PreviewWindow::refresh() {
    const PageModel& model = job_->model();
    const int count = job_->completePages();
    const bool more = !job_->done() && !layoutFailed_;
    const Page* page = count > 0 ? &model.pages[static_cast<size_t>(current_ - 1)] : nullptr;
    view_->setPage(page, model.paper, zoom_);
    pageLabel_->setText(
        QStringLiteral("Pagina %1 din %2").arg(count > 0 ? current_ : 0).arg(count) +
        (more ? QStringLiteral("...") : QString()));
    first_->setEnabled(current_ > 1);
    prior_->setEnabled(current_ > 1);
    next_->setEnabled(current_ < count || more);
    last_->setEnabled(current_ < count || more);
}

void PreviewWindow::setStatus(const QString& text) {
    status_->setText(text);
    status_->setVisible(!text.isEmpty());
}

bool PreviewWindow::print(QPrinter& printer) {
    if (!finishLayout()) {
        return false;
    }
    const bool range = printer.printRange() == QPrinter::PageRange;
    if (!printPages(printer, job_->model(), range ? printer.fromPage() : 0,
                    range ? printer.toPage() : 0)) {
        setStatus(QStringLiteral("Tiparirea nu a reusit."));
        return false;
    }
    setStatus(QStringLiteral("Raportul a fost trimis la imprimanta."));
    emit printed();
    return true;
}

bool PreviewWindow::reportSave(bool written, const QString& what, const QString& path) {
    setStatus(written
                  ? QStringLiteral("Raportul a fost salvat in ") + QDir::toNativeSeparators(path)
                  : QStringLiteral("Fisierul %1 nu a putut fi scris: %2")
                        .arg(what, QDir::toNativeSeparators(path)));
    return written;
}

bool PreviewWindow::savePdf(const QString& path) {
    if (!finishLayout() ||
        !reportSave(writePdf(path, job_->model()), QStringLiteral("PDF"), path)) {
        return false;
    }
    emit printed();
    return true;
}

bool PreviewWindow::saveXlsx(const QString& path) {
    return finishLayout() &&
           reportSave(writeXlsx(path, job_->model()), QStringLiteral("Excel"), path);
}

bool PreviewWindow::saveCsv(const QString& path) {
    return finishLayout() && reportSave(writeCsv(path, job_->model()), QStringLiteral("CSV"), path);
}

void PreviewWindow::printWithDialog() {
    if (!finishLayout()) {
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer, job_->model());
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Tiparire"));
    dialog.setMinMax(1, pageCount());
    if (dialog.exec() == QDialog::Accepted) {
        print(printer);
    }
}

void PreviewWindow::saveWithDialog(const QString& format, const QString& suffix,
                                   bool (PreviewWindow::*save)(const QString&)) {
    const QString& title = job_->model().title;
    QString name = title.isEmpty() ? QStringLiteral("Raport") : title;
    name.replace(QRegularExpression(QStringLiteral("[/\\\\:*?\"<>|]")), QStringLiteral("_"));
    QString proposed = QDir::home().filePath(name + u'.' + suffix);
    // The dialog adds the suffix to a bare name before it asks about replacing a file; should
    // a name come back bare all the same, it goes back to the dialog with its suffix.
    for (;;) {
        QFileDialog dialog(this, QStringLiteral("Salvare ") + format, QString(),
                           QStringLiteral("Fisiere %1 (*.%2)").arg(format, suffix));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(suffix);
        dialog.selectFile(proposed);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return;
        }
        QString path = dialog.selectedFiles().constFirst();
        if (QFileInfo(path).suffix().isEmpty()) {
            proposed = path + u'.' + suffix;
            if (QFileInfo::exists(proposed)) {
                continue;
            }
            path = proposed;
        }
        (this->*save)(path);
        return;
    }
}

void PreviewWindow::savePdfWithDialog() {
    saveWithDialog(QStringLiteral("PDF"), QStringLiteral("pdf"), &PreviewWindow::savePdf);
}

void PreviewWindow::saveXlsxWithDialog() {
    saveWithDialog(QStringLiteral("Excel"), QStringLiteral("xlsx"), &PreviewWindow::saveXlsx);
}

void PreviewWindow::saveCsvWithDialog() {
    saveWithDialog(QStringLiteral("CSV"), QStringLiteral("csv"), &PreviewWindow::saveCsv);
}

void PreviewWindow::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_PageDown:
            nextPage();
            break;
        case Qt::Key_PageUp:
            priorPage();
            break;
        case Qt::Key_Home:
            firstPage();
            break;
        case Qt::Key_End:
            lastPage();
            break;
        default:
            QDialog::keyPressEvent(event);
    }
}

}  // namespace kov::report
