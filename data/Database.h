#pragma once
// A named connection to one database: a file, or the books on a database server. Queries find
// their connection by its name ("kodra" for the books, "salvari" for the backup file), so a
// window never holds a handle.

#include <QString>
#include <QStringList>
#include <memory>
#include <stdexcept>

struct sqlite3;

namespace kov {

class Backend;

inline const QString kMainDatabase = QStringLiteral("kodra");
inline const QString kBackupDatabase = QStringLiteral("salvari");

// Every failure of the database engine. The message is what the user reads: Romanian, also for
// the engine's own failures (a full disk, a read-only or damaged file), whose English text is
// kept apart for support.
class DbError : public std::runtime_error {
  public:
    enum class Kind { Other, Full, ReadOnly, CannotOpen, Damaged, Busy };
    explicit DbError(const QString& message, Kind kind = Kind::Other);
    // A failure the data layer described itself, with the engine's own text kept for support.
    DbError(const QString& message, Kind kind, const QString& engineText);
    // The engine's failure with its result code and text: the message becomes the Romanian
    // description of the kind when there is one, the engine's text otherwise.
    DbError(int engineCode, const QString& engineText);
    QString message() const { return QString::fromUtf8(what()); }
    Kind kind() const { return kind_; }
    const QString& engineText() const { return engineText_; }

  private:
    Kind kind_ = Kind::Other;
    QString engineText_;
};

// The Romanian text for an engine failure of this kind; empty for Kind::Other.
QString describe(DbError::Kind kind);

// Leaves an engine failure's own text where support finds it: standard error and the statement
// log of the connection (when given).
void traceEngineError(const QString& context, const QString& engineText);

// How a file keeps its journal. The main database writes ahead into a log beside it; a backup
// file travels alone (floppy, other installations), so it keeps nothing beside it once closed.
enum class Journal { Wal, Delete };

class Database {
  public:
    explicit Database(QString name);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens an existing file; with create, also makes a new one. Brings the schema up to date.
    // The backup connection ("salvari") keeps its file self-contained, every other one writes
    // ahead. A location starting with postgresql:// or postgres:// is a server's connection
    // URI: the books there, their schema created or brought up to date (create changes
    // nothing; the password comes from the user's ~/.pgpass).
    void open(const QString& location, bool create = false);
    void open(const QString& location, bool create, Journal journal);
    void close();
    bool isOpen() const { return backend_ != nullptr; }
    bool isServer() const;
    const QString& name() const { return name_; }
    // The file's path, or the server's connection URI.
    const QString& path() const { return path_; }

    // The connection registered under a name, or nullptr.
    static Database* find(const QString& name);
    // The open connection registered under a name; throws when there is none.
    static Database& connected(const QString& name);

    void execute(const QString& sql);  // one statement, no rows expected
    // The embedded file's handle; nullptr on a server.
    sqlite3* handle() const;
    // The engine of the open connection (data layer only).
    Backend& backend();
    // Tells apart each opening: a statement compiled on an earlier one is compiled again.
    unsigned long long serial() const { return serial_; }

    // Every statement text run on this connection, in order.
    const QStringList& log() const { return log_; }
    void clearLog() { log_.clear(); }
    void record(const QString& sql);

    // Throws an engine failure, first leaving its text for support (standard error, and the
    // log when the user's data may be at stake).
    [[noreturn]] void fail(const DbError& error);

  private:
    QString name_;
    QString path_;
    std::unique_ptr<Backend> backend_;
    unsigned long long serial_ = 0;
    QStringList log_;
    QString logFile_;
};

// Runs an action's statements as one unit: whatever the guard has not committed when it goes
// out of scope is rolled back. The outermost guard of a connection holds the file's write lock
// from its start to its end (BEGIN IMMEDIATE ... COMMIT); on a server it is a transaction whose
// rows the action locks as it reads them. Guards inside it are savepoints.
class Transaction {
  public:
    explicit Transaction(const QString& databaseName = kMainDatabase);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

  private:
    Database& db_;
    bool outermost_;
    QString savepoint_;  // empty for the outermost guard
    bool done_ = false;
};

// A connection URI of a database server (postgresql:// or postgres://) rather than a file path.
bool isServerLocation(const QString& location);

// Creates a database file holding the empty schema (overwrites nothing: fails if it exists).
void createDatabaseFile(const QString& path);

// Brings an existing file that no connection holds open up to the current schema, leaving it
// self-contained.
void upgradeDatabaseFile(const QString& path);

// A consistent copy of a database file, also while it is open and written; replaces the
// target only once the copy is complete, together with whatever journal the replaced file left
// beside it (an old write-ahead log would otherwise be read back into the copy). The target
// must not be open. The copy is self-contained. Returns false when the copy failed; the engine's
// or the file system's reason goes to traceEngineError.
bool copyDatabaseFile(const QString& source, const QString& target);

// A file that exists but cannot be a database: empty (with no write-ahead log that could
// restore it) or without the database header. Opening it must not make it a new, empty one.
bool isDamagedDatabaseFile(const QString& path);

}  // namespace kov
