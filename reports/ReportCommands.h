#pragma once
// What the report commands share: the selected company's header lines, the month chosen in
// the month dialog, the progress window around a scratch-table refill, and the preview of a
// filled report form.

#include <QString>
#include <functional>

#include "books/ReportFill.h"
#include "report_engine/ReportForm.h"

namespace kov::reports {

// Reads the selected company and puts its description and name into the two labels.
CompanyHeader captionCompany(report::ReportForm& form, const QString& descriptionLabel,
                             const QString& nameLabel);

// The month dialog's choice.
struct Month {
    int month = 0;
    int year = 0;
    QString caption;  // "Martie 2004"
};
// Shows the month dialog; false when the user cancelled.
bool askMonth(Month& month);

// Runs a fill with the progress window: shown with its text at the fill's first report, its
// gauge following the rows, hidden again when the fill returns, also after an error. Returns
// what the fill returns.
int withProgress(const QString& text, const std::function<int(const FillProgress&)>& fill);

// Opens the form's query and previews it (non-modal, or modal); the query is closed again
// when the preview call returns. Returns false, showing nothing, when the query is empty: the
// commands then say so instead.
bool previewReport(report::ReportForm& form, bool modal = false);

}  // namespace kov::reports
