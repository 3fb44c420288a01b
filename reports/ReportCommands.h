#pragma once
// What the report commands share: the selected company's header lines, the month chosen in
// the month dialog, the progress window around a scratch-table refill, and the preview of a
// filled report form.

#include <QString>

#include "report_engine/ReportForm.h"

namespace kov::reports {

struct Company {
    QString description;
    QString name;
    bool vatPayer = false;
};

// The datefirma row of SelectedFiscalCode (empty texts when there is none).
Company selectedCompany();
// Reads the company and puts its description and name into the two labels.
Company captionCompany(report::ReportForm& form, const QString& descriptionLabel,
                       const QString& nameLabel);

// The month dialog's choice.
struct Month {
    int month = 0;
    int year = 0;
    QString caption;  // "Martie 2004"
};
// Shows the month dialog; false when the user cancelled.
bool askMonth(Month& month);

// " and month(data)=3 and year(data)=2004": the condition of the documents of one month.
QString inMonth(int month, int year);

// Empties a scratch table ("delete from registru", or the dialect's "delete * from ...").
void emptyTable(const QString& statement);

// The progress window while a scratch table is refilled: shown with its text and gauge at 0,
// hidden again when the guard goes, also after an error.
class ProgressShown {
  public:
    explicit ProgressShown(const QString& text);
    ~ProgressShown();
    ProgressShown(const ProgressShown&) = delete;
    ProgressShown& operator=(const ProgressShown&) = delete;
    void setMaximum(int maximum);
    void step();
};

// Opens the form's query and previews it (non-modal, or modal); the query is closed again
// when the preview call returns. Returns false, showing nothing, when the query is empty: the
// commands then say so instead.
bool previewReport(report::ReportForm& form, bool modal = false);

}  // namespace kov::reports
