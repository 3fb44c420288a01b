#include "maintenance/Discheta.h"

#include <QDir>
#include <QStringList>

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

// What the user has to know besides the success: what was left out and why.
QString closingMessage(const BackupCounts& counts) {
    QStringList lines{QStringLiteral("Transfer efectuat cu succes")};
    if (counts.keptPartners > 0) {
        lines << QStringLiteral("Parteneri cu cod existent pastrati: %1").arg(counts.keptPartners);
    }
    if (counts.uncategorized > 0) {
        lines << QStringLiteral("Operatiuni incarcate fara categorie (categoria nu exista): %1")
                     .arg(counts.uncategorized);
    }
    return lines.join(u'\n');
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
    BackupCounts counts;
    try {
        // A file that cannot even be opened, or whose tables or values are not as a backup
        // holds them, is the floppy's fault, as a missing one is; nothing of it is merged.
        try {
            backup.open(backupFile());
        } catch (const DbError& e) {
            throw BadBackup(e.message());
        }
        counts = mergeBackup(SelectedFiscalCode);
    } catch (const BadBackup&) {
        backup.close();
        status.show(caption);
        message(QStringLiteral("Eroare la copiere de pe discheta!"), kError);
        return;
    } catch (const std::exception&) {
        backup.close();
        status.show(caption);
        message(QStringLiteral("Eroare la copiere pe discheta!"), kError);
        return;
    }
    backup.close();
    status.show(caption);
    message(closingMessage(counts), QString());
}

}  // namespace kov
