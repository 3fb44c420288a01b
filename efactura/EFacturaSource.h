#pragma once
// The issued invoices of an own company as the e-Factura writer takes them: the invoice row,
// the own company, the partner or the private person recorded with it, and whether a cash
// receipt was issued with it.

#include <QString>
#include <vector>

#include "efactura/EFactura.h"

namespace kov::efactura {

// The company's issued invoices for which a condition holds (an SQL text that continues a
// where clause with " and ...", or empty for all), by date and number.
std::vector<Invoice> issuedInvoices(const QString& fiscalCode, const QString& condition);

// The " and ..." condition for one invoice number.
QString numberCondition(const QString& number);

}  // namespace kov::efactura
