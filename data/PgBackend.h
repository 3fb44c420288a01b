#pragma once
// The database server's side of the data layer, for the data layer and its tests.

#include <QString>

#include "data/Database.h"

typedef struct pg_conn PGconn;

namespace kov {

// A server's failure by its SQLSTATE: the kind, the Romanian text the user reads, the server's
// own text kept for support. server names the server for a failure to reach it; constraint is
// the check the failure names, if any.
DbError postgresError(const QString& sqlState, const QString& constraint, const QString& engineText,
                      const QString& server = {});

// Creates the books' tables on the server or brings them up to the current version, and gives
// the connection its own temporary scratch tables.
void applyServerSchema(Database& db);

}  // namespace kov
