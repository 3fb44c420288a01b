#include "books/ReportFill.h"

#include "data/Query.h"
#include "data/Values.h"

namespace kov {

void emptyScratch(const QString& statement) {
    Query q;
    q.setSql(statement);
    q.execSql();
}

CompanyHeader companyHeader(const QString& fiscalCode) {
    Query q;
    q.setSql("select * from datefirma where codfiscal=" + quoted(fiscalCode));
    q.open();
    CompanyHeader company;
    if (!q.eof()) {
        company.description = q.fieldByName(QStringLiteral("DESCRIERE")).asString();
        company.name = q.fieldByName(QStringLiteral("NUME")).asString();
        company.vatPayer = q.fieldByName(QStringLiteral("TVA")).asInteger() == 1;
    }
    return company;
}

}  // namespace kov
