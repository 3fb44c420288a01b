#include "reports/RaportJurVanzN.h"

namespace {

QString exempt(const char* right) {
    return QStringLiteral(
               "Operatiuni scutite,\noperatiuni pentru\ncare locul\nlivrarii/prestarii\n"
               "este in strainatate\nsi alte operatiuni\n") +
           QString::fromLatin1(right);
}

}  // namespace

TRaportJurVanzN::TRaportJurVanzN(QObject* parent)
    : JournalReport({QStringLiteral("JURNAL PENTRU VANZARI"),
                     QStringLiteral("Beneficiarul"),
                     {exempt("- cu drept de\ndeducere -"), exempt("- fara drept de\ndeducere -")}},
                    parent) {}
