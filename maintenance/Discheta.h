#pragma once
// Copying the selected company's books to the floppy folder and merging a floppy's books back
// into the main database. Both commands work through the backup connection ("salvari") on
// "Salvari.mdb" in the install folder and tell the user what they do in the status bar.

#include <QString>
#include <functional>

#include "data/Database.h"

namespace kov {

// The main window's status bar panel, as the commands see it.
struct StatusLine {
    std::function<QString()> text;
    std::function<void(const QString&)> show;  // shows the text at once
};

// "Salvare pe discheta".
void saveToFloppy(Database& backup, const StatusLine& status);
// "Incarcare de pe discheta".
void loadFromFloppy(Database& backup, const StatusLine& status);

// The steps of the commands, without questions or messages.

QString backupFile();  // Salvari.mdb in the install folder
QString floppyFile();  // Salvari.mdb in the floppy folder

// Copies the empty template over the backup file and fills it with the company's books and
// the shared partner and category tables. The backup connection is open on return.
void fillBackup(Database& backup, const QString& fiscalCode);

// Whether a file holds the tables and columns that a merge reads.
bool isBackupFile(const QString& path);

// Merges the invoices, operations and partners of the open backup connection into the main
// database under a company, skipping what is already there; all or nothing.
void mergeBackup(const QString& fiscalCode);

}  // namespace kov
