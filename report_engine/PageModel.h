#pragma once
// What the layout produces and every output reads: pages of placed items, in millimetres from
// the paper's top left corner. Nothing here depends on a device or a zoom.

#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <vector>

#include "report_engine/ReportTypes.h"
#include "report_engine/Sheet.h"

namespace kov::report {

enum class ItemKind {
    Label,
    DataText,
    Expression,
    SystemData,
    Rectangle,
    HorizontalLine,
    VerticalLine
};

struct PlacedItem {
    ItemKind kind = ItemKind::Label;
    BandKind band = BandKind::Title;
    QString name;       // the control's name, e.g. "RLabel14"
    QString text;       // text items: the whole text
    QStringList lines;  // text items: the text as broken into printed lines
    QRectF rect;        // mm
    Font font;
    Align align = Align::Left;
    double lineHeight = 0.0;  // mm from the top of one line to the top of the next
    int penWidth = 0;         // shapes

    bool isText() const {
        return kind == ItemKind::Label || kind == ItemKind::DataText ||
               kind == ItemKind::Expression || kind == ItemKind::SystemData;
    }
};

struct Page {
    int number = 0;
    std::vector<PlacedItem> items;

    // Items in placing order whose control has this name.
    std::vector<const PlacedItem*> find(const QString& name) const;
    // Items placed by one kind of band.
    std::vector<const PlacedItem*> fromBand(BandKind band) const;
    // Every text on the page, in placing order.
    QStringList texts() const;
};

struct PageModel {
    QString title;
    QSizeF paper;  // mm: width across and height down, as printed
    std::vector<Page> pages;
    Sheet sheet;  // the same report as one table, for spreadsheets

    int pageCount() const { return static_cast<int>(pages.size()); }
};

}  // namespace kov::report
