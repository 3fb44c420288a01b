#include "books/Deletion.h"

#include <QHash>
#include <algorithm>
#include <array>

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
    return " where " + target.column + "=" + quoted(target.prefix + number) +
           companyCondition(company);
}

int countRows(const QString& sql) {
    Query q;
    q.setSql(sql);
    q.open();
    return q.recordCount();
}

int run(const QString& sql) {
    Query q;
    q.setSql(sql);
    q.execSql();
    return q.rowsAffected();
}

// A private person's code stands for itself; a firm is shown by its name.
class PartnerNames {
  public:
    QString of(const QString& code) {
        if (code.left(2) == QLatin1String("PF")) {
            return code;
        }
        const auto it = names_.constFind(code);
        if (it != names_.constEnd()) {
            return *it;
        }
        Query q;
        q.setSql("select * from firme where cod=" + quoted(code));
        q.open();
        const QString name =
            q.eof() ? QString() : q.fieldByName(QStringLiteral("DENUMIRE")).asString();
        names_.insert(code, name);
        return name;
    }

  private:
    QHash<QString, QString> names_;
};

}  // namespace

std::vector<DeletableDocument> deletableDocuments(const QString& company, DeletedKind kind) {
    const KindRules& k = rules(kind);
    Query q;
    q.setSql(k.listSql + quoted(company) + k.order);
    q.open();
    PartnerNames partners;
    std::vector<DeletableDocument> out;
    for (; !q.eof(); q.next()) {
        const QString counterpart =
            k.invoices ? partners.of(q.fieldByName(QStringLiteral("CODCLIENT")).asString())
                       : q.fieldByName(QStringLiteral("FELOPERATIE")).asString();
        out.push_back({q.fieldByName(k.numberColumn).asString().mid(k.prefixLength),
                       q.fieldByName(QStringLiteral("DATA")).asString(), counterpart});
    }
    return out;
}

std::optional<QString> settledAtIssue(const QString& company, const QString& invoice) {
    for (const QString& marker : {QStringLiteral("CH."), QStringLiteral("BF.")}) {
        Query q;
        q.setSql("select * from operatiuni where nrdoc like " +
                 quoted("F." + invoice + " + " + marker + "%") + companyCondition(company));
        q.open();
        if (!q.eof()) {
            const QString number = q.fieldByName(QStringLiteral("NRDOC")).asString();
            return number.mid(number.indexOf(marker) + marker.size());
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
        deleted += run(
            "delete from operatiuni where (nrdoc=" + quoted("F." + number + " + CH." + receipt) +
            " or nrdoc=" + quoted("F." + number + " + BF." + receipt) + ")" +
            companyCondition(company));
    }
    unit.commit();
    return deleted;
}

}  // namespace kov
