#pragma once
// What the report forms of the registers and lists share: their fonts, the company and title
// lines at the top, ruled table columns and the page number.

#include <QStringList>
#include <vector>

#include "report_engine/ReportForm.h"

namespace kov::reports {

namespace fonts {
inline const report::Font kNarrow8{QStringLiteral("Arial Narrow"), 8, false};
inline const report::Font kNarrow8Bold{QStringLiteral("Arial Narrow"), 8, true};
inline const report::Font kNarrow9{QStringLiteral("Arial Narrow"), 9, false};
inline const report::Font kNarrow10{QStringLiteral("Arial Narrow"), 10, false};
inline const report::Font kArial8{QStringLiteral("Arial"), 8, false};
inline const report::Font kArial10{QStringLiteral("Arial"), 10, false};
inline const report::Font kArial10Bold{QStringLiteral("Arial"), 10, true};
inline const report::Font kArial12Bold{QStringLiteral("Arial"), 12, true};
inline const report::Font kArial16Bold{QStringLiteral("Arial"), 16, true};
inline const report::Font kCourier9{QStringLiteral("Courier New"), 9, false};
}  // namespace fonts

// Table columns side by side from the left margin, by their widths in mm.
class Columns {
  public:
    explicit Columns(std::vector<double> widths);

    int count() const { return static_cast<int>(widths_.size()); }
    double left(int column) const { return lefts_[static_cast<size_t>(column)]; }
    double right(int column) const { return left(column) + widths_[static_cast<size_t>(column)]; }
    double width() const { return right(count() - 1); }
    // The inside of the columns first to last, kept clear of the rules.
    QRectF cell(int first, int last, double top, double height) const;
    QRectF cell(int column, double top, double height) const {
        return cell(column, column, top, height);
    }

  private:
    std::vector<double> widths_;
    std::vector<double> lefts_;
};

// Names for the controls that the program never addresses: every one must be unique.
class Names {
  public:
    explicit Names(QString prefix) : prefix_(std::move(prefix)) {}
    QString next() { return prefix_ + QString::number(++count_); }

  private:
    QString prefix_;
    int count_ = 0;
};

// A vertical rule at the left edge of each column from first to last and at the right edge of
// last, from top down height mm.
void ruleColumns(report::Band& band, Names& names, const Columns& columns, int first, int last,
                 double top, double height);
void vline(report::Band& band, Names& names, double x, double top, double height);
void hline(report::Band& band, Names& names, double left, double right, double y, int penWidth = 1);

// The company's description and name at the top left, the title and the period line centred
// over width mm. Labels in the order description, name, title, period.
struct TitleLabels {
    QString description, name, title, period;
};
// Returns the height the four lines take.
double addTitleLines(report::Band& band, const TitleLabels& labels, const QString& title,
                     double width, const report::Font& titleFont, const report::Font& periodFont);

// A caption of one or more lines, its lines centred across and down the area.
report::Label& addCaption(report::Band& band, const QString& name, const QRectF& area,
                          const QString& caption, const report::Font& font);

// "'pag. ' + PAGENUMBER" at the left or right of a width.
void addPageNumber(report::ReportForm& form, double width, report::Align align,
                   const report::Font& font);

// A caption given as its printed lines.
inline QString lines(const QStringList& parts) {
    return parts.join(u'\n');
}

}  // namespace kov::reports
