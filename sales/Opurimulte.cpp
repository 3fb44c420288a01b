#include "sales/Opurimulte.h"

TFormOPuriMulte::TFormOPuriMulte(QWidget* parent)
    : DocumentRunWindow(kov::Document::Order,
                        QStringLiteral("Introducere mai multe OP-uri/factura"), parent) {
    setObjectName(QStringLiteral("TFormOPuriMulte"));
}
