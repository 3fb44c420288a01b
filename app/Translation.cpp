#include "app/Translation.h"

#include <QCoreApplication>

bool installRomanian(QTranslator& translator) {
    return translator.load(QStringLiteral(":/i18n/qt_ro.qm")) &&
           QCoreApplication::installTranslator(&translator);
}
