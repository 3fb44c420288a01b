#include "sales/Incasarechitanta.h"

TFormIncasareChitanta::TFormIncasareChitanta(QWidget* parent)
    : SettleWindow(
          {kov::kCollection, kov::Document::Receipt, QStringLiteral("Incasare chitanta"), true},
          parent) {
    setObjectName(QStringLiteral("TFormIncasareChitanta"));
}
