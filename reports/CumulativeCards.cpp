#include "reports/CumulativeCards.h"

#include "ui/Globals.h"
#include "ui/Messages.h"
#include "data/Query.h"
#include "data/Values.h"
#include "reports/RaportFiseCumulate.h"
#include "reports/ReportCommands.h"

namespace kov::reports {

int fillCumulative(QChar kind, int year, int month) {
    Transaction transaction;
    emptyTable(QStringLiteral("delete * from fisecumulate"));
    Query write;
    Query categories;
    categories.setSql(QStringLiteral("select * from defalcari where tip='") + kind +
                      "' order by denumire");
    categories.open();
    {
        ProgressShown progress(QStringLiteral("Se genereaza raportul. Va rugam asteptati..."));
        progress.setMaximum(categories.recordCount());
        Query sum;
        const auto total = [&](const QString& id, const char* monthTest) {
            sum.setSql(
                "select sum(FaraTVA) as s from operatiuni where codfiscal=" +
                quoted(SelectedFiscalCode) + " and defalcare=" + id +
                QStringLiteral(" and month(data)%1%2 and year(data)=%3")
                    .arg(QLatin1String(monthTest), QString::number(month), QString::number(year)));
            sum.open();
            return sum.fieldByName(QStringLiteral("s")).asFloat();
        };
        for (; !categories.eof(); categories.next()) {
            const QString id =
                QString::number(categories.fieldByName(QStringLiteral("ID")).asInteger());
            const double inMonth = total(id, "=");
            const double toDate = total(id, "<=");
            write.setSql("insert into fisecumulate (denumire,sumaluna,sumaan) values(" +
                         quoted(categories.fieldByName(QStringLiteral("DENUMIRE")).asString()) +
                         u',' + plainNumber(inMonth) + u',' + plainNumber(toDate) + u')');
            write.execSql();
            progress.step();
        }
    }
    transaction.commit();
    return categories.recordCount();
}

void cumulativeCards(QChar kind) {
    Month month;
    if (!askMonth(month)) {
        return;
    }
    TRaportFiseCumulate& form = *RaportFiseCumulate;
    captionCompany(form, QStringLiteral("RLabel1"), QStringLiteral("RLabel2"));
    fillCumulative(kind, month.year, month.month);
    form.setCaption(QStringLiteral("RLabel4"), "pe luna " + month.caption);
    if (!previewReport(form, true)) {
        message(QStringLiteral("Nu exista inregistrari pe luna selectata!"), QString());
    }
}

}  // namespace kov::reports
