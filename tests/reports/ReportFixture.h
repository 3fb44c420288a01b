#pragma once
// The report commands in a private database: the dialogs, the progress window and the report
// forms they use, one own company "RO100" (a VAT payer) selected, and readers of the page
// model that a preview shows.

#include <gtest/gtest.h>

#include <QComboBox>
#include <memory>
#include <vector>

#include "report_engine/ReportForm.h"
#include "tests/Support.h"

class TFormSelectLuna;
class TFormSelectData;
class TFormProgress;
class TFormSelectareFisa;
class TRaportJurVanzN;
class TRaportJurCumpN;
class TRaportJurnal;
class TRaportOperatiuniDiverse;
class TRaportFiseCumulate;
class TRaportFacturi;
class TRaportChitante;

namespace kov::test {

class ReportTest : public ::testing::Test {
  protected:
    ReportTest();
    ~ReportTest() override;

    // The next month dialog picks this month and year and accepts.
    void pickMonth(int month, int year);
    // The next period dialog: one day (from only) or a range (from, to), then accepts.
    void pickDay(const QString& day);
    void pickRange(const QString& from, const QString& to);

    // Inserts an invoice: date as typed, amounts as the windows write them.
    void invoice(const QString& kind, const QString& number, const QString& date,
                 const QString& client, double base, double rate, const QString& company = "RO100");
    void operation(const QString& date, const QString& nrdoc, const QString& tip, int banca,
                   double suma, double faratva, int registru = 1, int defalcare = 0,
                   const QString& what = "ONORARIU", const QString& company = "RO100");

    // With a message: exactly that box was shown, with an empty title (true). Without: no box
    // at all (false).
    bool saidOnly(const QString& message, const QString& title = {});

    TempDatabase db;
    Modals modals;
};

// The texts of each detail line of every page, in order.
std::vector<QStringList> detailLines(const report::PageModel& model);
// The text of a named control on the last page that holds it (first page for the title).
QString textOf(const report::PageModel& model, const QString& name);
// The model of the form's last preview; empty when none was shown.
report::PageModel previewed(report::ReportForm& form);

}  // namespace kov::test
