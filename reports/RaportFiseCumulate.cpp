#include "reports/RaportFiseCumulate.h"

#include "reports/ReportLayout.h"

using namespace kov::report;
using namespace kov::reports;
using Source = ListColumn::Source;

TRaportFiseCumulate::TRaportFiseCumulate(QObject* parent)
    : ListReport({Orientation::Portrait, QStringLiteral("FISE OPERATIUNI DIVERSE CUMULATE"),
                  fonts::kNarrow10, false, false, false, false},
                 {{110, "Denumire", Source::Field, "Denumire", Align::Left, fonts::kNarrow10},
                  {40, QStringLiteral("Total pe lun\u00e3"), Source::Field, "SumaLuna",
                   Align::Right, fonts::kNarrow10, Mask::Amount, "SUM(Query1.SumaLuna)"},
                  {40, "Total pe an", Source::Field, "SumaAn", Align::Right, fonts::kNarrow10,
                   Mask::Amount, "SUM(Query1.SumaAn)"}},
                 parent) {
    setPrintIfEmpty(true);
    query().setSql(QStringLiteral("select * from FiseCumulate"));
}
