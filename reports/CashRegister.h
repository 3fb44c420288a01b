#pragma once
// "Registru jurnal de incasari si plati": the register documents of the selected company in
// one month go through jurnal into TRaportJurnal.

namespace kov::reports {

void cashRegister();

}  // namespace kov::reports
