#pragma once
// Builds the table of a report while the form is laid out.

#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

#include "report_engine/PageModel.h"

namespace kov::report {

class ReportForm;
class TextControl;

// Collects the table while a form is laid out, from the bands as they are placed.
class SheetBuilder {
  public:
    explicit SheetBuilder(const ReportForm& form);

    // One band's items as rendered, before they are placed on a page. The title, the column
    // header and the summary are taken once; every detail band adds a row.
    void take(const std::vector<PlacedItem>& items);
    Sheet finish();

  private:
    enum class Kind { Text, Amount, Count, DateOrText };
    struct Column {
        double left = 0;
        double right = 0;
        Kind kind = Kind::Text;
    };
    struct Slot {
        int column = -1;
        int row = 0;             // summary line
        Kind kind = Kind::Text;  // as the control alone would have it
    };

    static Kind kindOf(const TextControl& control);
    void defineColumns(const ReportForm& form);
    void defineSummary(const ReportForm& form);
    int columnAt(double x) const;
    SheetCell typed(const QString& text, Kind kind) const;

    std::vector<Column> columns_;
    QHash<QString, int> detailColumns_;  // control name -> column
    // The other bands' controls in reading order, top to bottom, left to right.
    QStringList titleOrder_;
    std::vector<std::pair<QString, std::vector<int>>> headerOrder_;  // label -> columns headed
    std::vector<std::pair<QString, Slot>> summaryOrder_;
    int summaryLines_ = 0;
    bool haveTitle_ = false;
    bool haveHeader_ = false;
    bool haveSummary_ = false;
    Sheet sheet_;
};

}  // namespace kov::report
