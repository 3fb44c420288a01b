#include "maintenance/Discheta.h"

#include <QDir>

#include "data/Settings.h"
#include "ui/Globals.h"
#include "ui/Messages.h"

namespace kov {

namespace {

const QString kWarning = QStringLiteral("Atentie!");
const QString kError = QStringLiteral("Eroare!");

// Closes the backup connection on every way out of a command.
struct Release {
    Database& db;
    ~Release() { db.close(); }
};

bool askUntilAnswered(const QString& question) {
    for (;;) {
        switch (message(question, kWarning, Buttons::YesNoCancel)) {
            case Answer::Yes:
                return true;
            case Answer::No:
                continue;
            default:
                return false;
        }
    }
}

}  // namespace

QString floppyFile() {
    return floppyFolder(SettingsStore()) + u'/' + kBackupFileName;
}

void saveToFloppy(Database& backup, const StatusLine& status) {
    const QString caption = status.text();
    const Release release{backup};
    fillBackup(backup, SelectedFiscalCode);
    if (!askUntilAnswered(QStringLiteral("Ati introdus discheta?"))) {
        return;
    }
    status.show(QStringLiteral("Va rugam sa asteptati pana se copiaza datele pe discheta ..."));
    // The file travels alone: no connection may still hold part of it.
    backup.close();
    bool copied = false;
    try {
        copied = QDir().mkpath(floppyFolder(SettingsStore())) &&
                 copyDatabaseFile(backupFile(), floppyFile());
    } catch (const std::exception&) {
        copied = false;
    }
    status.show(caption);
    if (copied) {
        message(QStringLiteral("Copiere incheiata."), QString());
    } else {
        message(QStringLiteral("Eroare la copiere pe discheta!"), kError);
    }
}

void loadFromFloppy(Database& backup, const StatusLine& status) {
    const QString caption = status.text();
    if (!askUntilAnswered(QStringLiteral("Ati introdus discheta cu datele salvate?"))) {
        return;
    }
    status.show(QStringLiteral("Va rugam sa asteptati pana se copiaza datele de pe discheta ..."));
    const Release release{backup};
    backup.close();
    bool copied = false;
    try {
        // A file that is not one of our backups is refused before anything is merged.
        copied = QDir().mkpath(dataFolder()) && copyDatabaseFile(floppyFile(), backupFile()) &&
                 isBackupFile(backupFile());
    } catch (const std::exception&) {
        copied = false;
    }
    if (!copied) {
        status.show(caption);
        message(QStringLiteral("Eroare la copiere de pe discheta!"), kError);
        return;
    }
    status.show(
        QStringLiteral("Va rugam sa asteptati pana se introduc datele in baza de date ..."));
    try {
        backup.open(backupFile());
        mergeBackup(SelectedFiscalCode);
    } catch (const std::exception&) {
        backup.close();
        status.show(caption);
        message(QStringLiteral("Eroare la copiere pe discheta!"), kError);
        return;
    }
    backup.close();
    status.show(caption);
    message(QStringLiteral("Transfer efectuat cu succes"), QString());
}

}  // namespace kov
