#include "report_engine/PageModel.h"

namespace kov::report {

std::vector<const PlacedItem*> Page::find(const QString& name) const {
    std::vector<const PlacedItem*> out;
    for (const PlacedItem& item : items) {
        if (item.name == name) {
            out.push_back(&item);
        }
    }
    return out;
}

std::vector<const PlacedItem*> Page::fromBand(BandKind band) const {
    std::vector<const PlacedItem*> out;
    for (const PlacedItem& item : items) {
        if (item.band == band) {
            out.push_back(&item);
        }
    }
    return out;
}

QStringList Page::texts() const {
    QStringList out;
    for (const PlacedItem& item : items) {
        if (item.isText()) {
            out << item.text;
        }
    }
    return out;
}

}  // namespace kov::report
