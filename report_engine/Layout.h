#pragma once
// Lays a report form out into pages, walking its data set from the first row.

#include "report_engine/PageModel.h"

namespace kov {
class Query;
}

namespace kov::report {

class ReportForm;

PageModel layoutReport(const ReportForm& form, Query& rows);

}  // namespace kov::report
