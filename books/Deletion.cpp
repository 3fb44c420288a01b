#include "books/Deletion.h"

#include <algorithm>
#include <array>

#include "books/PartnerNames.h"
#include "books/Settlement.h"
#include "data/Database.h"
#include "data/Query.h"
#include "data/Values.h"

namespace kov {

namespace {

// Rows removed by one kind of document: the number as typed, behind the kind's prefix.
struct Target {
    QString table;
    QString column;
    QString prefix;
};

// Each kind with the list it offers for choosing.
struct KindRules {
    QString listSql;  // completed by the quoted fiscal code and the order
    QString order;
    QString numberColumn;
    int prefixLength;  // cut from the stored number in the list
    bool invoices;     // the list shows the partner rather than the explanation
    std::vector<Target> targets;
};

const KindRules& rules(DeletedKind kind) {
    static const QString notPrefixed = QStringLiteral(
        "select * from operatiuni where nrdoc not like 'CH. %' and nrdoc not like 'O.P. %' and "
        "nrdoc not like 'BF. %' and nrdoc not like 'F.%' and codfiscal=");
    static const std::array<KindRules, 5> all{{
        {"select * from facturi where nrfactura not like 'BF.%' and codfiscal=",
         " order by data, nrfactura",
         "NRFACTURA",
         0,
         true,
         {{"facturi", "nrfactura", ""}}},
        {"select * from facturi where nrfactura like 'BF.%' and codfiscal=",
         " order by data, nrfactura",
         "NRFACTURA",
         4,
         true,
         {{"facturi", "nrfactura", "BF. "}, {"operatiuni", "nrdoc", "BF. "}}},
        {"select * from operatiuni where nrdoc like 'O.P. %' and codfiscal=",
         " order by data, nrdoc",
         "NRDOC",
         5,
         false,
         {{"operatiuni", "nrdoc", "O.P. "}}},
        {"select * from operatiuni where nrdoc like 'CH. %' and codfiscal=",
         " order by data, nrdoc",
         "NRDOC",
         4,
         false,
         {{"operatiuni", "nrdoc", "CH. "}}},
        {notPrefixed, " order by data, nrdoc", "NRDOC", 0, false, {{"operatiuni", "nrdoc", ""}}},
    }};
    return all[static_cast<size_t>(kind)];
}

QString companyCondition(const QString& company) {
    return " and codfiscal=" + quoted(company);
}

QString whereNumber(const QString& company, const Target& target, const QString& number) {
    return " where " + numberIs(target.column, target.prefix + number) + companyCondition(company);
}

int countRows(const QString& sql) {
    Query q;
    q.setSql(sql);
    q.open();
    return q.recordCount();
}

// A typed text inside a LIKE pattern stands for itself: "%" and "_" match only themselves.
QString likeLiteral(const QString& text) {
    QString out = text;
    out.replace(u'\\', QStringLiteral("\\\\"));
    out.replace(u'%', QStringLiteral("\\%"));
    out.replace(u'_', QStringLiteral("\\_"));
    return out;
}

// The settled-at-issue receipt of an invoice: "F." + invoice + " + CH." + receipt (or " + BF.").
QString receiptCondition(const QString& company, const QString& invoice, const QString& receipt) {
    return " where (" + numberIs(QStringLiteral("nrdoc"), "F." + invoice + " + CH." + receipt) +
           " or " + numberIs(QStringLiteral("nrdoc"), "F." + invoice + " + BF." + receipt) + ")" +
           companyCondition(company);
}

QStringList columnsOf(const QString& table, long long id, const QString& company,
                      const QStringList& columns) {
    Query q;
    q.setSql("select * from " + table + " where rowid=" + QString::number(id) +
             companyCondition(company));
    q.open();
    QStringList out;
    if (!q.eof()) {
        for (const QString& c : columns) {
            out << q.fieldByName(c).asString();
        }
    }
    return out;
}

int run(const QString& sql) {
    Query q;
    q.setSql(sql);
    q.execSql();
    return q.rowsAffected();
}

}  // namespace

std::vector<DeletableDocument> deletableDocuments(const QString& company, DeletedKind kind) {
    const KindRules& k = rules(kind);
    Query q;
    q.setSql(QString(k.listSql).replace(QStringLiteral("select * from"),
                                        QStringLiteral("select rowid as ROWID, * from")) +
             quoted(company) + k.order);
    q.open();
    PartnerNames partners;
    std::vector<DeletableDocument> out;
    for (; !q.eof(); q.next()) {
        const QString counterpart =
            k.invoices ? partners.of(q.fieldByName(QStringLiteral("CODCLIENT")).asString())
                       : q.fieldByName(QStringLiteral("FELOPERATIE")).asString();
        out.push_back({q.fieldByName(QStringLiteral("ROWID")).asInteger(),
                       q.fieldByName(k.numberColumn).asString().mid(k.prefixLength),
                       q.fieldByName(QStringLiteral("DATA")).asString(), counterpart});
    }
    return out;
}

std::optional<QString> settledAtIssue(const QString& company, const QString& invoice,
                                      long long invoiceId) {
    const QStringList dated = invoiceId == 0 ? QStringList()
                                             : columnsOf(QStringLiteral("facturi"), invoiceId,
                                                         company, {QStringLiteral("DATA")});
    for (const QString& marker : {QStringLiteral("CH."), QStringLiteral("BF.")}) {
        Query q;
        q.setSql("select * from operatiuni where nrdoc like " +
                 quoted(likeLiteral("F." + invoice + " + " + marker) + "%") + " escape '\\'" +
                 companyCondition(company));
        q.open();
        std::optional<QString> found;
        for (; !q.eof(); q.next()) {
            const QString number = q.fieldByName(QStringLiteral("NRDOC")).asString();
            const bool sameDay =
                !dated.isEmpty() && q.fieldByName(QStringLiteral("DATA")).asString() == dated[0];
            if (!found || sameDay) {
                found = number.mid(number.indexOf(marker) + marker.size());
            }
            if (sameDay) {
                break;
            }
        }
        if (found) {
            return found;
        }
    }
    return std::nullopt;
}

int documentCount(const QString& company, DeletedKind kind, const QString& number) {
    int count = 0;
    for (const Target& t : rules(kind).targets) {
        count = std::max(count,
                         countRows("select * from " + t.table + whereNumber(company, t, number)));
    }
    return count;
}

int deleteDocuments(const QString& company, DeletedKind kind, const QString& number,
                    const QString& receipt) {
    Transaction unit;
    int deleted = 0;
    for (const Target& t : rules(kind).targets) {
        deleted += run("delete from " + t.table + whereNumber(company, t, number));
    }
    if (kind == DeletedKind::Invoice && !receipt.isEmpty()) {
        deleted += run("delete from operatiuni" + receiptCondition(company, number, receipt));
    }
    unit.commit();
    return deleted;
}

int deleteDocument(const QString& company, DeletedKind kind, long long id, const QString& receipt) {
    Transaction unit;
    const QString row = " where rowid=" + QString::number(id) + companyCondition(company);
    int deleted = 0;
    if (kind == DeletedKind::Invoice || kind == DeletedKind::FiscalReceipt) {
        const QStringList invoice =
            columnsOf(QStringLiteral("facturi"), id, company,
                      {QStringLiteral("NRFACTURA"), QStringLiteral("DATA")});
        if (invoice.isEmpty()) {
            return 0;
        }
        deleted += run("delete from facturi" + row);
        if (kind == DeletedKind::FiscalReceipt) {
            // Its movement is the one of the same number and day.
            deleted += run(
                "delete from operatiuni where " + numberIs(QStringLiteral("nrdoc"), invoice[0]) +
                " and data=" + quoted(storedDate(invoice[1])) + companyCondition(company));
        } else if (!receipt.isEmpty()) {
            deleted +=
                run("delete from operatiuni" + receiptCondition(company, invoice[0], receipt));
        }
    } else {
        deleted += run("delete from operatiuni" + row);
    }
    unit.commit();
    return deleted;
}

}  // namespace kov
