#pragma once
// A report as one table, for spreadsheets: the title band's texts on top, one header row of
// column captions, one row per detail line and the summary band's lines. The columns are the
// text controls of the detail band, and captions over columns the detail leaves blank, from
// left to right; each cell carries the text printed and, where the report shows a number or a
// date, its value.

#include <QDate>
#include <QString>
#include <QStringList>
#include <vector>

namespace kov::report {

enum class CellType { Empty, Text, Amount, Count, Date };

struct SheetCell {
    CellType type = CellType::Empty;
    QString text;       // as printed
    double number = 0;  // Amount, Count
    QDate date;         // Date
};

using SheetRow = std::vector<SheetCell>;

struct Sheet {
    QStringList heading;           // title band texts, top to bottom
    QStringList header;            // one caption per column
    std::vector<SheetRow> rows;    // detail lines
    std::vector<SheetRow> totals;  // summary band lines

    int columnCount() const { return static_cast<int>(header.size()); }
};

}  // namespace kov::report
