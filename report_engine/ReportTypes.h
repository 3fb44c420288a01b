#pragma once
// The vocabulary shared by report forms, their layout and the page model.

#include <QString>
#include <stdexcept>

namespace kov::report {

enum class Orientation { Portrait, Landscape };

enum class BandKind { Title, ColumnHeader, Detail, Summary, PageFooter };

enum class Align { Left, Center, Right };

// Amount is the display mask "#,##0.00".
enum class Mask { None, Amount };

enum class ShapeKind { Rectangle, HorizontalLine, VerticalLine };

struct Font {
    QString family = QStringLiteral("Arial");
    double size = 8.0;  // points
    bool bold = false;
    bool operator==(const Font&) const = default;
};

// A report that cannot be built as declared or filled as asked: an unknown label, an
// expression that does not parse, a sum over a field that holds no number.
class ReportError : public std::runtime_error {
  public:
    explicit ReportError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromUtf8(what()); }
};

}  // namespace kov::report
