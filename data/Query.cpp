#include "data/Query.h"

#include <sqlite3.h>

#include <QRegularExpression>
#include <cmath>

#include "data/Values.h"

namespace kov {

QString engineSql(const QString& sql) {
    static const QRegularExpression deleteStar(QStringLiteral("^(\\s*delete)\\s+\\*\\s+(from\\b)"),
                                               QRegularExpression::CaseInsensitiveOption);
    QString out = sql;
    out.replace(deleteStar, QStringLiteral("\\1 \\2"));
    return out;
}

QString Field::asString() const {
    if (const auto* text = std::get_if<QString>(&value_)) {
        if (isDate_) {
            if (const auto d = parseIsoDate(*text)) {
                return formatDate(*d);
            }
        }
        return *text;
    }
    if (const auto* i = std::get_if<long long>(&value_)) {
        return QString::number(*i);
    }
    if (const auto* d = std::get_if<double>(&value_)) {
        return plainNumber(*d);
    }
    return {};
}

double Field::asFloat() const {
    if (const auto* d = std::get_if<double>(&value_)) {
        return *d;
    }
    if (const auto* i = std::get_if<long long>(&value_)) {
        return static_cast<double>(*i);
    }
    if (const auto* text = std::get_if<QString>(&value_)) {
        if (const auto v = parseNumber(*text)) {
            return *v;
        }
        throw DbError(QStringLiteral("'%1' nu este un numar valid").arg(*text));
    }
    return 0.0;
}

long long Field::asInteger() const {
    if (const auto* i = std::get_if<long long>(&value_)) {
        return *i;
    }
    return std::llround(asFloat());
}

QDate Field::asDate() const {
    if (isNull()) {
        return {};
    }
    const QString text = asString();
    // Also the stored form, as an aggregate such as max(data) gives it back.
    if (const auto d = parseDate(text)) {
        return *d;
    }
    if (const auto d = parseIsoDate(text)) {
        return *d;
    }
    throw DbError(QStringLiteral("'%1' nu este o data valida").arg(text));
}

Query::Query(const Query& other)
    : databaseName_(other.databaseName_),
      sql_(other.sql_),
      names_(other.names_),
      dateColumns_(other.dateColumns_),
      rows_(other.rows_),
      row_(other.row_),
      open_(other.open_),
      affected_(other.affected_) {}

Query& Query::operator=(const Query& other) {
    if (this != &other) {
        Query copy(other);
        *this = std::move(copy);
    }
    return *this;
}

void Query::setSql(const QString& sql) {
    close();
    if (sql != sql_) {
        compiled_.reset();
        sql_ = sql;
    }
}

void Query::openRows(const QStringList& names, const std::vector<QStringList>& rows) {
    close();
    names_ = names;
    dateColumns_.assign(static_cast<size_t>(names.size()), false);
    for (const QStringList& row : rows) {
        std::vector<Value> values;
        for (int c = 0; c < names.size(); ++c) {
            values.emplace_back(row.value(c));
        }
        rows_.push_back(std::move(values));
    }
    row_ = 0;
    open_ = true;
}

void Query::close() {
    open_ = false;
    names_.clear();
    dateColumns_.clear();
    rows_.clear();
    row_ = 0;
}

namespace {

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

}  // namespace

sqlite3_stmt* Query::run(Database& db, const std::vector<Value>& values) {
    if (values.empty()) {
        db.record(sql_);  // a statement that fails is the one support needs to see
    }
    if (!compiled_ || compiledOn_ != db.handle()) {
        compiled_ = db.prepare(engineSql(sql_));
        compiledOn_ = db.handle();
    }
    sqlite3_stmt* stmt = compiled_.get();
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

void Query::finish(const std::vector<Value>& values) {
    if (values.empty()) {
        compiled_.reset();  // its text carries its values: it will not run again
    } else {
        sqlite3_reset(compiled_.get());  // holds no read of the file between runs
    }
}

void Query::open(const std::vector<Value>& values) {
    close();
    Database& db = Database::connected(databaseName_);
    sqlite3_stmt* stmt = run(db, values);
    const int columns = sqlite3_column_count(stmt);
    for (int c = 0; c < columns; ++c) {
        names_.append(QString::fromUtf8(sqlite3_column_name(stmt, c)));
        const char* type = sqlite3_column_decltype(stmt, c);
        dateColumns_.push_back(type && sqlite3_stricmp(type, "DATE") == 0);
    }
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        std::vector<Value> row;
        row.reserve(static_cast<size_t>(columns));
        for (int c = 0; c < columns; ++c) {
            switch (sqlite3_column_type(stmt, c)) {
                case SQLITE_INTEGER:
                    row.emplace_back(static_cast<long long>(sqlite3_column_int64(stmt, c)));
                    break;
                case SQLITE_FLOAT:
                    row.emplace_back(sqlite3_column_double(stmt, c));
                    break;
                case SQLITE_NULL:
                    row.emplace_back(std::monostate{});
                    break;
                default:
                    row.emplace_back(QString::fromUtf8(
                        reinterpret_cast<const char*>(sqlite3_column_text(stmt, c)),
                        sqlite3_column_bytes(stmt, c)));
            }
        }
        rows_.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE) {
        rows_.clear();
        names_.clear();
        db.fail();
    }
    finish(values);
    open_ = true;
}

void Query::execSql(const std::vector<Value>& values) {
    close();
    Database& db = Database::connected(databaseName_);
    sqlite3_stmt* stmt = run(db, values);
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE) {
        db.fail();
    }
    affected_ = db.changes();
    finish(values);
}

Field Query::field(int column) const {
    if (eof() || column < 0 || column >= names_.size()) {
        throw DbError(QStringLiteral("Nu exista inregistrarea ceruta"));
    }
    return Field(rows_[row_][static_cast<size_t>(column)],
                 dateColumns_[static_cast<size_t>(column)]);
}

int Query::fieldIndex(const QString& name) const {
    qsizetype index = 0;
    while (index < names_.size() && names_[index].compare(name, Qt::CaseInsensitive) != 0) {
        ++index;
    }
    if (index == names_.size()) {
        throw DbError(QStringLiteral("Campul '%1' nu exista").arg(name));
    }
    return static_cast<int>(index);
}

Field Query::fieldByName(const QString& name) const {
    const int index = fieldIndex(name);
    if (eof()) {
        throw DbError(QStringLiteral("Nu exista inregistrarea ceruta"));
    }
    return field(index);
}

}  // namespace kov
