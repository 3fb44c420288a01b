#pragma once
// "Fise operatiuni diverse cumulate": for every breakdown category of one kind ('c' expenses,
// 'v' incomes), its documents' total without VAT in a month and from January to that month,
// through fisecumulate into TRaportFiseCumulate.

#include <QChar>

namespace kov::reports {

void cumulativeCards(QChar kind);

}  // namespace kov::reports
