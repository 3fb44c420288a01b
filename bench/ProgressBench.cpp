// Progress window figures: the cost of stepping the gauge once per row while it is on screen,
// as a report command does while it fills its scratch table.
#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>

#include "ui/Progress.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    TFormProgress progress;
    progress.setPosition(0);
    progress.setText(QStringLiteral("Se genereaza jurnalul. Va rugam asteptati..."));
    progress.show();
    for (const int rows : {1000, 100000, 1000000}) {
        progress.setPosition(0);
        progress.setMaximum(rows);
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < rows; ++i) {
            progress.step();
        }
        const double ms = clock.nsecsElapsed() / 1e6;
        std::printf("%7d steps: %8.2f ms in all, %6.3f us per step\n", rows, ms, ms * 1000 / rows);
    }
    progress.hide();
    return 0;
}
