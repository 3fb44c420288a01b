#include "books/Categories.h"

#include "data/Query.h"
#include "data/Values.h"

namespace kov {

QStringList categoryNames(const QString& kind) {
    QStringList names;
    Query q;
    q.setSql("select * from defalcari where tip=" + quoted(kind) + " order by denumire");
    for (q.open(); !q.eof(); q.next()) {
        names << q.fieldByName(QStringLiteral("DENUMIRE")).asString();
    }
    return names;
}

QString categoryId(const QString& kind, const QString& name, NameMatch match) {
    Query q;
    q.setSql(QStringLiteral("select * from defalcari where denumire") +
             (match == NameMatch::Like ? QStringLiteral(" like ") : QStringLiteral("=")) +
             quoted(name) + " and tip=" + quoted(kind));
    q.open();
    return q.eof() ? QStringLiteral("0") : q.fieldByName(QStringLiteral("ID")).asString();
}

}  // namespace kov
