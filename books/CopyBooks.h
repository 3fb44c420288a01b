#pragma once
// The books moved from one database to another, a file or a server either side: every table of
// the catalogue but the scratch ones, every row and column, in one transaction on the target.

#include <QString>
#include <functional>
#include <vector>

#include "data/Database.h"
#include "data/Schema.h"

namespace kov {

// One table's rows and the sum of each of its number columns, as the source and the target
// hold them once it is copied.
struct TableTally {
    struct Sum {
        QString column;
        double source = 0;
        double target = 0;
    };
    QString table;
    long long sourceRows = 0;
    long long targetRows = 0;
    std::vector<Sum> sums;
    // The same rows and the same sums to the cent.
    bool matches() const;
};

// A target that already holds books: copying is refused before anything is written.
class TargetHoldsBooks : public DbError {
  public:
    using DbError::DbError;
};

// The tables that hold books, in the catalogue's order: all but the scratch ones, which belong to
// the connection that fills them.
std::vector<const TableInfo*> copiedTables();

// Copies the books of the open connection sourceName into the open connection targetName,
// whose tables must all be empty (TargetHoldsBooks). Each table's tally goes to onTable as
// soon as it is copied. The target's transaction is committed only when every table matches;
// returns whether it was. A failing statement throws DbError, and then too nothing is written.
// While copying, the source is held in a transaction that nobody else writes through and that
// is rolled back.
bool copyBooks(const QString& sourceName, const QString& targetName,
               const std::function<void(const TableTally&)>& onTable = {});

// A tally as one line: "facturi: randuri 3 / 3; SUMA 238.00 / 238.00", source first.
QString tallyLine(const TableTally& tally);

}  // namespace kov
