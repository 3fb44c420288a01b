#include "reference/Defalcari.h"

TFormDefalcari::TFormDefalcari(QWidget* parent)
    : CategoryWindow(u'c', QStringLiteral("Defalcari cheltuieli"), parent) {
    setObjectName(QStringLiteral("TFormDefalcari"));
}
