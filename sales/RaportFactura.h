#pragma once
// The invoice printout on the pre-printed form (the program prints only the values, each at
// its place), and the invoice it records once the user has printed it.

#include <QString>
#include <optional>

#include "report_engine/ReportForm.h"

// A private person invoiced, as typed on the invoice.
struct InvoicedPerson {
    QString name, address, locality, county, cnp;
};

// An invoice ready to be recorded: the texts as the invoice window holds them once checked.
struct PendingInvoice {
    QString number, date;
    QString total, net, rate, vat;  // numbers as typed (they go into the statement bare)
    QString clientCode;
    QString paid;       // "1" settled by the receipt, else "0"
    QString remainder;  // two decimals
    QString breakdown = QStringLiteral("0");
    bool receipt = false;
    QString receiptNumber, lineText, remarks;
    double receiptAmount = 0;
    std::optional<InvoicedPerson> person;  // nothing for a partner firm
};

// Writes the invoice row and, with a receipt, its collection row: both or neither.
void recordInvoice(const PendingInvoice& invoice);

class TRaportFactura : public kov::report::ReportForm {
    Q_OBJECT
  public:
    explicit TRaportFactura(QObject* parent = nullptr);

    // Set by the invoice window with the labels; Printed is cleared before each preview.
    PendingInvoice Pending;
    bool Printed = false;

    // Records the pending invoice at the first printing of a preview; later ones do nothing.
    void ReportAfterPrint();
};
