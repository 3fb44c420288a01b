#include "data/PgBackend.h"

#include <libpq-fe.h>

#include <QHash>
#include <QRegularExpression>
#include <QUrl>

#include "data/Backend.h"
#include "data/Dialect.h"
#include "data/Schema.h"
#include "data/Values.h"

namespace kov {

namespace {

// Type ids of the server's built-in types (pg_type).
enum : Oid {
    kBool = 16,
    kInt8 = 20,
    kInt2 = 21,
    kInt4 = 23,
    kFloat4 = 700,
    kFloat8 = 701,
    kDate = 1082,
    kNumeric = 1700,
};

struct ResultDeleter {
    void operator()(PGresult* r) const { PQclear(r); }
};
using Result = std::unique_ptr<PGresult, ResultDeleter>;

QString field(const PGresult* r, int code) {
    const char* text = PQresultErrorField(r, code);
    return text ? QString::fromUtf8(text) : QString();
}

QString serverOf(PGconn* conn) {
    return QStringLiteral("%1:%2").arg(QString::fromUtf8(PQhost(conn)),
                                       QString::fromUtf8(PQport(conn)));
}

// The text of a value as the server reads it.
QByteArray serverText(const Value& value) {
    if (const auto* i = std::get_if<long long>(&value)) {
        return QByteArray::number(*i);
    }
    if (const auto* d = std::get_if<double>(&value)) {
        return QByteArray::number(*d, 'g', 17);
    }
    return std::get<QString>(value).toUtf8();
}

// The result columns keep the spelling of the books' columns (NRFACTURA), as the embedded
// engine gives them for select *; the server folds unquoted names to lower case.
const QHash<QString, QString>& catalogueNames() {
    static const QHash<QString, QString> names = [] {
        QHash<QString, QString> out;
        for (const TableInfo& t : schemaCatalogue()) {
            for (const Column& c : t.columns) {
                out.insert(c.name.toLower(), c.name);
            }
        }
        return out;
    }();
    return names;
}

// A value the date column would take in a form other than the stored one, refused before the
// server reads it as a date.
DbError dateRefusal(const QString& column, const QString& value) {
    return DbError(column.isEmpty()
                       ? QStringLiteral("'%1' nu este o data valida").arg(value)
                       : QStringLiteral("Valoarea din %1 nu este o data valida").arg(column),
                   DbError::Kind::Other, QStringLiteral("not an ISO date: ") + value);
}

// The statement as the server runs it, after refusing a date the server would read otherwise.
QString serverStatement(const QString& sql, bool inTransaction, int* placeholders = nullptr) {
    if (const QString column = nonIsoDateColumn(sql); !column.isEmpty()) {
        throw dateRefusal(column, {});
    }
    return postgresSql(sql, inTransaction, placeholders);
}

class PgBackend;

class PgPrepared final : public Prepared {
  public:
    PgPrepared(PgBackend& backend, QString sql, QString serverSql, QByteArray name,
               std::vector<Oid> types)
        : backend_(backend),
          sql_(std::move(sql)),
          serverSql_(std::move(serverSql)),
          name_(std::move(name)),
          types_(std::move(types)) {}

    void select(Database& db, const std::vector<Value>& values, RowSink& out) override;
    int exec(Database& db, const std::vector<Value>& values) override;

  private:
    Result run(Database& db, const std::vector<Value>& values);

    PgBackend& backend_;
    QString sql_;
    QString serverSql_;  // empty: nothing to run on the server
    QByteArray name_;    // the server-side prepared statement; empty for a one-off text
    std::vector<Oid> types_;
};

class PgBackend final : public Backend {
  public:
    explicit PgBackend(PGconn* conn) : conn_(conn) {}
    ~PgBackend() override { PQfinish(conn_); }
    PgBackend(const PgBackend&) = delete;
    PgBackend& operator=(const PgBackend&) = delete;

    std::unique_ptr<Prepared> prepare(Database& db, const QString& sql) override {
        int count = 0;
        const QString serverSql = serverStatement(sql, inTransaction(), &count);
        if (count == 0) {
            return std::make_unique<PgPrepared>(*this, sql, serverSql, QByteArray(),
                                                std::vector<Oid>{});
        }
        // Compiled once per connection and reused by every query of the same text.
        auto it = prepared_.find(serverSql);
        if (it == prepared_.end()) {
            const QByteArray name = "kov_" + QByteArray::number(prepared_.size() + 1);
            check(db, Result(PQprepare(conn_, name.constData(), serverSql.toUtf8().constData(), 0,
                                       nullptr)));
            const Result description =
                check(db, Result(PQdescribePrepared(conn_, name.constData())));
            std::vector<Oid> types;
            for (int i = 0; i < PQnparams(description.get()); ++i) {
                types.push_back(PQparamtype(description.get(), i));
            }
            it = prepared_.insert(serverSql, {name, types});
        }
        return std::make_unique<PgPrepared>(*this, sql, serverSql, it->name, it->types);
    }

    void execute(Database& db, const QString& sql) override {
        const QString serverSql = serverStatement(sql, inTransaction());
        if (!serverSql.isEmpty()) {
            check(db, Result(PQexecParams(conn_, serverSql.toUtf8().constData(), 0, nullptr,
                                          nullptr, nullptr, nullptr, 0)));
        }
    }

    bool inTransaction() const override { return PQtransactionStatus(conn_) != PQTRANS_IDLE; }

    // Read committed: each statement sees what others committed before it. What an action
    // checks and then writes is protected by row locks (select ... for update on the counters,
    // the invoice being settled) and by counters advanced in one statement, not by a stricter
    // isolation level, whose conflicts would refuse ordinary work. A race lost anyway (a
    // deadlock, a serialization failure, a lock not granted) is refused as busy, nothing written.
    QString beginStatement() const override {
        return QStringLiteral("BEGIN ISOLATION LEVEL READ COMMITTED");
    }
    bool isServer() const override { return true; }

    PGconn* conn() const { return conn_; }

    // The result when it succeeded; otherwise the failure thrown in the user's words.
    Result check(Database& db, Result r) {
        const ExecStatusType status = r ? PQresultStatus(r.get()) : PGRES_FATAL_ERROR;
        if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK) {
            return r;
        }
        // The server's own sentence, as the embedded engine gives its message.
        const QString primary = r ? field(r.get(), PG_DIAG_MESSAGE_PRIMARY) : QString();
        const QString text =
            !primary.isEmpty() ? primary : QString::fromUtf8(PQerrorMessage(conn_)).trimmed();
        const QString state = r ? field(r.get(), PG_DIAG_SQLSTATE) : QString();
        db.fail(postgresError(
            state.isEmpty() && PQstatus(conn_) == CONNECTION_BAD ? QStringLiteral("08006") : state,
            r ? field(r.get(), PG_DIAG_CONSTRAINT_NAME) : QString(), text, serverOf(conn_)));
    }

  private:
    struct Compiled {
        QByteArray name;
        std::vector<Oid> types;
    };
    PGconn* conn_;
    QHash<QString, Compiled> prepared_;
};

Result PgPrepared::run(Database& db, const std::vector<Value>& values) {
    if (values.size() != types_.size()) {
        throw DbError(QStringLiteral("Instructiunea SQL are %1 valori pentru %2 parametri")
                          .arg(values.size())
                          .arg(types_.size()));
    }
    if (!values.empty()) {
        db.record(withValues(sqliteSql(sql_), values));
    }
    std::vector<QByteArray> texts;
    std::vector<const char*> pointers;
    texts.reserve(values.size());
    for (size_t i = 0; i < values.size(); ++i) {
        if (std::holds_alternative<std::monostate>(values[i])) {
            pointers.push_back(nullptr);
            continue;
        }
        texts.push_back(serverText(values[i]));
        // The server would take 5/3/2004 or "today" for a date: only the stored form goes.
        if (types_[i] == kDate && !parseIsoDate(QString::fromUtf8(texts.back()))) {
            throw dateRefusal(placeholderDateColumn(sql_, static_cast<int>(i)),
                              QString::fromUtf8(texts.back()));
        }
        pointers.push_back(texts.back().constData());
    }
    if (serverSql_.isEmpty()) {
        return nullptr;
    }
    PGconn* conn = backend_.conn();
    if (name_.isEmpty()) {
        return backend_.check(db, Result(PQexecParams(conn, serverSql_.toUtf8().constData(), 0,
                                                      nullptr, nullptr, nullptr, nullptr, 0)));
    }
    return backend_.check(
        db, Result(PQexecPrepared(conn, name_.constData(), static_cast<int>(pointers.size()),
                                  pointers.data(), nullptr, nullptr, 0)));
}

// A row of a result, its values read by the column's type: int → integer, float/numeric →
// double, anything else (a date as its ISO text) → text.
struct ResultRow final : public RowSource {
    ResultRow(const PGresult* res, const std::vector<int>& kept, const std::vector<Oid>& types)
        : res(res), kept(kept), types(types) {}
    Value value(int column) const override {
        const auto k = static_cast<size_t>(column);
        const int c = kept[k];
        if (PQgetisnull(res, at, c)) {
            return {};
        }
        const char* text = PQgetvalue(res, at, c);
        switch (types[k]) {
            case kInt2:
            case kInt4:
            case kInt8:
                return static_cast<long long>(std::strtoll(text, nullptr, 10));
            case kBool:
                return static_cast<long long>(text[0] == 't');
            case kFloat4:
            case kFloat8:
            case kNumeric:
                return std::strtod(text, nullptr);
            default:
                return QString::fromUtf8(text, PQgetlength(res, at, c));
        }
    }
    std::optional<QByteArrayView> text(int column) const override {
        const auto k = static_cast<size_t>(column);
        const int c = kept[k];
        switch (types[k]) {
            case kInt2:
            case kInt4:
            case kInt8:
            case kBool:
            case kFloat4:
            case kFloat8:
            case kNumeric:
                return std::nullopt;
            default:
                if (PQgetisnull(res, at, c)) {
                    return std::nullopt;
                }
                return QByteArrayView(PQgetvalue(res, at, c), PQgetlength(res, at, c));
        }
    }
    const PGresult* res;
    const std::vector<int>& kept;
    const std::vector<Oid>& types;
    int at = 0;
};

void PgPrepared::select(Database& db, const std::vector<Value>& values, RowSink& out) {
    const Result r = run(db, values);
    if (!r) {
        return;
    }
    const PGresult* res = r.get();
    const int columns = PQnfields(res);
    std::vector<int> kept;  // the hidden row id column stays out of select *
    std::vector<Oid> types;
    QStringList names;
    std::vector<bool> dateColumns;
    for (int c = 0; c < columns; ++c) {
        const QString name = QString::fromUtf8(PQfname(res, c));
        if (name == QLatin1String(kRowIdColumn)) {
            continue;
        }
        kept.push_back(c);
        types.push_back(PQftype(res, c));
        names.append(catalogueNames().value(name, name));
        dateColumns.push_back(types.back() == kDate);
    }
    out.columns(std::move(names), std::move(dateColumns));
    ResultRow current(res, kept, types);
    for (current.at = 0; current.at < PQntuples(res); ++current.at) {
        out.row(current);
    }
}

int PgPrepared::exec(Database& db, const std::vector<Value>& values) {
    const Result r = run(db, values);
    return r ? QByteArray(PQcmdTuples(r.get())).toInt() : 0;
}

}  // namespace

DbError postgresError(const QString& sqlState, const QString& constraint, const QString& engineText,
                      const QString& server) {
    using Kind = DbError::Kind;
    if (sqlState == QLatin1String("23514")) {
        static const QRegularExpression iso(QStringLiteral("^(\\w+)_(\\w+)_iso$"));
        if (const auto m = iso.match(constraint); m.hasMatch()) {
            return DbError(QStringLiteral("Valoarea din %1.%2 nu este o data valida")
                               .arg(m.captured(1), m.captured(2).toUpper()),
                           Kind::Other, engineText);
        }
        if (constraint.endsWith(QLatin1String("_fara_firma"))) {
            return DbError(QStringLiteral("Documentul nu are firma (CODFISCAL gol)"), Kind::Other,
                           engineText);
        }
    }
    Kind kind = Kind::Other;
    if (sqlState == QLatin1String("53100")) {
        kind = Kind::Full;
    } else if (sqlState == QLatin1String("25006") || sqlState == QLatin1String("42501")) {
        kind = Kind::ReadOnly;
    } else if (sqlState.startsWith(QLatin1String("08"))) {
        return DbError(QStringLiteral("Serverul bazei de date %1 nu poate fi contactat.")
                           .arg(server.isEmpty() ? QStringLiteral("?") : server),
                       Kind::CannotOpen, engineText);
    } else if (sqlState == QLatin1String("40001") || sqlState == QLatin1String("40P01") ||
               sqlState == QLatin1String("55P03")) {
        kind = Kind::Busy;
    }
    const QString text = describe(kind);
    return DbError(text.isEmpty() ? engineText : text, kind, engineText);
}

std::unique_ptr<Backend> openPostgres(Database& db, const QString& uri) {
    PGconn* conn = PQconnectdb(uri.toUtf8().constData());
    if (PQstatus(conn) != CONNECTION_OK) {
        const QString text = QString::fromUtf8(PQerrorMessage(conn)).trimmed();
        const QUrl url(uri);
        const QString server =
            url.host() + (url.port() > 0 ? u':' + QString::number(url.port()) : QString());
        PQfinish(conn);
        traceEngineError(db.name(), text);
        throw postgresError(QStringLiteral("08001"), {}, text, server);
    }
    PQsetNoticeProcessor(
        conn, [](void*, const char*) {}, nullptr);
    auto backend = std::make_unique<PgBackend>(conn);
    // Dates travel in the stored form both ways.
    for (const char* setting :
         {"SET DateStyle = ISO", "SET client_encoding = 'UTF8'", "SET lock_timeout = '10s'"}) {
        backend->check(db, Result(PQexec(conn, setting)));
    }
    return backend;
}

}  // namespace kov
