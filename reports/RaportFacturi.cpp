#include "reports/RaportFacturi.h"

#include "reports/ReportLayout.h"

using namespace kov::report;
using namespace kov::reports;
using Source = ListColumn::Source;

TRaportFacturi::TRaportFacturi(QObject* parent)
    : ListReport({Orientation::Portrait, QStringLiteral("FACTURI EMISE"), fonts::kCourier9, true,
                  true, false},
                 {{10, "Nr.\ncrt", Source::LineNumber, {}, Align::Right, fonts::kNarrow9},
                  {22, "Data", Source::Field, "DATA", Align::Right, fonts::kNarrow9},
                  {34, "Nr. factura", Source::Field, "NRFACTURA", Align::Left, fonts::kNarrow9},
                  {40, "Cod client", Source::Field, "CODCLIENT", Align::Left, fonts::kNarrow9},
                  {42, "Suma", Source::Field, "SUMA", Align::Right, fonts::kCourier9, Mask::Amount,
                   "SUM(Query1.SUMA)"},
                  {42, "Suma fara TVA", Source::Field, "FARATVA", Align::Right, fonts::kCourier9,
                   Mask::Amount, "SUM(Query1.FARATVA)"}},
                 parent) {}
