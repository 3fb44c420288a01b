#pragma once
// The cards of the breakdown categories (books/Categories.h). A ledger card lists a category's
// documents of a company in a period; the cumulative cards give, for every category of one
// kind, its documents' total without VAT in a month and from January to that month.

#include <QChar>
#include <QString>

#include "books/ReportFill.h"

namespace kov {

// The statement of a ledger card: the company's documents of the category in the period
// (inMonth or monthRange), in date and number order.
QString cardStatement(const QString& company, long long category, const QString& period);

// Refills fisecumulate in one transaction; returns the number of categories.
int fillCumulative(const QString& company, QChar kind, int year, int month,
                   const FillProgress& progress = {});

}  // namespace kov
