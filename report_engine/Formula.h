#pragma once
// Expressions of the expression control: string literals in single quotes, numbers, "+",
// field references "Query1.FIELD", "SUM(Query1.FIELD)" and "PAGENUMBER".

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "report_engine/ReportTypes.h"

namespace kov {
class Query;
}

namespace kov::report {

// What a control reads while its band is laid out.
struct Context {
    const Query* rows = nullptr;  // on the current row; past the end outside the detail rows
    QString dataSet;              // the name field references use, "Query1"
    const QHash<QString, double>* sums = nullptr;  // per upper-case field name
    int page = 0;
    int line = 0;  // running number of the detail line, 0 before the first

    // The current row's field as text; empty without a current row.
    QString field(const QString& name) const;
    double sum(const QString& field) const;
};

// The text under a mask: a number becomes "#,##0.00", any other text stays as it is.
QString applyMask(const QString& text, Mask mask);

// A field's text as a number for the sums: empty counts 0, the display form 1,234.50 is
// understood; anything else is no number.
std::optional<double> amountOf(const QString& text);

class Formula {
  public:
    explicit Formula(const QString& source);  // throws ReportError when it does not parse

    QString evaluate(const Context& context, Mask mask) const;
    const QString& source() const { return source_; }
    // Upper-case names of the fields under SUM(...).
    QStringList sumFields() const;

  private:
    struct Term {
        enum class Kind { Text, Number, Field, Sum, PageNumber } kind;
        QString text;     // literal, or field name
        QString dataSet;  // field references: the name before the dot, may be empty
        double number = 0;
    };

    QString source_;
    std::vector<Term> terms_;
};

}  // namespace kov::report
