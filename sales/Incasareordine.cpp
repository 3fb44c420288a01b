#include "sales/Incasareordine.h"

TFormIncasareOrdine::TFormIncasareOrdine(QWidget* parent)
    : SettleWindow(
          {kov::kCollection, kov::Document::Order, QStringLiteral("Incasare ordin de plata"), true},
          parent) {
    setObjectName(QStringLiteral("TFormIncasareOrdine"));
}
