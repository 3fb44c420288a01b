#include "reference/Defalcariven.h"

TFormDefalcariVenituri::TFormDefalcariVenituri(QWidget* parent)
    : CategoryWindow(u'v', QStringLiteral("Defalcari venituri"), parent) {
    setObjectName(QStringLiteral("TFormDefalcariVenituri"));
}
