#include "books/Settlement.h"

#include <QDate>
#include <algorithm>

#include "books/PartnerNames.h"
#include "books/Rows.h"
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

QString numberIs(const QString& column, const QString& number) {
    return "upper(" + column + ")=upper(" + quoted(number) + ")";
}

namespace {

const QString kSelectInvoice = QStringLiteral("select rowid as ROWID, * from facturi where ");

InvoiceEntry entryAt(const Query& q, PartnerNames& partners) {
    InvoiceEntry e;
    e.id = q.fieldByName(QStringLiteral("ROWID")).asInteger();
    e.number = q.fieldByName(QStringLiteral("NRFACTURA")).asString();
    e.date = q.fieldByName(QStringLiteral("DATA")).asString();
    e.partner = partners.of(q.fieldByName(QStringLiteral("CODCLIENT")).asString());
    e.total = q.fieldByName(QStringLiteral("SUMA")).asFloat();
    e.owed = q.fieldByName(QStringLiteral("RESTANT")).asFloat();
    e.rate = q.fieldByName(QStringLiteral("PROCENTTVA")).asFloat();
    e.paid = q.fieldByName(QStringLiteral("PLATIT")).asFloat() == 1;
    return e;
}

// The flow's invoice with this id, re-read now and, inside a recording, locked until it ends:
// a second collection on it waits and then reads what the first one left.
std::optional<InvoiceEntry> invoiceById(const QString& company, const Flow& flow, long long id) {
    if (id == 0) {
        return std::nullopt;
    }
    Query q;
    q.setSql(kSelectInvoice + "rowid=" + QString::number(id) + " and " + companyFilter(company) +
             " and felfactura=" + quoted(flow.invoiceKind) + " for update");
    q.open();
    PartnerNames partners;
    return q.eof() ? std::nullopt : std::optional(entryAt(q, partners));
}

}  // namespace

std::vector<InvoiceEntry> invoicesNumbered(const QString& company, const QString& kind,
                                           const QString& number) {
    Query q;
    q.setSql(kSelectInvoice + numberIs(QStringLiteral("nrfactura"), number) + " and " +
             companyFilter(company) +
             (kind.isEmpty() ? QString() : " and felfactura=" + quoted(kind)));
    q.open();
    PartnerNames partners;
    std::vector<InvoiceEntry> out;
    for (; !q.eof(); q.next()) {
        out.push_back(entryAt(q, partners));
    }
    // Dates are stored as dd.mm.yyyy text, which does not sort by itself.
    std::stable_sort(out.begin(), out.end(), [](const InvoiceEntry& a, const InvoiceEntry& b) {
        const QDate da = parseDate(a.date).value_or(QDate());
        const QDate db = parseDate(b.date).value_or(QDate());
        return da != db ? da < db : a.id < b.id;
    });
    return out;
}

bool alreadySettled(const QString& company, const Flow& flow, long long id) {
    const auto invoice = invoiceById(company, flow, id);
    return invoice && invoice->paid;
}

std::optional<Refusal> checkInvoices(const QString& company, const Flow& flow,
                                     const std::vector<ListedInvoice>& listed) {
    std::optional<double> rate;
    bool mixed = false;
    for (const ListedInvoice& l : listed) {
        const auto invoice = invoiceById(company, flow, l.id);
        if (!invoice) {
            continue;
        }
        if (invoice->paid) {
            return Refusal{"Factura numarul " + l.number + " a fost deja platita!", kWarning};
        }
        mixed = mixed || (rate && *rate != invoice->rate);
        rate = invoice->rate;
    }
    if (mixed) {
        return Refusal{QStringLiteral("Facturile alese au cote TVA diferite!"),
                       QStringLiteral("Eroare!")};
    }
    return std::nullopt;
}

long long owedCents(const QString& company, const Flow& flow,
                    const std::vector<ListedInvoice>& listed) {
    long long owed = 0;
    for (const ListedInvoice& l : listed) {
        if (const auto invoice = invoiceById(company, flow, l.id)) {
            owed += cents(invoice->owed);
        }
    }
    return owed;
}

QString settleInvoices(const QString& company, const Flow& flow,
                       const std::vector<ListedInvoice>& listed, double amount) {
    long long left = cents(amount);
    QStringList named;
    for (const ListedInvoice& l : listed) {
        named << l.number;
        const auto invoice = invoiceById(company, flow, l.id);
        if (!invoice) {
            continue;
        }
        const long long owed = cents(invoice->owed);
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
        Query q;
        q.setSql("update facturi set platit=" + paid + ", restant=" + remainder +
                 " where rowid=" + QString::number(invoice->id) + " and " + companyFilter(company));
        q.execSql();
    }
    return invoiceExplanation(named.join(u','));
}

QString invoiceExplanation(const QString& numbers) {
    return QStringLiteral("C.V. FACT. ") + numbers;
}

void insertMovement(const QString& company, const Flow& flow, const Movement& m) {
    OperationRow row;
    row.date = m.date;
    row.document = m.number;
    row.operation = m.explanation;
    row.total = formatAmount(m.total);
    row.net = formatAmount(m.net);
    row.bank = m.bank;
    row.category = m.category;
    row.type = flow.movementType;
    row.inRegister = m.inRegister;
    insertOperationRow(company, row);
}

}  // namespace kov
