#include "reports/CumulativeCards.h"

#include "books/Cards.h"
#include "reports/RaportFiseCumulate.h"
#include "reports/ReportCommands.h"
#include "ui/Globals.h"
#include "ui/Messages.h"

namespace kov::reports {

void cumulativeCards(QChar kind) {
    Month month;
    if (!askMonth(month)) {
        return;
    }
    TRaportFiseCumulate& form = *RaportFiseCumulate;
    captionCompany(form, QStringLiteral("RLabel1"), QStringLiteral("RLabel2"));
    withProgress(QStringLiteral("Se genereaza raportul. Va rugam asteptati..."),
                 [&](const FillProgress& progress) {
                     return fillCumulative(SelectedFiscalCode, kind, month.year, month.month,
                                           progress);
                 });
    form.setCaption(QStringLiteral("RLabel4"), "pe luna " + month.caption);
    if (!previewReport(form, true)) {
        message(QStringLiteral("Nu exista inregistrari pe luna selectata!"), QString());
    }
}

}  // namespace kov::reports
