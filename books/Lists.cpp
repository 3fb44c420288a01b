#include "books/Lists.h"

#include "data/Values.h"

namespace kov {

namespace {

const QString kReceiptNumbers = QStringLiteral(
    " and ((nrdoc like '%CH.%') or (nrdoc like '%O.P.%') or (nrdoc like '%BF.%')) order by "
    "data, nrdoc");

// The statement up to the company's code.
QString selectOf(DocumentList list) {
    switch (list) {
        case DocumentList::IssuedInvoices:
            return QStringLiteral("select * from facturi where felfactura='E' and codfiscal=");
        case DocumentList::ReceivedInvoices:
            return QStringLiteral("select * from facturi where felfactura='I' and codfiscal=");
        case DocumentList::PaidReceipts:
            return QStringLiteral("select * from operatiuni where tip='plata' and codfiscal=");
        case DocumentList::CollectedReceipts:
            break;
    }
    return QStringLiteral("select * from operatiuni where tip='incasare' and codfiscal=");
}

}  // namespace

bool isInvoiceList(DocumentList list) {
    return list == DocumentList::IssuedInvoices || list == DocumentList::ReceivedInvoices;
}

QString listStatement(const QString& company, DocumentList list, bool oneDayMode,
                      const QString& dateOn, const DateCondition& condition) {
    const QString code = quoted(company);
    if (isInvoiceList(list)) {
        return selectOf(list) + code + condition.sql + " order by data, nrfactura";
    }
    // The paid list for one given day names the date before the company.
    if (list == DocumentList::PaidReceipts && oneDayMode && !dateOn.isEmpty()) {
        return "select * from operatiuni where tip='plata' and " + dayCondition(dateOn) +
               " and codfiscal=" + code + kReceiptNumbers;
    }
    return selectOf(list) + code + condition.sql + kReceiptNumbers;
}

}  // namespace kov
