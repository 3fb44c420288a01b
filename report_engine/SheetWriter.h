#pragma once
// A laid-out report's table into spreadsheet files. Each file replaces the one at its path
// only once it is complete; a failed write leaves whatever was there before.

#include <QString>

#include "report_engine/PageModel.h"
#include "report_engine/Sheet.h"

namespace kov::report {

// An Excel workbook: one sheet named after the report, amounts as numbers "#,##0.00", dates
// as dates "dd.mm.yyyy", the header row frozen, printed as the report's paper is turned.
bool writeXlsx(const QString& path, const PageModel& model);

// RFC 4180 CSV in UTF-8 with a byte-order mark: commas, CRLF line ends, amounts with a
// decimal point and no grouping (1234.50), dates dd.mm.yyyy.
bool writeCsv(const QString& path, const PageModel& model);

// One cell as a CSV field: quoted where it must be, and a text that a spreadsheet would run as
// a formula (starting with =, +, -, @, a tab or a carriage return) kept as text.
QString csvField(const SheetCell& cell);

}  // namespace kov::report
