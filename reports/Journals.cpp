#include "reports/Journals.h"

#include "books/JournalRates.h"
#include "data/Values.h"
#include "reports/RaportJurCumpN.h"
#include "reports/RaportJurVanzN.h"
#include "reports/ReportCommands.h"
#include "ui/Globals.h"
#include "ui/Messages.h"

namespace kov::reports {

namespace {

QString nonZero(double sum) {
    return cents(sum) == 0 ? QString() : displayAmount(sum);
}

struct Journal {
    QChar kind;
    const char* empty;
    const char* progress;
};

void runJournal(const Journal& journal, JournalReport& form) {
    Month month;
    if (!askMonth(month)) {
        return;
    }
    captionCompany(form, QStringLiteral("RLabel13"), QStringLiteral("RLabel12"));
    form.setCaption(QStringLiteral("RLabel14"), month.caption);
    form.setRates(journalRates(month.year, month.month));
    JournalTotals totals;
    const int count =
        withProgress(QString::fromLatin1(journal.progress), [&](const FillProgress& progress) {
            return fillRegister(SelectedFiscalCode, journal.kind, month.year, month.month, totals,
                                progress);
        });
    if (count == 0) {
        message(QString::fromLatin1(journal.empty), QString());
        return;
    }
    captionTotals(form, totals);
    previewReport(form);
}

}  // namespace

void captionTotals(JournalReport& form, const JournalTotals& totals) {
    form.setCaption(QStringLiteral("LTotal"), displayAmount(totals.total));
    form.setCaption(QStringLiteral("LScutit"), nonZero(totals.exempt));
    form.setCaption(QStringLiteral("LFaraTVA"), nonZero(totals.base));
    form.setCaption(QStringLiteral("LTVA"), nonZero(totals.vat));
    form.setCaption(QStringLiteral("LFaraTVA9"), nonZero(totals.baseOther));
    form.setCaption(QStringLiteral("LTVA9"), nonZero(totals.vatOther));
    if (form.withoutDeductionColumn()) {
        form.setCaption(QStringLiteral("LScutitFara"), nonZero(totals.exemptNoDeduction));
    }
}

void salesJournal() {
    runJournal({u'E', "Nu exista inregistrari la vanzari pe luna selectata!",
                "Se genereaza jurnalul de vanzari. Va rugam asteptati..."},
               *RaportJurVanzN);
}

void purchaseJournal() {
    runJournal({u'I', "Nu exista inregistrari la cumparari pe luna selectata!",
                "Se genereaza jurnalul de cumparari. Va rugam asteptati..."},
               *RaportJurCumpN);
}

}  // namespace kov::reports
