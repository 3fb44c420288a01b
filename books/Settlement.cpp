#include "books/Settlement.h"

#include "books/Categories.h"
#include "data/Query.h"
#include "data/Values.h"

namespace kov {

const Flow kCollection{QStringLiteral("E"), QStringLiteral("incasare"), QStringLiteral("v")};
const Flow kPayment{QStringLiteral("I"), QStringLiteral("plata"), QStringLiteral("c")};

namespace {

const QString kWarning = QStringLiteral("Atentie!");

QString companyFilter(const QString& company) {
    return QStringLiteral("codfiscal=") + quoted(company);
}

}  // namespace

QString documentNumber(Document document, const QString& number) {
    return (document == Document::Receipt ? QStringLiteral("CH. ") : QStringLiteral("O.P. ")) +
           number;
}

int bankFlag(Document document) {
    return document == Document::Receipt ? 0 : 1;
}

QString moreDocumentsQuestion(Document document) {
    return document == Document::Receipt ? QStringLiteral("Mai introduceti alte chitante?")
                                         : QStringLiteral("Mai introduceti alte ordine de plata?");
}

QString invoiceSql(const QString& company, const Flow& flow, const QString& number) {
    return "select * from facturi where nrfactura=" + quoted(number) + " and " +
           companyFilter(company) + " and felfactura=" + quoted(flow.invoiceKind);
}

bool alreadySettled(const QString& company, const Flow& flow, const QString& number) {
    Query q;
    q.setSql(invoiceSql(company, flow, number));
    q.open();
    return !q.eof() && q.fieldByName(QStringLiteral("PLATIT")).asFloat() == 1;
}

std::optional<Refusal> checkInvoices(const QString& company, const Flow& flow,
                                     const QStringList& numbers) {
    for (const QString& number : numbers) {
        Query q;
        q.setSql(invoiceSql(company, flow, number));
        q.open();
        if (q.recordCount() > 1) {
            return Refusal{"Exista mai multe facturi cu numarul " + number + "!", kWarning};
        }
        if (!q.eof() && q.fieldByName(QStringLiteral("PLATIT")).asFloat() == 1) {
            return Refusal{"Factura numarul " + number + " a fost deja platita!", kWarning};
        }
    }
    return std::nullopt;
}

QString settleInvoices(const QString& company, const Flow& flow, const QStringList& numbers,
                       double amount) {
    long long left = cents(amount);
    QStringList named;
    for (const QString& number : numbers) {
        named << number;
        Query q;
        q.setSql(invoiceSql(company, flow, number));
        q.open();
        if (q.eof()) {
            continue;
        }
        const long long owed = cents(q.fieldByName(QStringLiteral("RESTANT")).asFloat());
        QString paid = QStringLiteral("0");
        QString remainder;
        if (left - owed >= 0) {
            paid = QStringLiteral("1");
            remainder = QStringLiteral("0");
            left -= owed;
        } else if (left > 0) {
            remainder = formatAmount(static_cast<double>(owed - left) / 100);
            left = 0;
        } else {
            remainder = formatAmount(static_cast<double>(owed) / 100);
        }
        q.setSql("update facturi set platit=" + paid + ", restant=" + remainder +
                 " where nrfactura=" + quoted(number) + " and " + companyFilter(company) +
                 " and felfactura=" + quoted(flow.invoiceKind));
        q.execSql();
    }
    return invoiceExplanation(named.join(u','));
}

QString invoiceExplanation(const QString& numbers) {
    return QStringLiteral("C.V. FACT. ") + numbers;
}

QString categoryId(const Flow& flow, const QString& name) {
    const std::optional<long long> id = findCategory(flow.categoryKind, name);
    return id ? QString::number(*id) : QStringLiteral("0");
}

void insertMovement(const QString& company, const Flow& flow, const Movement& m) {
    Query q;
    q.setSql(
        "insert into operatiuni "
        "(CODFISCAL,DATA,NRDOC,FELOPERATIE,EXPLICATIE,SUMA,FARATVA,BANCA,DEFALCARE,TIP,"
        "OBSERVATII,REGISTRU) values(" +
        quoted(company) + ',' + quoted(m.date) + ',' + quoted(m.number) + ',' +
        quoted(m.explanation) + ",''," + formatAmount(m.total) + ',' + formatAmount(m.net) + ',' +
        QString::number(m.bank) + ',' + m.category + ',' + quoted(flow.movementType) + ",''," +
        QString::number(m.inRegister) + ')');
    q.execSql();
}

}  // namespace kov
