#pragma once
// Lays a report form out into pages, walking its data set from the first row.

#include <memory>

#include "report_engine/PageModel.h"

namespace kov {
class Query;
}

namespace kov::report {

class Layouter;
class ReportForm;

PageModel layoutReport(const ReportForm& form, Query& rows);

// The same layout made a page at a time, so that a window can show the first pages while the
// others are still to come. The job walks its own copy of the rows: the caller may close its
// data set as soon as the job exists. The form must outlive the job.
class LayoutJob {
  public:
    LayoutJob(const ReportForm& form, const Query& rows);
    ~LayoutJob();
    LayoutJob(const LayoutJob&) = delete;
    LayoutJob& operator=(const LayoutJob&) = delete;

    // Lays out until `pages` pages are complete or the report is; throws ReportError as the
    // whole layout would.
    void advanceTo(int pages);
    bool done() const;
    // Pages with every band placed: all of them once done.
    int completePages() const;
    // The pages so far; the spreadsheet table only once done.
    const PageModel& model() const;

  private:
    std::unique_ptr<Query> rows_;
    std::unique_ptr<Layouter> layouter_;
};

}  // namespace kov::report
