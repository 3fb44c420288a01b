#pragma once
// The breakdown categories (defalcari) of one kind: "v" income categories break down
// collections, "c" expense categories payments (Flow::categoryKind).

#include <QString>
#include <QStringList>
#include <optional>

namespace kov {

// The categories of a kind, in name order.
QString categoriesStatement(const QString& kind);
QStringList categoryNames(const QString& kind);

enum class NameMatch { Equal, Like };

// The number of the first category of the kind whose name equals the text (or is like the
// pattern), as text; "0" when there is none.
QString categoryId(const QString& kind, const QString& name, NameMatch match = NameMatch::Equal);

// The number of the category of that kind with this name.
std::optional<long long> findCategory(const QString& kind, const QString& name);

// Adds a category of the kind under a number from 10000 to 29999 that no category ever had,
// chosen at random and taken in the statement that checks it is free, so that another program
// adding one at the same time cannot take it too. Nothing when every number is taken.
std::optional<long long> addCategory(const QString& kind, const QString& name);

}  // namespace kov
