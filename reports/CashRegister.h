#pragma once
// "Registru jurnal de incasari si plati": the register documents of the selected company in
// one month go through jurnal into TRaportJurnal. A VAT payer's register shows the amounts
// without VAT, any other company's the amounts with VAT.

namespace kov::reports {

struct RegisterTotals {
    double cashIn = 0, bankIn = 0, cashOut = 0, bankOut = 0;
};

// Refills jurnal in one transaction; returns the number of lines.
int fillCashJournal(int year, int month, bool vatPayer, RegisterTotals& totals);

void cashRegister();

}  // namespace kov::reports
