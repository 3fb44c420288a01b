#include "purchases/Plataordine.h"

TFormPlataOrdine::TFormPlataOrdine(QWidget* parent)
    : SettleWindow(
          {kov::kPayment, kov::Document::Order, QStringLiteral("Achitare ordin de plata"), false},
          parent) {
    setObjectName(QStringLiteral("TFormPlataOrdine"));
}
