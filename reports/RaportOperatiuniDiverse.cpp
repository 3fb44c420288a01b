#include "reports/RaportOperatiuniDiverse.h"

#include "reports/ReportLayout.h"

using namespace kov::report;
using namespace kov::reports;
using Source = ListColumn::Source;

TRaportOperatiuniDiverse::TRaportOperatiuniDiverse(QObject* parent)
    : ListReport(
          {Orientation::Portrait, QStringLiteral("FISA OPERATIUNI DIVERSE"), fonts::kNarrow8},
          {{10, "Nr.\ncrt", Source::LineNumber, {}, Align::Right, fonts::kNarrow8},
           {20, "Data", Source::Field, "Data", Align::Right, fonts::kNarrow8},
           {34, "Documentul", Source::Field, "NrDoc", Align::Left, fonts::kNarrow8},
           {62, "Explicatii", Source::Field, "FelOperatie", Align::Left, fonts::kNarrow8},
           {27, "Suma", Source::Field, "FaraTVA", Align::Right, fonts::kNarrow8, Mask::Amount,
            "SUM(Query1.FaraTVA)"},
           {37, "Observatii", Source::Field, "Observatii", Align::Left, fonts::kNarrow8}},
          parent) {
    setPrintIfEmpty(true);
}
