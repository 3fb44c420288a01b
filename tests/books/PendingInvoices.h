#pragma once
// An issued invoice of 119 with 19 % VAT to client A1, unpaid, ready to record.

#include "books/Invoices.h"

namespace kov::test {

inline PendingInvoice issued(const QString& number) {
    PendingInvoice p;
    p.number = number;
    p.date = "5.3.2004";
    p.total = "119";
    p.net = "100";
    p.rate = "19";
    p.vat = "19.00";
    p.clientCode = "A1";
    p.paid = "0";
    p.remainder = "119.00";
    p.lineText = "ONORARIU";
    return p;
}

}  // namespace kov::test
