#pragma once
// The invoice a client receives: a whole A4 page with the supplier, the client, the lines, the
// totals per VAT rate, the mentions the law asks for, the dispatch and the signatures. Filled
// from an InvoiceDocument, so that an issued, a recorded and a received invoice print alike.

#include "books/InvoiceDocument.h"
#include "report_engine/ReportForm.h"

class TRaportFacturaA4 : public kov::report::ReportForm {
    Q_OBJECT
  public:
    explicit TRaportFacturaA4(QObject* parent = nullptr);

    // Lays the invoice out; the PDF it saves is named "Factura <number> <yyyy-mm-dd>".
    void fill(const kov::InvoiceDocument& invoice);

  private:
    void setColumns(bool vat);
    double placeText(const QString& name, double top, const QString& text);
};
