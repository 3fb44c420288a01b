#pragma once
// The books of one company copied to a backup file, and a backup's books merged back into the
// main database. The backup file is "Salvari.mdb" in the install folder, open on the backup
// connection ("salvari"); what carries it to and from the floppy is the window's part.

#include <QString>

#include "data/Database.h"

namespace kov {

// The name of the backup file, in the install folder and on the floppy alike.
inline const QString kBackupFileName = QStringLiteral("Salvari.mdb");

QString backupFile();  // in the install folder

// Rows written per table. A merge counts under categories those it had to create, and also
// what it left out: partners whose code the books already give another partner, and restored
// operations whose category it could not find (they come in without one).
struct BackupCounts {
    int companies = 0;
    int categories = 0;
    int invoices = 0;
    int partners = 0;
    int categoryIds = 0;
    int operations = 0;
    int keptPartners = 0;
    int uncategorized = 0;
    int rateParts = 0;       // the per-rate parts of received invoices
    int eFacturaStates = 0;  // issued invoices' e-Factura states
    bool operator==(const BackupCounts&) const = default;
};

// A backup that is not as this program writes it: a view or a table of another shape, or a
// value not of its column's kind. Nothing of it is merged.
class BadBackup : public DbError {
  public:
    using DbError::DbError;
};

// Copies the empty template over the backup file and fills it with the company's books and
// the shared partner and category tables. The backup connection is open on return.
BackupCounts fillBackup(Database& backup, const QString& fiscalCode);

// Whether a file holds the tables and columns that a merge reads.
bool isBackupFile(const QString& path);

// Merges the invoices, operations and partners of the open backup connection into the main
// database under a company, skipping what is already there; all or nothing. Every table and
// value read is checked first (BadBackup). A partner whose code is taken keeps the books'
// partner; a restored operation's category is the books' one of the same name and kind, created
// when missing. Counts the rows merged.
BackupCounts mergeBackup(const QString& fiscalCode);

}  // namespace kov
