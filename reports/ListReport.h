#pragma once
// The page of the lists and cards: the company at the top left, the title (RLabel3) and the
// period (RLabel4) centred, a ruled column header, one line per row of the report's query,
// a summary with "Total:" and the column sums, and optionally "Intocmit" and page numbers.
// The forms differ in their columns and in a few options. Nothing prints for an empty query
// unless the form says otherwise.

#include <vector>

#include "report_engine/ReportForm.h"

namespace kov::reports {

struct ListColumn {
    enum class Source { LineNumber, Field, Expression };
    ListColumn(double width, QString caption, Source source, QString value, report::Align align,
               report::Font font, report::Mask mask = report::Mask::None, QString sum = {})
        : width(width),
          caption(std::move(caption)),
          source(source),
          value(std::move(value)),
          align(align),
          font(std::move(font)),
          mask(mask),
          sum(std::move(sum)) {}

    double width;
    QString caption;  // lines separated by "\n"
    Source source;
    QString value;  // the field name or the expression
    report::Align align;
    report::Font font;
    report::Mask mask;
    QString sum;  // the summary expression under the column, or empty
};

struct ListOptions {
    report::Orientation orientation = report::Orientation::Portrait;
    QString title;             // RLabel3; the program may replace it
    report::Font sumFont;      // the column sums
    bool ruledCells = true;    // the detail cells ruled left and right, or only underlined
    bool boxedSummary = true;  // a ruled box around the totals, or a rule above them
    bool signature = true;     // "Intocmit" under the summary
    bool pageNumbers = true;   // "'pag. ' + PAGENUMBER" at the right of each page
};

class ListReport : public report::ReportForm {
    Q_OBJECT
  public:
    ListReport(const ListOptions& options, const std::vector<ListColumn>& columns,
               QObject* parent = nullptr);
};

}  // namespace kov::reports
