#pragma once
// The breakdown categories of documents, of two kinds: 'c' expenses and 'v' incomes.

#include <QString>
#include <QStringList>
#include <optional>

namespace kov {

// The categories of a kind, in name order.
QString categoriesStatement(const QString& kind);
QStringList categoryNames(const QString& kind);

// The number of the category of that kind with this name.
std::optional<long long> findCategory(const QString& kind, const QString& name);

}  // namespace kov
