#pragma once
// Copying the selected company's books to the floppy folder and merging a floppy's books back
// into the main database. Both commands work through the backup connection ("salvari") on
// "Salvari.mdb" in the install folder and tell the user what they do in the status bar; the
// filling and merging themselves are in books/Backup.h.

#include <QString>
#include <functional>

#include "books/Backup.h"
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

QString floppyFile();  // the backup file in the floppy folder

}  // namespace kov
