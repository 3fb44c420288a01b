#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>
#include <cstring>
#include <exception>
#include <utility>

#include "app/CopyCommand.h"
#include "app/EFacturaCommand.h"
#include "app/Forms.h"
#include "app/ImportCommand.h"
#include "app/Main.h"
#include "app/Translation.h"
#include "ui/Globals.h"
#include "ui/Messages.h"
#include "ui/Titles.h"

int main(int argc, char* argv[]) {
    // Commands for scheduled use run without windows, so also without a screen.
    if (argc > 1 && std::strcmp(argv[1], "import-efactura") == 0) {
        QCoreApplication app(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("Kovaline"));
        return runImportCommand(QCoreApplication::arguments().mid(2));
    }
    // The e-Factura commands (scheduled runs) and moving the books run without a screen.
    using Command = int (*)(const QStringList&, QTextStream&, QTextStream&);
    for (const auto& [verb, command] :
         {std::pair<const char*, Command>{"efactura", &runEFacturaCommand},
          std::pair<const char*, Command>{"copiere-baza", &runCopyCommand}}) {
        if (argc > 1 && std::strcmp(argv[1], verb) == 0) {
            QCoreApplication app(argc, argv);
            QCoreApplication::setApplicationName(QStringLiteral("Kovaline"));
            QTextStream out(stdout);
            QTextStream err(stderr);
            return command(QCoreApplication::arguments().mid(2), out, err);
        }
    }
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fputs("Kovaline are nevoie de un ecran grafic (nu este setat DISPLAY).\n", stderr);
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kovaline"));
    QTranslator romanian;
    installRomanian(romanian);
    kov::keepExactTitles();
    std::unique_ptr<Forms> forms;
    try {
        forms = createForms();
    } catch (const std::exception& e) {
        reportStartupError(e);
        return 1;
    }
    FormMain->resize(1024, 700);  // the size it keeps where no window manager maximizes it
    FormMain->showMaximized();
    return QApplication::exec();
}
