#pragma once
// The page of the sales and purchase journals (A4 landscape): one line per invoice read from
// registru in insertion order, the totals that the fill procedure puts into LTotal ... LTVA9,
// and the taxable column pairs captioned by the rates of the month (LCota1, LCota2).

#include "books/JournalRates.h"
#include "report_engine/ReportForm.h"

namespace kov::reports {

class JournalReport : public report::ReportForm {
    Q_OBJECT
  public:
    struct Captions {
        QString title;         // "JURNAL PENTRU VANZARI"
        QString counterparty;  // "Beneficiarul"
        // One caption per exempt column: with the right of deduction (SCUTITTVA, LScutit) and,
        // where there is a second, without it (SCUTITFARA, LScutitFara).
        QStringList exempt;
    };
    explicit JournalReport(const Captions& captions, QObject* parent = nullptr);

    // Captions the two taxable pairs by the rates of the reported month.
    void setRates(const JournalRates& rates);
    // The journal has the column without the right of deduction.
    bool withoutDeductionColumn() const { return withoutDeduction_; }

  private:
    bool withoutDeduction_ = false;
};

}  // namespace kov::reports
