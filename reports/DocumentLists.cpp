#include "reports/DocumentLists.h"

#include "reports/RaportChitante.h"
#include "reports/RaportFacturi.h"
#include "reports/ReportCommands.h"
#include "reports/Selectperioada.h"
#include "ui/Globals.h"
#include "ui/Messages.h"

namespace kov::reports {

namespace {

struct ListKind {
    const char* title;
    const char* empty;
};

ListKind kindOf(DocumentList list) {
    switch (list) {
        case DocumentList::IssuedInvoices:
            return {"FACTURI EMISE", "Nu exista facturi emise in perioada selectata!"};
        case DocumentList::ReceivedInvoices:
            return {"FACTURI INTRARE", "Nu exista facturi de intrare in perioada selectata!"};
        case DocumentList::PaidReceipts:
            return {"CHITANTE/ORDINE DE PLATA ACHITATE",
                    "Nu exista chitante sau ordine de plata achitate in data selectata!"};
        case DocumentList::CollectedReceipts:
            break;
    }
    return {"CHITANTE/ORDINE DE PLATA INCASATE",
            "Nu exista chitante sau ordine de plata incasate in data selectata!"};
}

}  // namespace

void documentList(DocumentList list) {
    if (FormSelectData->exec() != 1) {
        return;
    }
    const bool oneDayMode = FormSelectData->ui.RadioButton1->isChecked();
    const DateCondition condition =
        oneDayMode ? oneDay(FormSelectData->DateOn)
                   : dateRange(FormSelectData->DateFrom, FormSelectData->DateTo);
    report::ReportForm& form = isInvoiceList(list)
                                   ? static_cast<report::ReportForm&>(*RaportFacturi)
                                   : static_cast<report::ReportForm&>(*RaportChitante);
    captionCompany(form, QStringLiteral("RLabel1"), QStringLiteral("RLabel2"));
    form.setCaption(QStringLiteral("RLabel4"), condition.label);
    form.query().setSql(
        listStatement(SelectedFiscalCode, list, oneDayMode, FormSelectData->DateOn, condition));
    const ListKind kind = kindOf(list);
    form.setCaption(QStringLiteral("RLabel3"), QString::fromLatin1(kind.title));
    if (!previewReport(form)) {
        message(QString::fromLatin1(kind.empty), QString());
    }
}

}  // namespace kov::reports
