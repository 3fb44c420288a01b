#pragma once
// A report form as the program's forms are built: a list of receipts with line numbers, an
// amount column, its total and page numbers.

#include "report_engine/ReportForm.h"

namespace kov::test {

class DemoReport : public report::ReportForm {
  public:
    static constexpr double kTitle = 25.0;
    static constexpr double kHeader = 9.0;
    static constexpr double kDetail = 5.0;
    static constexpr double kSummary = 14.0;
    static constexpr double kFooter = 6.0;
    static constexpr double kMargin = 10.0;

    DemoReport();
};

// n rows in operatiuni, SUMA i * 10.25 for row i, except row 7 which holds 1234.5.
void fillReceipts(int n);
double receiptAmount(int i);

}  // namespace kov::test
