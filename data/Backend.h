#pragma once
// The engine behind a connection: the embedded file or a database server. Database, Query and
// Transaction speak to it through this interface only; nothing outside data/ sees it.

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <variant>
#include <vector>

struct sqlite3;

namespace kov {

class Database;

using Value = std::variant<std::monostate, long long, double, QString>;

// The current row of a select as the engine holds it; a value is converted when it is asked
// for, so that a bulk path pays only for the columns it reads.
class RowSource {
  public:
    virtual ~RowSource() = default;
    virtual Value value(int column) const = 0;
    // The value's text as the engine holds it (UTF-8), valid until the next row; none when the
    // value is not a text.
    virtual std::optional<QByteArrayView> text(int column) const = 0;
};

// Where a select's result goes as the engine gives it: its columns first, then each row, valid
// only during the call.
class RowSink {
  public:
    virtual ~RowSink() = default;
    virtual void columns(QStringList names, std::vector<bool> dateColumns) = 0;
    virtual void row(const RowSource& row) = 0;
};

// One statement compiled on a connection. A run with values writes its text, values in place,
// to the connection's log; a run without them was logged by the caller before compiling.
class Prepared {
  public:
    virtual ~Prepared() = default;
    // A select: its columns and rows into out, row by row.
    virtual void select(Database& db, const std::vector<Value>& values, RowSink& out) = 0;
    // Insert, update, delete: the number of rows changed.
    virtual int exec(Database& db, const std::vector<Value>& values) = 0;
};

class Backend {
  public:
    virtual ~Backend() = default;
    // Compiles one statement of the program's dialect; refuses a text holding a second one.
    virtual std::unique_ptr<Prepared> prepare(Database& db, const QString& sql) = 0;
    // Runs one statement of the program's dialect, rows ignored.
    virtual void execute(Database& db, const QString& sql) = 0;
    virtual bool inTransaction() const = 0;
    // The statement that starts the outermost transaction of an action.
    virtual QString beginStatement() const = 0;
    virtual bool isServer() const = 0;
    virtual sqlite3* sqliteHandle() const { return nullptr; }
};

// The embedded file; throws DbError when it cannot be opened.
std::unique_ptr<Backend> openSqlite(Database& db, const QString& path, bool create);

// A database server reached by a connection URI; throws DbError when it cannot be reached.
std::unique_ptr<Backend> openPostgres(Database& db, const QString& uri);

}  // namespace kov
