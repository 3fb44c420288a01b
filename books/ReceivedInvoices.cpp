#include "books/ReceivedInvoices.h"

#include <algorithm>
#include <cmath>

#include "books/Rows.h"
#include "data/Database.h"
#include "data/Query.h"
#include "data/Values.h"

namespace kov {

namespace {

bool codeTaken(const QString& code) {
    Query q;
    q.setSql("select * from firme where cod=" + quoted(code));
    q.open();
    return !q.eof();
}

// A new partner's code: its fiscal code without "RO", or with a number after it when another
// partner already has that code.
QString freeCode(const QString& fiscalCode) {
    const QString base = bareFiscalCode(fiscalCode);
    QString code = base;
    for (int n = 2; codeTaken(code); ++n) {
        code = base + u'-' + QString::number(n);
    }
    return code;
}

QString createSupplier(const SupplierData& s) {
    const QString code = freeCode(s.fiscalCode);
    Query q;
    q.setSql(
        QStringLiteral("insert into firme (COD,DENUMIRE,DATAULMI,SOLDD,SOLDC,TIPSOLD,SOLD,OBS,"
                       "CODFISCAL,LOC,CONTBANCA,DENBANCA,DELEGAT,JUDET,BISERIA,BINR,BIELIB,"
                       "TRANS,TRANSNR,ADRESA) values(") +
        quoted(code) + u',' + quoted(s.name.toUpper()) + u',' +
        quoted(isoDate(QDate(2003, 6, 30))) + QStringLiteral(",0,0,'D',0.00,") +
        quoted(s.registration.isEmpty() ? QString() : QStringLiteral("NRJ ") + s.registration) +
        u',' + quoted(s.fiscalCode.toUpper()) + u',' + quoted(s.locality.toUpper()) + u',' +
        quoted(s.iban) + QStringLiteral(",'',''") + u',' + quoted(s.county) +
        QStringLiteral(",'','','','','',") + quoted(s.street.toUpper()) + u')');
    q.execSql();
    return code;
}

}  // namespace

QString bareFiscalCode(const QString& code) {
    const QString bare = code.simplified().remove(u' ').toUpper();
    return bare.startsWith(QLatin1String("RO")) ? bare.mid(2) : bare;
}

QString supplierCode(const QString& fiscalCode) {
    const QString bare = bareFiscalCode(fiscalCode);
    if (bare.isEmpty()) {
        return {};
    }
    Query q;
    q.setSql("select * from firme where codfiscal in (" + quoted(bare) + u',' +
             quoted(QStringLiteral("RO") + bare) + u',' + quoted(QStringLiteral("ro") + bare) +
             u',' + quoted(QStringLiteral("RO ") + bare) + ") order by cod");
    q.open();
    return q.eof() ? QString() : q.fieldByName(QStringLiteral("COD")).asString();
}

bool receivedRecorded(const QString& company, const QString& supplier, const QString& number,
                      const QDate& date) {
    Query q;
    q.setSql("select * from facturi where felfactura='I' and codfiscal=" + quoted(company) +
             " and codclient=" + quoted(supplier) + " and nrfactura=" + quoted(number) +
             " and data=" + quoted(isoDate(date)));
    q.open();
    return !q.eof();
}

std::optional<QString> recordReceived(const QString& company, const ReceivedRecord& r) {
    Transaction transaction;
    QString supplier = supplierCode(r.supplier.fiscalCode);
    if (!supplier.isEmpty() && receivedRecorded(company, supplier, r.number, r.date)) {
        return std::nullopt;
    }
    if (supplier.isEmpty()) {
        supplier = createSupplier(r.supplier);
    }
    // The invoice's rate is that of its largest base.
    const auto largest = std::max_element(
        r.rates.begin(), r.rates.end(),
        [](const RatePart& a, const RatePart& b) { return std::abs(a.base) < std::abs(b.base); });
    const double rate = largest == r.rates.end() ? 0.0 : largest->rate;
    insertInvoiceRow(company,
                     {r.number,
                      isoDate(r.date),
                      formatAmount(r.total),
                      formatAmount(r.net),
                      plainNumber(rate),
                      formatAmount(r.vat),
                      QStringLiteral("0"),
                      formatAmount(r.total),
                      supplier,
                      QStringLiteral("I"),
                      // No person columns and no exemption basis: a received invoice.
                      {quoted(r.explanation), QStringLiteral("null"), QStringLiteral("null"),
                       QStringLiteral("null"), QStringLiteral("null"), QStringLiteral("null"),
                       QStringLiteral("null")}});
    if (r.rates.size() > 1) {
        insertRateParts(company, supplier, r.number, r.date, r.rates);
    }
    transaction.commit();
    return supplier;
}

}  // namespace kov
