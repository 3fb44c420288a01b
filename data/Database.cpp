#include "data/Database.h"

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextStream>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>

#include <unistd.h>

#include "data/Backend.h"
#include "data/PgBackend.h"
#include "data/Schema.h"

namespace kov {

namespace {

std::map<QString, Database*>& registry() {
    // Per thread: a thread opens its own connections under the usual names (a second user
    // in the same process, as the concurrency tests run one).
    thread_local std::map<QString, Database*> databases;
    return databases;
}

constexpr qsizetype kLogLimit = 100000;

struct Handle {
    sqlite3* db = nullptr;
    ~Handle() { sqlite3_close_v2(db); }
};

// The files SQLite keeps beside a database while it writes: a replaced file must not leave
// them for its successor, which would read them as its own.
bool removeCompanions(const QString& path) {
    bool ok = true;
    for (const char* suffix : {"-wal", "-shm", "-journal"}) {
        const QString companion = path + QLatin1String(suffix);
        ok = (!QFileInfo::exists(companion) || QFile::remove(companion)) && ok;
    }
    return ok;
}

}  // namespace

DbError::DbError(const QString& message, Kind kind)
    : std::runtime_error(message.toStdString()), kind_(kind) {}

DbError::DbError(const QString& message, Kind kind, const QString& engineText)
    : std::runtime_error(message.toStdString()), kind_(kind), engineText_(engineText) {}

namespace {

DbError::Kind kindOf(int engineCode) {
    switch (engineCode & 0xff) {
        case SQLITE_FULL:
            return DbError::Kind::Full;
        case SQLITE_READONLY:
        case SQLITE_PERM:
            return DbError::Kind::ReadOnly;
        case SQLITE_CANTOPEN:
            return DbError::Kind::CannotOpen;
        case SQLITE_CORRUPT:
        case SQLITE_NOTADB:
            return DbError::Kind::Damaged;
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return DbError::Kind::Busy;
        default:
            return DbError::Kind::Other;
    }
}

// A date column refuses a value through its named check ("<table>_<column>_iso"): the user
// reads which column, in the words the books always used.
QString dateRefusal(int engineCode, const QString& engineText) {
    if (engineCode != SQLITE_CONSTRAINT_CHECK) {
        return {};
    }
    static const QRegularExpression check(
        QStringLiteral("CHECK constraint failed: (\\w+)_(\\w+)_iso$"));
    const QRegularExpressionMatch m = check.match(engineText);
    return m.hasMatch() ? QStringLiteral("Valoarea din %1.%2 nu este o data valida")
                              .arg(m.captured(1), m.captured(2))
                        : QString();
}

QString userText(int engineCode, const QString& engineText) {
    if (const QString refusal = dateRefusal(engineCode, engineText); !refusal.isEmpty()) {
        return refusal;
    }
    const QString text = describe(kindOf(engineCode));
    return text.isEmpty() ? engineText : text;
}

}  // namespace

DbError::DbError(int engineCode, const QString& engineText)
    : std::runtime_error(userText(engineCode, engineText).toStdString()),
      kind_(kindOf(engineCode)),
      engineText_(engineText) {}

QString describe(DbError::Kind kind) {
    switch (kind) {
        case DbError::Kind::Full:
            return QStringLiteral("Discul este plin.");
        case DbError::Kind::ReadOnly:
            return QStringLiteral("Baza de date nu poate fi scrisa.");
        case DbError::Kind::CannotOpen:
            return QStringLiteral("Fisierul bazei de date nu poate fi deschis.");
        case DbError::Kind::Damaged:
            return QStringLiteral("Fisierul bazei de date este deteriorat.");
        case DbError::Kind::Busy:
            return QStringLiteral(
                "Baza de date este ocupata de alt utilizator. Nimic nu a fost scris; "
                "incercati din nou.");
        case DbError::Kind::Other:
            break;
    }
    return {};
}

void traceEngineError(const QString& context, const QString& engineText) {
    const QString line = context + QStringLiteral(": -- eroare: ") + engineText;
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
    const QString logFile = qEnvironmentVariable("KOVALINE_SQL_LOG");
    if (!logFile.isEmpty()) {
        QFile file(logFile);
        if (file.open(QIODevice::Append | QIODevice::Text)) {
            QTextStream(&file) << line << '\n';
        }
    }
}

Database::Database(QString name) : name_(std::move(name)) {
    registry()[name_] = this;
    logFile_ = qEnvironmentVariable("KOVALINE_SQL_LOG");
}

Database::~Database() {
    close();
    auto& r = registry();
    if (auto it = r.find(name_); it != r.end() && it->second == this) {
        r.erase(it);
    }
}

Database* Database::find(const QString& name) {
    auto& r = registry();
    const auto it = r.find(name);
    return it == r.end() ? nullptr : it->second;
}

Database& Database::connected(const QString& name) {
    Database* db = find(name);
    if (!db || !db->isOpen()) {
        throw DbError(QStringLiteral("Baza de date '%1' nu este conectata").arg(name));
    }
    return *db;
}

void Database::open(const QString& location, bool create) {
    open(location, create, name_ == kBackupDatabase ? Journal::Delete : Journal::Wal);
}

bool isServerLocation(const QString& location) {
    return location.startsWith(QLatin1String("postgresql://")) ||
           location.startsWith(QLatin1String("postgres://"));
}

void Database::open(const QString& location, bool create, Journal journal) {
    close();
    static std::atomic<unsigned long long> openings{0};
    if (isServerLocation(location)) {
        backend_ = openPostgres(*this, location);
        path_ = location;
        serial_ = ++openings;
        try {
            applyServerSchema(*this);
        } catch (...) {
            close();
            throw;
        }
        return;
    }
    backend_ = openSqlite(*this, location, create);
    path_ = location;
    serial_ = ++openings;
    try {
        // A document the user saw recorded survives a power cut.
        execute(journal == Journal::Wal ? QStringLiteral("PRAGMA journal_mode=WAL")
                                        : QStringLiteral("PRAGMA journal_mode=DELETE"));
        execute(QStringLiteral("PRAGMA synchronous=FULL"));
        // A file kept self-contained is a backup or the empty file backups are copied from.
        applySchema(handle(), journal == Journal::Wal ? FileKind::Books : FileKind::Backup);
    } catch (...) {
        close();
        throw;
    }
}

void Database::close() {
    backend_.reset();
}

bool Database::isServer() const {
    return backend_ && backend_->isServer();
}

sqlite3* Database::handle() const {
    return backend_ ? backend_->sqliteHandle() : nullptr;
}

Backend& Database::backend() {
    if (!backend_) {
        throw DbError(QStringLiteral("Baza de date '%1' nu este conectata").arg(name_));
    }
    return *backend_;
}

void Database::fail(const DbError& error) {
    if (error.kind() != DbError::Kind::Other) {
        record(QStringLiteral("-- eroare: ") + error.engineText());
    }
    traceEngineError(name_, error.engineText());
    throw error;
}

void Database::record(const QString& sql) {
    if (log_.size() >= kLogLimit) {
        log_.remove(0, kLogLimit / 2);
    }
    log_.append(sql);
    if (!logFile_.isEmpty()) {
        QFile file(logFile_);
        if (file.open(QIODevice::Append | QIODevice::Text)) {
            QTextStream(&file) << name_ << ": " << sql << '\n';
        }
    }
}

void Database::execute(const QString& sql) {
    record(sql);  // a statement that fails is the one support needs to see
    backend().execute(*this, sql);
}

Transaction::Transaction(const QString& databaseName)
    : db_(Database::connected(databaseName)), outermost_(!db_.backend().inTransaction()) {
    if (outermost_) {
        // Past the engine's wait the transaction is asked for once more; then the action is
        // refused whole.
        const QString begin = db_.backend().beginStatement();
        try {
            db_.execute(begin);
        } catch (const DbError& e) {
            if (e.kind() != DbError::Kind::Busy) {
                throw;
            }
            db_.execute(begin);
        }
    } else {
        savepoint_ = QStringLiteral("kov_%1").arg(reinterpret_cast<quintptr>(this));
        db_.execute(QStringLiteral("SAVEPOINT ") + savepoint_);
    }
}

Transaction::~Transaction() {
    if (done_ || !db_.isOpen()) {
        return;
    }
    try {
        if (outermost_) {
            db_.execute(QStringLiteral("ROLLBACK"));
        } else {
            db_.execute(QStringLiteral("ROLLBACK TO ") + savepoint_);
            db_.execute(QStringLiteral("RELEASE ") + savepoint_);
        }
    } catch (const DbError&) {
        // The engine already ended the transaction, or the connection is unusable; nothing more
        // can be undone from here.
    }
}

void Transaction::commit() {
    db_.execute(outermost_ ? QStringLiteral("COMMIT") : QStringLiteral("RELEASE ") + savepoint_);
    done_ = true;
}

void createDatabaseFile(const QString& path) {
    if (QFileInfo::exists(path)) {
        throw DbError(QStringLiteral("Fisierul exista deja: %1").arg(path));
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    Handle h;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &h.db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        throw DbError(QString::fromUtf8(sqlite3_errmsg(h.db)) + ": " + path);
    }
    // Made as the empty file backups are copied from; opened as the books, it gains their rules.
    applySchema(h.db, FileKind::Backup);
}

void upgradeDatabaseFile(const QString& path) {
    Database file(QStringLiteral("kov_upgrade"));
    file.open(path, false, Journal::Delete);
}

namespace {

// A file in rollback-journal mode copied as it stands, in large reads through the engine's own
// handle: the page-by-page copy costs two system calls a page. A read transaction keeps other
// programs from writing meanwhile; the file is never opened a second time, which would drop the
// engine's locks on it when closed. None when the file keeps a write-ahead log, whose latest
// pages are not in the file itself: those are copied page by page.
std::optional<bool> copyAsItStands(sqlite3* from, const QString& target) {
    if (sqlite3_exec(from, "BEGIN; SELECT count(*) FROM sqlite_master", nullptr, nullptr,
                     nullptr) != SQLITE_OK) {
        sqlite3_exec(from, "ROLLBACK", nullptr, nullptr, nullptr);
        return std::nullopt;
    }
    struct EndRead {
        sqlite3* db;
        ~EndRead() { sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr); }
    } endRead{from};
    sqlite3_file* file = nullptr;
    sqlite3_int64 size = 0;
    constexpr int kWriteVersion = 18;  // 2 in write-ahead mode
    char header[100] = {};
    if (sqlite3_file_control(from, "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK ||
        !file || !file->pMethods || file->pMethods->xFileSize(file, &size) != SQLITE_OK ||
        size < static_cast<sqlite3_int64>(sizeof header) ||
        file->pMethods->xRead(file, header, sizeof header, 0) != SQLITE_OK ||
        header[kWriteVersion] != 1) {
        return std::nullopt;
    }
    QFile out(target);
    const auto failed = [&target](const QString& why) {
        traceEngineError(QStringLiteral("copie"), why + QStringLiteral(": ") + target);
        return false;
    };
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return failed(out.errorString());
    }
    QByteArray chunk(1 << 20, Qt::Uninitialized);
    for (sqlite3_int64 at = 0; at < size; at += chunk.size()) {
        const int length = static_cast<int>(std::min<sqlite3_int64>(chunk.size(), size - at));
        const int rc = file->pMethods->xRead(file, chunk.data(), length, at);
        if (rc != SQLITE_OK) {
            return failed(QString::fromUtf8(sqlite3_errstr(rc)));
        }
        if (out.write(chunk.constData(), length) != length) {
            return failed(out.errorString());
        }
    }
    // As durable as the engine's own copy before it is renamed into place.
    if (!out.flush() || ::fsync(out.handle()) != 0) {
        return failed(out.errorString());
    }
    return true;
}

}  // namespace

bool copyDatabaseFile(const QString& source, const QString& target) {
    if (!QFileInfo(source).isFile()) {
        return false;
    }
    const QString partial = target + QStringLiteral(".partial");
    QFile::remove(partial);
    removeCompanions(partial);
    bool ok = false;
    {
        Handle from, to;
        if (sqlite3_open_v2(QFile::encodeName(source).constData(), &from.db, SQLITE_OPEN_READONLY,
                            nullptr) != SQLITE_OK) {
            traceEngineError(QStringLiteral("copie"), QString::fromUtf8(sqlite3_errmsg(from.db)));
            return false;
        }
        sqlite3_busy_timeout(from.db, 5000);
        const std::optional<bool> asItStands = copyAsItStands(from.db, partial);
        if (sqlite3_open_v2(QFile::encodeName(partial).constData(), &to.db,
                            SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
            traceEngineError(QStringLiteral("copie"), QString::fromUtf8(sqlite3_errmsg(to.db)));
            QFile::remove(partial);
            return false;
        }
        if (asItStands) {
            ok = *asItStands;
        } else if (sqlite3_backup* b = sqlite3_backup_init(to.db, "main", from.db, "main")) {
            const int step = sqlite3_backup_step(b, -1);
            ok = step == SQLITE_DONE;
            ok = sqlite3_backup_finish(b) == SQLITE_OK && ok;
            if (!ok) {
                traceEngineError(QStringLiteral("copie"),
                                 QString::fromUtf8(sqlite3_errstr(
                                     step == SQLITE_DONE ? sqlite3_errcode(to.db) : step)) +
                                     QStringLiteral(": ") + target);
            }
        }
        // The copy travels alone (floppy, other installations): no write-ahead log beside it.
        ok = ok && sqlite3_exec(to.db, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr) ==
                       SQLITE_OK;
    }
    // The companions go first: should the program stop in between, the old file loses its
    // unsaved log, never the copy.
    if (!ok || !removeCompanions(target)) {
        QFile::remove(partial);
        return false;
    }
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(partial).toStdString(),
                            QFile::encodeName(target).toStdString(), error);
    if (error) {
        traceEngineError(QStringLiteral("copie"), QString::fromStdString(error.message()));
        QFile::remove(partial);
        return false;
    }
    return true;
}

bool isDamagedDatabaseFile(const QString& path) {
    QFile file(path);
    if (!file.exists()) {
        return false;
    }
    if (file.size() == 0) {
        const QFileInfo wal(path + QStringLiteral("-wal"));
        return !wal.exists() || wal.size() == 0;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        return false;  // the engine says why it cannot be read
    }
    static const QByteArray header("SQLite format 3", 16);
    return file.read(16) != header;
}

}  // namespace kov
