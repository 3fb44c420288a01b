#include "books/Rows.h"

#include "data/Database.h"
#include "data/Query.h"
#include "data/Values.h"
#include "data/Vat.h"

namespace kov {

namespace {

void run(const QString& sql) {
    Query q;
    q.setSql(sql);
    q.execSql();
}

}  // namespace

void insertInvoiceRow(const QString& company, const InvoiceRow& r) {
    const bool keeps = !r.kept.isEmpty();
    run(QStringLiteral("insert into facturi (CODFISCAL,NRFACTURA,DATA,SUMA,FARATVA,PROCENTTVA,"
                       "TVA,PLATIT,RESTANT,CODCLIENT,FELFACTURA") +
        (keeps ? QStringLiteral(",EXPLICATIE,NUMEPF,ADRESAPF,LOCPF,JUDETPF,CNPPF,TEMEI")
               : QString()) +
        QStringLiteral(") values(") + quoted(company) + u',' + quoted(r.number) + u',' +
        quoted(storedDate(r.date)) + u',' + bare(r.total) + u',' + bare(r.net) + u',' +
        bare(r.rate) + u',' + bare(r.vat) + u',' + bare(r.paid) + u',' + bare(r.outstanding) +
        u',' + quoted(r.partner) + u',' + quoted(r.kind) +
        (keeps ? u',' + r.kept.join(u',') : QString()) + u')');
}

void insertOperationRow(const QString& company, const OperationRow& r) {
    run(QStringLiteral("insert into operatiuni (CODFISCAL,DATA,NRDOC,FELOPERATIE,EXPLICATIE,"
                       "SUMA,FARATVA,BANCA,DEFALCARE,TIP,OBSERVATII,REGISTRU) values(") +
        quoted(company) + u',' + quoted(storedDate(r.date)) + u',' + quoted(r.document) + u',' +
        quoted(r.operation) + QStringLiteral(",''") + u',' + bare(r.total) + u',' + bare(r.net) +
        u',' + QString::number(r.bank) + u',' + bare(r.category) + u',' + quoted(r.type) + u',' +
        quoted(r.remarks) + u',' + QString::number(r.inRegister) + u')');
}

double numberOf(const QString& text) {
    return *parseNumber(bare(text));
}

double rateOf(const QString& text) {
    const auto rate = parseRate(text);
    if (!rate) {
        throw DbError(QStringLiteral("Cota TVA introdusa gresit!"));
    }
    return *rate;
}

}  // namespace kov
