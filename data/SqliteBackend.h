#pragma once
// The embedded engine's handles, for the data layer's own file-level work (schema, copies).

#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace kov {

struct StatementDeleter {
    void operator()(sqlite3_stmt* stmt) const;
};
// A statement whose text carries its values is prepared, run once and finalized; one with
// placeholders is kept by its query and run again with new values (see Query).
using Statement = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

}  // namespace kov
