#include "reports/CashRegister.h"

#include "books/CashRegister.h"
#include "data/Values.h"
#include "reports/RaportJurnal.h"
#include "reports/ReportCommands.h"
#include "ui/Globals.h"
#include "ui/Messages.h"

namespace kov::reports {

void cashRegister() {
    Month month;
    if (!askMonth(month)) {
        return;
    }
    TRaportJurnal& form = *RaportJurnal;
    const CompanyHeader company =
        captionCompany(form, QStringLiteral("RLabel1"), QStringLiteral("RLabel2"));
    RegisterTotals totals;
    withProgress(
        QStringLiteral("Se genereaza jurnalul de incasari si plati. Va rugam asteptati..."),
        [&](const FillProgress& progress) {
            return fillCashJournal(SelectedFiscalCode, month.year, month.month, company.vatPayer,
                                   totals, progress);
        });
    form.setCaption(QStringLiteral("RLabel4"), month.caption);
    form.setCaption(QStringLiteral("RLabel8"), displayAmount(totals.cashIn));
    form.setCaption(QStringLiteral("RLabel9"), displayAmount(totals.bankIn));
    form.setCaption(QStringLiteral("RLabel12"), displayAmount(totals.cashOut));
    form.setCaption(QStringLiteral("RLabel13"), displayAmount(totals.bankOut));
    form.query().setSql(QStringLiteral("select * from jurnal"));
    if (!previewReport(form)) {
        message(QStringLiteral("Nu exista inregistrari pe luna selectata!"), QString());
    }
}

}  // namespace kov::reports
