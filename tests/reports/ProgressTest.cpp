#include <gtest/gtest.h>

#include <QApplication>
#include <QThread>

#include "ui/Progress.h"

namespace {

class PaintCounter : public QObject {
  public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
        }
        return false;
    }
};

}  // namespace

TEST(Progress, PaintsWhileTheCallerHoldsTheThreadWithoutModality) {
    TFormProgress progress;
    progress.setPosition(0);
    progress.setText("Se genereaza jurnalul de incasari si plati. Va rugam asteptati...");
    progress.show();
    EXPECT_FALSE(progress.isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    // A new text reaches the screen before the caller lets go of the thread.
    PaintCounter label;
    progress.ui.Label1->installEventFilter(&label);
    progress.setText("Se genereaza jurnalul de vanzari. Va rugam asteptati...");
    EXPECT_GT(label.paints, 0);

    // A caller busy with each row: the gauge follows while it still holds the thread.
    PaintCounter counter;
    progress.ui.CGauge1->installEventFilter(&counter);
    progress.setMaximum(20);
    const int shown = counter.paints;
    for (int i = 0; i < 10; ++i) {
        QThread::msleep(10);
        progress.step();
    }
    EXPECT_GT(counter.paints, shown);
    EXPECT_GT(progress.ui.CGauge1->value(), 0);
    EXPECT_LE(progress.ui.CGauge1->value(), 10);

    // A fast caller does not pay a paint per row, and the run ends on a full gauge.
    const int rows = 100000;
    progress.setPosition(0);
    progress.setMaximum(rows);
    const int before = counter.paints;
    for (int i = 0; i < rows; ++i) {
        progress.step();
    }
    EXPECT_LT(counter.paints - before, 1000);
    EXPECT_EQ(progress.ui.CGauge1->value(), rows);

    // A caller that steps past the end shows a full gauge.
    progress.step();
    EXPECT_EQ(progress.position(), rows + 1);
    EXPECT_EQ(progress.ui.CGauge1->value(), rows);
    progress.hide();
    EXPECT_FALSE(progress.isVisible());

    // Nothing to process: an empty gauge, not a busy indicator.
    progress.setPosition(0);
    progress.setMaximum(0);
    EXPECT_EQ(progress.ui.CGauge1->value(), 0);
    EXPECT_GT(progress.ui.CGauge1->maximum(), 0);
}
