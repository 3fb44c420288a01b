#include "data/SqliteBackend.h"

#include <sqlite3.h>

#include <QFile>

#include "data/Backend.h"
#include "data/Database.h"
#include "data/Dialect.h"
#include "data/Schema.h"

namespace kov {

void StatementDeleter::operator()(sqlite3_stmt* stmt) const {
    sqlite3_finalize(stmt);
}

namespace {

bool onlyBlanks(const char* text) {
    for (; *text; ++text) {
        if (*text != ' ' && *text != '\t' && *text != '\r' && *text != '\n' && *text != ';') {
            return false;
        }
    }
    return true;
}

[[noreturn]] void fail(Database& db, sqlite3* handle) {
    db.fail(DbError(sqlite3_extended_errcode(handle), QString::fromUtf8(sqlite3_errmsg(handle))));
}

void bind(sqlite3_stmt* stmt, int index, const Value& value) {
    if (const auto* i = std::get_if<long long>(&value)) {
        sqlite3_bind_int64(stmt, index, *i);
    } else if (const auto* d = std::get_if<double>(&value)) {
        sqlite3_bind_double(stmt, index, *d);
    } else if (const auto* text = std::get_if<QString>(&value)) {
        const QByteArray utf8 = text->toUtf8();
        sqlite3_bind_text(stmt, index, utf8.constData(), static_cast<int>(utf8.size()),
                          SQLITE_TRANSIENT);
    } else {
        sqlite3_bind_null(stmt, index);
    }
}

QString expanded(sqlite3_stmt* stmt) {
    char* text = sqlite3_expanded_sql(stmt);
    const QString out = QString::fromUtf8(text);
    sqlite3_free(text);
    return out;
}

// The row a statement stands on.
class StepRow final : public RowSource {
  public:
    explicit StepRow(sqlite3_stmt* stmt) : stmt_(stmt) {}
    Value value(int c) const override {
        switch (sqlite3_column_type(stmt_, c)) {
            case SQLITE_INTEGER:
                return static_cast<long long>(sqlite3_column_int64(stmt_, c));
            case SQLITE_FLOAT:
                return sqlite3_column_double(stmt_, c);
            case SQLITE_NULL:
                return {};
            default:
                return QString::fromUtf8(
                    reinterpret_cast<const char*>(sqlite3_column_text(stmt_, c)),
                    sqlite3_column_bytes(stmt_, c));
        }
    }

    std::optional<QByteArrayView> text(int c) const override {
        if (sqlite3_column_type(stmt_, c) != SQLITE_TEXT) {
            return std::nullopt;
        }
        const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, c));
        return QByteArrayView(bytes, sqlite3_column_bytes(stmt_, c));
    }

  private:
    sqlite3_stmt* stmt_;
};

class SqlitePrepared final : public Prepared {
  public:
    SqlitePrepared(sqlite3* handle, Statement stmt) : handle_(handle), stmt_(std::move(stmt)) {}

    void select(Database& db, const std::vector<Value>& values, RowSink& out) override {
        sqlite3_stmt* stmt = run(db, values);
        // Also when the sink throws: the statement holds no read of the file between runs.
        const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> rewind(stmt, &sqlite3_reset);
        const int columns = sqlite3_column_count(stmt);
        QStringList names;
        std::vector<bool> dateColumns;
        for (int c = 0; c < columns; ++c) {
            names.append(QString::fromUtf8(sqlite3_column_name(stmt, c)));
            const char* type = sqlite3_column_decltype(stmt, c);
            dateColumns.push_back(type && sqlite3_stricmp(type, "DATE") == 0);
        }
        out.columns(std::move(names), std::move(dateColumns));
        const StepRow row(stmt);
        int rc;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            out.row(row);
        }
        if (rc != SQLITE_DONE) {
            fail(db, handle_);
        }
    }

    int exec(Database& db, const std::vector<Value>& values) override {
        sqlite3_stmt* stmt = run(db, values);
        int rc;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        }
        if (rc != SQLITE_DONE) {
            fail(db, handle_);
        }
        sqlite3_reset(stmt);
        return sqlite3_changes(handle_);
    }

  private:
    // The statement with these values bound, ready to step; the log gets its text.
    sqlite3_stmt* run(Database& db, const std::vector<Value>& values) {
        sqlite3_stmt* stmt = stmt_.get();
        sqlite3_reset(stmt);
        const int wanted = sqlite3_bind_parameter_count(stmt);
        if (static_cast<int>(values.size()) != wanted) {
            throw DbError(QStringLiteral("Instructiunea SQL are %1 valori pentru %2 parametri")
                              .arg(values.size())
                              .arg(wanted));
        }
        if (!values.empty()) {
            for (size_t i = 0; i < values.size(); ++i) {
                bind(stmt, static_cast<int>(i) + 1, values[i]);
            }
            db.record(expanded(stmt));
        }
        return stmt;
    }

    sqlite3* handle_;
    Statement stmt_;
};

class SqliteBackend final : public Backend {
  public:
    explicit SqliteBackend(sqlite3* handle) : handle_(handle) {}
    ~SqliteBackend() override { sqlite3_close_v2(handle_); }
    SqliteBackend(const SqliteBackend&) = delete;
    SqliteBackend& operator=(const SqliteBackend&) = delete;

    std::unique_ptr<Prepared> prepare(Database& db, const QString& sql) override {
        return std::make_unique<SqlitePrepared>(handle_, compile(db, sqliteSql(sql)));
    }

    void execute(Database& db, const QString& sql) override {
        const Statement stmt = compile(db, sql);
        int rc;
        while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
        }
        if (rc != SQLITE_DONE) {
            fail(db, handle_);
        }
    }

    bool inTransaction() const override { return sqlite3_get_autocommit(handle_) == 0; }
    // The write lock is taken before the first read, so that what the action checks still
    // holds when it writes: another program waits (busy timeout) and then sees its rows.
    QString beginStatement() const override { return QStringLiteral("BEGIN IMMEDIATE"); }
    bool isServer() const override { return false; }
    sqlite3* sqliteHandle() const override { return handle_; }

  private:
    // Exactly one statement; a text holding a second one is refused.
    Statement compile(Database& db, const QString& sql) {
        const QByteArray utf8 = sql.toUtf8();
        sqlite3_stmt* stmt = nullptr;
        const char* tail = nullptr;
        if (sqlite3_prepare_v2(handle_, utf8.constData(), static_cast<int>(utf8.size()), &stmt,
                               &tail) != SQLITE_OK) {
            fail(db, handle_);
        }
        Statement statement(stmt);
        if (!stmt) {
            throw DbError(QStringLiteral("Instructiunea SQL este goala"));
        }
        if (tail && !onlyBlanks(tail)) {
            throw DbError(QStringLiteral("Textul contine mai multe instructiuni SQL"));
        }
        return statement;
    }

    sqlite3* handle_;
};

}  // namespace

std::unique_ptr<Backend> openSqlite(Database& db, const QString& path, bool create) {
    // A connection belongs to the thread that opened it (the registry is per thread), so the
    // engine need not lock it on every call.
    const int flags =
        SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX | (create ? SQLITE_OPEN_CREATE : 0);
    sqlite3* handle = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &handle, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString message = handle ? QString::fromUtf8(sqlite3_errmsg(handle))
                                       : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close_v2(handle);
        traceEngineError(db.name(), message + QStringLiteral(": ") + path);
        throw DbError(rc, QStringLiteral("%1: %2").arg(message, path));
    }
    if (!create && isDamagedDatabaseFile(path)) {
        sqlite3_close_v2(handle);
        traceEngineError(db.name(), QStringLiteral("empty or not a database: ") + path);
        throw DbError(SQLITE_NOTADB, QStringLiteral("file is not a database: ") + path);
    }
    sqlite3_extended_result_codes(handle, 1);
    sqlite3_busy_timeout(handle, 5000);
    registerSqlFunctions(handle);
    return std::make_unique<SqliteBackend>(handle);
}

}  // namespace kov
