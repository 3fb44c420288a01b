#include "books/Categories.h"

#include <QRandomGenerator>

#include "data/Query.h"
#include "data/Values.h"

namespace kov {

namespace {

// The first row of the kind whose name matches, opened on the query.
void openCategory(Query& q, const QString& kind, const QString& name, NameMatch match) {
    q.setSql(QStringLiteral("select * from defalcari where denumire") +
             (match == NameMatch::Like ? QStringLiteral(" like ") : QStringLiteral("=")) +
             quoted(name) + " and tip=" + quoted(kind));
    q.open();
}

}  // namespace

QString categoriesStatement(const QString& kind) {
    return "select * from defalcari where tip=" + quoted(kind) + " order by denumire";
}

QStringList categoryNames(const QString& kind) {
    QStringList names;
    Query q;
    q.setSql(categoriesStatement(kind));
    for (q.open(); !q.eof(); q.next()) {
        names << q.fieldByName(QStringLiteral("DENUMIRE")).asString();
    }
    return names;
}

QString categoryId(const QString& kind, const QString& name, NameMatch match) {
    Query q;
    openCategory(q, kind, name, match);
    return q.eof() ? QStringLiteral("0") : q.fieldByName(QStringLiteral("ID")).asString();
}

std::optional<long long> findCategory(const QString& kind, const QString& name) {
    Query q;
    openCategory(q, kind, name, NameMatch::Equal);
    if (q.eof()) {
        return std::nullopt;
    }
    return q.fieldByName(QStringLiteral("ID")).asInteger();
}

std::optional<long long> addCategory(const QString& kind, const QString& name) {
    constexpr int kFirst = 10000;
    constexpr int kLast = 29999;
    Query q;
    // On a server, two users allocating at once take turns on the first id's row until their
    // recordings end, so that each one's check below sees the other's id. A file's write
    // transaction already holds the whole file.
    q.setSql(QStringLiteral("select id from iduridefalcari order by id limit 1 for update"));
    q.open();
    q.setSql(QStringLiteral("select count(*) as n from (select id from iduridefalcari union "
                            "select id from defalcari) where id>=%1 and id<=%2")
                 .arg(kFirst)
                 .arg(kLast));
    q.open();
    if (q.fieldByName(QStringLiteral("n")).asInteger() > kLast - kFirst) {
        return std::nullopt;
    }
    for (;;) {
        const QString id = QString::number(QRandomGenerator::global()->bounded(kFirst, kLast + 1));
        q.setSql("insert into iduridefalcari (id) select " + id +
                 " where not exists (select * from iduridefalcari where id=" + id +
                 ") and not exists (select * from defalcari where id=" + id + ")");
        q.execSql();
        if (q.rowsAffected() == 1) {
            q.setSql("insert into defalcari (id,denumire,tip) values(" + id + "," + quoted(name) +
                     "," + quoted(kind) + ")");
            q.execSql();
            return id.toLongLong();
        }
    }
}

}  // namespace kov
