#pragma once
// The counties of the partner and private-person lists and their ISO 3166-2:RO codes, kept in
// one table: the lists show the names, the e-Factura file needs the codes.

#include <QString>
#include <QStringList>
#include <optional>

namespace kov {

struct CountyCode {
    QString iso;     // "RO-AB", "RO-B", ...
    QString sector;  // Bucharest only: the locality code "SECTOR1" .. "SECTOR6"; else empty
};

// The 47 names, in the order of the county lists ("ALBA" ... "SECTOR AGR ILFOV").
const QStringList& countyNames();

// The codes of a name of the lists (surrounding blanks and letter case ignored); nothing for a
// name the lists do not hold.
std::optional<CountyCode> countyCode(const QString& name);

// The name of the lists for an ISO code of a received file; Bucharest by the sector its
// locality names ("SECTOR3", "Sector 3"). The code itself when the lists hold no such county.
QString countyName(const QString& iso, const QString& locality);

}  // namespace kov
