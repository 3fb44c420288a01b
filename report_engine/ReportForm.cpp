#include "report_engine/ReportForm.h"

#include <QPrinter>

#include "report_engine/Layout.h"
#include "report_engine/PagePainter.h"
#include "report_engine/PreviewWindow.h"

namespace kov::report {

ReportForm::ReportForm(QObject* parent) : QObject(parent) {}

ReportForm::~ReportForm() = default;

void ReportForm::setA4(Orientation orientation) {
    paper_ = orientation == Orientation::Portrait ? QSizeF(210.0, 297.0) : QSizeF(297.0, 210.0);
}

void ReportForm::setCustomPaper(double width, double height) {
    paper_ = QSizeF(width, height);
}

void ReportForm::setMargins(double left, double top, double right, double bottom) {
    margins_ = QMarginsF(left, top, right, bottom);
}

Band& ReportForm::addBand(BandKind kind, double height) {
    auto& slot = bands_[static_cast<size_t>(kind)];
    if (slot) {
        throw ReportError(QStringLiteral("Raportul are deja o banda de acest fel"));
    }
    slot = std::make_unique<Band>(kind, height);
    return *slot;
}

Band* ReportForm::band(BandKind kind) const {
    return bands_[static_cast<size_t>(kind)].get();
}

Label& ReportForm::label(const QString& name) {
    // A preview still laying out keeps the captions it started with.
    if (preview_) {
        preview_->finishLayout();
    }
    for (const auto& band : bands_) {
        if (!band) {
            continue;
        }
        for (const auto& control : band->controls()) {
            if (control->name == name) {
                if (auto* label = dynamic_cast<Label*>(control.get())) {
                    return *label;
                }
            }
        }
    }
    throw ReportError(QStringLiteral("Eticheta %1 nu exista in raport").arg(name));
}

void ReportForm::setCaption(const QString& name, const QString& caption) {
    label(name).caption = caption;
}

PageModel ReportForm::layout() {
    return layoutReport(*this, query_);
}

bool ReportForm::preview() {
    return showPreview(false);
}

bool ReportForm::previewModal() {
    return showPreview(true);
}

bool ReportForm::showPreview(bool modal) {
    auto job = std::make_unique<LayoutJob>(*this, query_);
    job->advanceTo(1);
    if (job->model().pages.empty()) {
        return false;
    }
    // One preview per form: a new one replaces the window of the previous run. The old one
    // closes at once but is freed once the event loop runs again: freeing every page of a long
    // report would otherwise hold back the new first page.
    if (preview_) {
        preview_->hide();
        preview_.release()->deleteLater();
    }
    preview_ = std::make_unique<PreviewWindow>(std::move(job));
    connect(preview_.get(), &PreviewWindow::printed, this, &ReportForm::AfterPrint);
    if (modal) {
        preview_->exec();
    } else {
        preview_->show();
    }
    return true;
}

bool ReportForm::print(QPrinter& printer) {
    const PageModel model = layout();
    preparePrinter(printer, model);
    if (!printPages(printer, model)) {
        return false;
    }
    emit AfterPrint();
    return true;
}

bool ReportForm::printToPdf(const QString& path) {
    if (!writePdf(path, layout())) {
        return false;
    }
    emit AfterPrint();
    return true;
}

}  // namespace kov::report
