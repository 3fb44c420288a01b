#include "reports/DocumentLists.h"

#include <QDate>

#include "ui/Globals.h"
#include "ui/Messages.h"
#include "data/Values.h"
#include "reports/RaportChitante.h"
#include "reports/RaportFacturi.h"
#include "reports/ReportCommands.h"
#include "reports/Selectperioada.h"

namespace kov::reports {

namespace {

QDate dateOf(const QString& text) {
    return parseDate(text).value_or(QDate());
}

// The day itself, then the later days of its month, then the later months of its year, then
// the later years; with "<" the mirror. Compared field by field: the time of day never counts.
QString fromOrUntil(const QDate& d, const char* same, const char* other) {
    // All at once: a number put in first could run into the digits of a later marker.
    return QStringLiteral(
               "((day(data)%1%2 and month(data)=%3 and year(data)=%4) or "
               "(month(data)%5%3 and year(data)=%4) or (year(data)%5%4))")
        .arg(QLatin1String(same), QString::number(d.day()), QString::number(d.month()),
             QString::number(d.year()), QLatin1String(other));
}

QString dayCondition(const QDate& d) {
    return QStringLiteral("day(data)=%1 and month(data)=%2 and year(data)=%3")
        .arg(d.day())
        .arg(d.month())
        .arg(d.year());
}

const QString kReceiptNumbers = QStringLiteral(
    " and ((nrdoc like '%CH.%') or (nrdoc like '%O.P.%') or (nrdoc like '%BF.%')) order by "
    "data, nrdoc");

struct ListKind {
    const char* select;  // up to the company's code
    const char* title;
    const char* empty;
};

ListKind kindOf(DocumentList list) {
    switch (list) {
        case DocumentList::IssuedInvoices:
            return {"select * from facturi where felfactura='E' and codfiscal=", "FACTURI EMISE",
                    "Nu exista facturi emise in perioada selectata!"};
        case DocumentList::ReceivedInvoices:
            return {"select * from facturi where felfactura='I' and codfiscal=", "FACTURI INTRARE",
                    "Nu exista facturi de intrare in perioada selectata!"};
        case DocumentList::PaidReceipts:
            return {"select * from operatiuni where tip='plata' and codfiscal=",
                    "CHITANTE/ORDINE DE PLATA ACHITATE",
                    "Nu exista chitante sau ordine de plata achitate in data selectata!"};
        case DocumentList::CollectedReceipts:
            break;
    }
    return {"select * from operatiuni where tip='incasare' and codfiscal=",
            "CHITANTE/ORDINE DE PLATA INCASATE",
            "Nu exista chitante sau ordine de plata incasate in data selectata!"};
}

bool isInvoiceList(DocumentList list) {
    return list == DocumentList::IssuedInvoices || list == DocumentList::ReceivedInvoices;
}

}  // namespace

DateCondition oneDay(const QString& date) {
    if (date.isEmpty()) {
        return {};
    }
    return {" and " + dayCondition(dateOf(date)), "la data de " + date};
}

DateCondition dateRange(const QString& from, const QString& to) {
    if (from.isEmpty() && to.isEmpty()) {
        return {};
    }
    if (from.isEmpty()) {
        return {" and " + fromOrUntil(dateOf(to), "<=", "<"), "pana la data de " + to};
    }
    if (to.isEmpty()) {
        return {" and " + fromOrUntil(dateOf(from), ">=", ">"), "din data de " + from};
    }
    return {" and (" + fromOrUntil(dateOf(from), ">=", ">") + " and " +
                fromOrUntil(dateOf(to), "<=", "<") + ")",
            "din data de " + from + " pana la data de " + to};
}

QString listStatement(DocumentList list, bool oneDayMode, const QString& dateOn,
                      const DateCondition& condition) {
    const QString company = quoted(SelectedFiscalCode);
    if (isInvoiceList(list)) {
        return QLatin1String(kindOf(list).select) + company + condition.sql +
               " order by data, nrfactura";
    }
    // The paid list for one given day names the date before the company.
    if (list == DocumentList::PaidReceipts && oneDayMode && !dateOn.isEmpty()) {
        return "select * from operatiuni where tip='plata' and " + dayCondition(dateOf(dateOn)) +
               " and codfiscal=" + company + kReceiptNumbers;
    }
    return QLatin1String(kindOf(list).select) + company + condition.sql + kReceiptNumbers;
}

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
    form.query().setSql(listStatement(list, oneDayMode, FormSelectData->DateOn, condition));
    const ListKind kind = kindOf(list);
    form.setCaption(QStringLiteral("RLabel3"), QString::fromLatin1(kind.title));
    if (!previewReport(form)) {
        message(QString::fromLatin1(kind.empty), QString());
    }
}

}  // namespace kov::reports
