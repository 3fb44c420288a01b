#include "reports/RaportJurCumpN.h"

TRaportJurCumpN::TRaportJurCumpN(QObject* parent)
    : JournalReport({QStringLiteral("JURNAL PENTRU CUMPARARI"),
                     QStringLiteral("Furnizor/prestator"),
                     {QStringLiteral("Cumparari\nscutite\nde TVA")}},
                    parent) {}
