#include "efactura/SpvStates.h"

#include "data/Query.h"
#include "data/Values.h"

namespace kov::efactura {

namespace {

QString dateLiteral(const QDate& d) {
    return d.isValid() ? quoted(isoDate(d)) : QStringLiteral("null");
}

InvoiceState stateOf(const Query& q) {
    const auto text = [&q](const char* column) {
        return q.fieldByName(QLatin1String(column)).asString();
    };
    return {text("NRFACTURA"),
            q.fieldByName(QStringLiteral("DATAFACTURA")).asDate(),
            text("FISIER"),
            text("INDEXINCARCARE"),
            text("STARE"),
            text("IDDESCARCARE"),
            text("ERORI"),
            q.fieldByName(QStringLiteral("DATATRIMITERE")).asDate(),
            q.fieldByName(QStringLiteral("DATASTARE")).asDate(),
            text("ARHIVA")};
}

QString invoiceCondition(const QString& fiscalCode, const QString& number, const QDate& date) {
    return "codfiscal=" + quoted(fiscalCode) + " and nrfactura=" + quoted(number) +
           " and datafactura=" + dateLiteral(date);
}

}  // namespace

std::optional<InvoiceState> loadState(const QString& fiscalCode, const QString& number,
                                      const QDate& date) {
    Query q;
    q.setSql("select * from efacturastare where " + invoiceCondition(fiscalCode, number, date));
    q.open();
    return q.eof() ? std::nullopt : std::optional(stateOf(q));
}

std::vector<InvoiceState> openStates(const QString& fiscalCode) {
    Query q;
    q.setSql("select * from efacturastare where codfiscal=" + quoted(fiscalCode) +
             " and (stare=" + quoted(kPending) + " or (stare=" + quoted(kAccepted) +
             " and coalesce(arhiva,'')='') or (stare=" + quoted(kRejected) +
             " and coalesce(erori,'')='')) order by datafactura, nrfactura");
    std::vector<InvoiceState> out;
    for (q.open(); !q.eof(); q.next()) {
        out.push_back(stateOf(q));
    }
    return out;
}

void saveState(const QString& fiscalCode, const InvoiceState& s) {
    Transaction unit;
    Query q;
    q.setSql("delete from efacturastare where " + invoiceCondition(fiscalCode, s.number, s.date));
    q.execSql();
    q.setSql(
        "insert into efacturastare (CODFISCAL,NRFACTURA,DATAFACTURA,FISIER,INDEXINCARCARE,"
        "STARE,IDDESCARCARE,ERORI,DATATRIMITERE,DATASTARE,ARHIVA) values(" +
        quoted(fiscalCode) + "," + quoted(s.number) + "," + dateLiteral(s.date) + "," +
        quoted(s.file) + "," + quoted(s.uploadIndex) + "," + quoted(s.state) + "," +
        quoted(s.downloadId) + "," + quoted(s.errors) + "," + dateLiteral(s.sent) + "," +
        dateLiteral(s.asked) + "," + quoted(s.archive) + ")");
    q.execSql();
    unit.commit();
}

QString stateText(const std::optional<InvoiceState>& s) {
    if (!s || s->state.isEmpty()) {
        return QStringLiteral("netrimisa");
    }
    if (s->state == kAccepted) {
        return QStringLiteral("acceptata");
    }
    if (s->state == kPending) {
        return kPending;
    }
    return QStringLiteral("respinsa: ") + s->errors;
}

bool needsSending(const std::optional<InvoiceState>& s) {
    return !s || s->state.isEmpty() || s->state == kRejected || s->state == kRefused;
}

}  // namespace kov::efactura
