#pragma once
// The VAT rates in force by date: the one table of them. Document windows open on today's
// standard rate; the journals name their columns and place each invoice by these rates.

#include <QDate>
#include <QList>
#include <QString>

namespace kov {

// The standard rate in force on a day.
int standardVatRate(const QDate& day);

// The reduced rates in force on a day, ascending (two of them from December 2008 to July 2025).
QList<int> reducedVatRates(const QDate& day);

// Which column pair of a journal an invoice's amounts go into.
enum class VatColumn { Exempt, Standard, Reduced };

// Rate 0 is exempt; the standard rate in force on the invoice's day is standard; any other
// rate goes with the reduced ones. Before July 2010 the journals knew only 19 as standard.
VatColumn vatColumn(double rate, const QDate& invoiceDay);

// Captions of the two column pairs for a reported month: "cota 21 %" and "cota 11 %";
// "cota redusa" where two reduced rates were in force. Months before July 2010 keep the
// captions the journals always had, "cota 19 %" and "cota 9 %".
QString standardVatCaption(int year, int month);
QString reducedVatCaption(int year, int month);

}  // namespace kov
