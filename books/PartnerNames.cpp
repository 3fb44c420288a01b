#include "books/PartnerNames.h"

#include "data/Query.h"
#include "data/Values.h"

namespace kov {

QString PartnerNames::of(const QString& code) {
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
    const QString name = q.eof() ? QString() : q.fieldByName(QStringLiteral("DENUMIRE")).asString();
    names_.insert(code, name);
    return name;
}

}  // namespace kov
