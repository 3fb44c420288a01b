#include "efactura/Counties.h"

#include <array>
#include <utility>

namespace kov {

namespace {

// The names are those of the lists, without diacritics and in their spelling ("DIMBOVITA",
// "VILCEA"); Bucharest is listed by sector and Ilfov as its agricultural sector.
constexpr std::array<std::pair<const char*, const char*>, 47> kCounties{{
    {"ALBA", "RO-AB"},
    {"ARAD", "RO-AR"},
    {"ARGES", "RO-AG"},
    {"BACAU", "RO-BC"},
    {"BIHOR", "RO-BH"},
    {"BISTRITA", "RO-BN"},
    {"BOTOSANI", "RO-BT"},
    {"BRASOV", "RO-BV"},
    {"BRAILA", "RO-BR"},
    {"BUZAU", "RO-BZ"},
    {"CARAS SEVERIN", "RO-CS"},
    {"CLUJ", "RO-CJ"},
    {"CONSTANTA", "RO-CT"},
    {"COVASNA", "RO-CV"},
    {"DIMBOVITA", "RO-DB"},
    {"DOLJ", "RO-DJ"},
    {"GALATI", "RO-GL"},
    {"GORJ", "RO-GJ"},
    {"HARGHITA", "RO-HR"},
    {"HUNEDOARA", "RO-HD"},
    {"IALOMITA", "RO-IL"},
    {"IASI", "RO-IS"},
    {"GIURGIU", "RO-GR"},
    {"MARAMURES", "RO-MM"},
    {"MEHEDINTI", "RO-MH"},
    {"MURES", "RO-MS"},
    {"NEAMT", "RO-NT"},
    {"OLT", "RO-OT"},
    {"PRAHOVA", "RO-PH"},
    {"SATU MARE", "RO-SM"},
    {"SALAJ", "RO-SJ"},
    {"SIBIU", "RO-SB"},
    {"SUCEAVA", "RO-SV"},
    {"TELEORMAN", "RO-TR"},
    {"TIMIS", "RO-TM"},
    {"TULCEA", "RO-TL"},
    {"VASLUI", "RO-VS"},
    {"VILCEA", "RO-VL"},
    {"VRANCEA", "RO-VN"},
    {"CALARASI", "RO-CL"},
    {"BUC.SECTOR 1", "RO-B"},
    {"BUC.SECTOR 2", "RO-B"},
    {"BUC.SECTOR 3", "RO-B"},
    {"BUC.SECTOR 4", "RO-B"},
    {"BUC.SECTOR 5", "RO-B"},
    {"BUC.SECTOR 6", "RO-B"},
    {"SECTOR AGR ILFOV", "RO-IF"},
}};

}  // namespace

const QStringList& countyNames() {
    static const QStringList names = [] {
        QStringList list;
        for (const auto& [name, iso] : kCounties) {
            list << QString::fromLatin1(name);
        }
        return list;
    }();
    return names;
}

std::optional<CountyCode> countyCode(const QString& name) {
    const QString wanted = name.trimmed().toUpper();
    for (const auto& [listName, iso] : kCounties) {
        if (wanted != QLatin1String(listName)) {
            continue;
        }
        CountyCode code{QString::fromLatin1(iso), {}};
        // The platform names a Bucharest locality by its sector: "BUC.SECTOR 3" -> "SECTOR3".
        static const QLatin1String bucharest("BUC.SECTOR ");
        if (wanted.startsWith(bucharest)) {
            code.sector = QStringLiteral("SECTOR") + wanted.mid(bucharest.size());
        }
        return code;
    }
    return std::nullopt;
}

QString countyName(const QString& iso, const QString& locality) {
    const QString code = iso.trimmed().toUpper();
    if (code == QLatin1String("RO-B")) {
        const QString sector = locality.toUpper().remove(u' ').remove(QLatin1String("SECTORUL"));
        const QString digit = sector.right(1);
        if (digit >= QLatin1String("1") && digit <= QLatin1String("6")) {
            return QStringLiteral("BUC.SECTOR ") + digit;
        }
        return code;
    }
    for (const auto& [name, listIso] : kCounties) {
        if (code == QLatin1String(listIso)) {
            return QString::fromLatin1(name);
        }
    }
    return code;
}

}  // namespace kov
