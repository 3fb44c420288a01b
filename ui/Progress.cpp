#include "ui/Progress.h"

#include <QCoreApplication>
#include <algorithm>

namespace {
// Painting more often than this only slows the caller down.
constexpr qint64 kPaintIntervalMs = 40;
}  // namespace

TFormProgress::TFormProgress(QWidget* parent) : kov::FormDialog(parent) {
    ui.setupUi(this);
    setFixedSize(size());
    ui.CGauge1->setStyleSheet(
        QStringLiteral("QProgressBar { border: none; background: palette(window); }"
                       "QProgressBar::chunk { background: blue; }"));
    setMaximum(0);
}

void TFormProgress::setText(const QString& text) {
    ui.Label1->setText(text);
    paintNow();
}

QString TFormProgress::text() const {
    return ui.Label1->text();
}

void TFormProgress::setMaximum(int maximum) {
    maximum_ = std::max(maximum, 0);
    // A range of 0..0 would turn the gauge into a busy indicator.
    ui.CGauge1->setRange(0, std::max(maximum_, 1));
    showPosition();
}

void TFormProgress::setPosition(int position) {
    position_ = position;
    // Between paints only the count moves: the gauge follows at the next paint, so a step
    // costs next to nothing however many rows there are.
    const bool end = position_ <= 0 || position_ >= maximum_;
    if (!end && isVisible() && lastPaint_.isValid() && lastPaint_.elapsed() < kPaintIntervalMs) {
        return;
    }
    showPosition();
}

void TFormProgress::showPosition() {
    // The gauge ignores a value outside its range; a caller that steps past the end shows full.
    ui.CGauge1->setValue(std::clamp(position_, 0, maximum_));
    paintNow();
}

void TFormProgress::paintNow() {
    if (!isVisible()) {
        return;
    }
    lastPaint_.start();
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
