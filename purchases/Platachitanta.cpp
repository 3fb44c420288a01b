#include "purchases/Platachitanta.h"

TFormPlataChitanta::TFormPlataChitanta(QWidget* parent)
    : SettleWindow(
          {kov::kPayment, kov::Document::Receipt, QStringLiteral("Achitare chitanta"), false},
          parent) {
    setObjectName(QStringLiteral("TFormPlataChitanta"));
}
