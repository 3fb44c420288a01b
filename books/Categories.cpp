#include "books/Categories.h"

#include "data/Query.h"
#include "data/Values.h"

namespace kov {

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

std::optional<long long> findCategory(const QString& kind, const QString& name) {
    Query q;
    q.setSql("select * from defalcari where denumire=" + quoted(name) + " and tip=" + quoted(kind));
    q.open();
    if (q.eof()) {
        return std::nullopt;
    }
    return q.fieldByName(QStringLiteral("ID")).asInteger();
}

}  // namespace kov
