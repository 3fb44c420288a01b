#pragma once
// The breakdown categories (defalcari) of one kind: "v" income categories break down
// collections, "c" expense categories payments (Flow::categoryKind).

#include <QString>
#include <QStringList>

namespace kov {

// The category names of the kind, in name order.
QStringList categoryNames(const QString& kind);

enum class NameMatch { Equal, Like };

// The number of the first category of the kind whose name equals the text (or is like the
// pattern), as text; "0" when there is none.
QString categoryId(const QString& kind, const QString& name, NameMatch match = NameMatch::Equal);

}  // namespace kov
