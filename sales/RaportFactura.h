#pragma once
// The invoice printout on the pre-printed form (the program prints only the values, each at
// its place), and the invoice it records once the user has printed it.

#include "books/Invoices.h"
#include "report_engine/ReportForm.h"

class QWidget;

class TRaportFactura : public kov::report::ReportForm {
    Q_OBJECT
  public:
    explicit TRaportFactura(QObject* parent = nullptr);

    // Set by the invoice window with the labels; Printed is cleared before each preview.
    kov::PendingInvoice Pending;
    bool Printed = false;

    // Issues the pending invoice at the first printing of a preview; later ones do nothing. A
    // number issued meanwhile (by another program) is refused and nothing recorded.
    void ReportAfterPrint();
};

// Refuses a number that an issued invoice of the company already carries; true when it did.
bool refuseUsedNumber(bool used, QWidget* focus = nullptr);
