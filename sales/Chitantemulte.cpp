#include "sales/Chitantemulte.h"

TFormChitanteMulte::TFormChitanteMulte(QWidget* parent)
    : DocumentRunWindow(kov::Document::Receipt,
                        QStringLiteral("Introducere mai multe chitante/factura"), parent) {
    setObjectName(QStringLiteral("TFormChitanteMulte"));
}
