#include "reports/RaportChitante.h"

#include "reports/ReportLayout.h"

using namespace kov::report;
using namespace kov::reports;
using Source = ListColumn::Source;

TRaportChitante::TRaportChitante(QObject* parent)
    : ListReport({Orientation::Landscape, QStringLiteral("CHITANTE/ORDINE DE PLATA INCASATE"),
                  fonts::kNarrow9, true, true, false},
                 {{10, "Nr.\ncrt", Source::LineNumber, {}, Align::Right, fonts::kNarrow9},
                  {24, "Data", Source::Field, "Data", Align::Right, fonts::kNarrow9},
                  {50, "Nr. document", Source::Field, "NrDoc", Align::Left, fonts::kNarrow9},
                  {113, "Explicatii", Source::Expression,
                   "Query1.FelOperatie+' '+Query1.Observatii", Align::Left, fonts::kNarrow9},
                  {40, "Suma", Source::Field, "Suma", Align::Right, fonts::kNarrow9, Mask::Amount,
                   "SUM(Query1.SUMA)"},
                  {40, "Suma fara TVA", Source::Field, "FaraTVA", Align::Right, fonts::kNarrow9,
                   Mask::Amount, "SUM(Query1.FARATVA)"}},
                 parent) {}
