#include "books/Categories.h"

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

}  // namespace kov
