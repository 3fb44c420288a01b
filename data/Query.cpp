#include "data/Query.h"

#include <QRegularExpression>
#include <cmath>

#include "data/Dialect.h"
#include "data/Values.h"

namespace kov {

namespace {

// A select's result: its columns into the given lists, each row to a function.
class SinkOf final : public RowSink {
  public:
    using Row = std::function<void(const RowSource&)>;
    SinkOf(QStringList& names, std::vector<bool>& dateColumns, const Row& row)
        : names_(names), dateColumns_(dateColumns), row_(row) {}
    void columns(QStringList names, std::vector<bool> dateColumns) override {
        names_ = std::move(names);
        dateColumns_ = std::move(dateColumns);
    }
    void row(const RowSource& row) override { row_(row); }

  private:
    QStringList& names_;
    std::vector<bool>& dateColumns_;
    const Row& row_;
};

int columnIndex(const QStringList& names, const QString& name) {
    qsizetype index = 0;
    while (index < names.size() && names[index].compare(name, Qt::CaseInsensitive) != 0) {
        ++index;
    }
    if (index == names.size()) {
        throw DbError(QStringLiteral("Campul '%1' nu exista").arg(name));
    }
    return static_cast<int>(index);
}

}  // namespace

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

Query::Query(Query&&) noexcept = default;
Query& Query::operator=(Query&&) noexcept = default;
Query::~Query() = default;

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

Prepared& Query::compiled(Database& db, const std::vector<Value>& values) {
    if (values.empty()) {
        db.record(db.isServer() ? sql_ : withoutRowLocks(sql_));
    }
    if (!compiled_ || compiledOn_ != db.serial()) {
        compiled_ = db.backend().prepare(db, sql_);
        compiledOn_ = db.serial();
    }
    return *compiled_;
}

void Query::finish(const std::vector<Value>& values) {
    if (values.empty()) {
        compiled_.reset();  // its text carries its values: it will not run again
    }
}

void Query::select(const std::vector<Value>& values,
                   const std::function<void(const RowSource&)>& row) {
    close();
    Database& db = Database::connected(databaseName_);
    SinkOf sink(names_, dateColumns_, row);
    try {
        compiled(db, values).select(db, values, sink);
    } catch (...) {
        close();
        throw;
    }
    finish(values);
}

void Query::open(const std::vector<Value>& values) {
    select(values, [this](const RowSource& row) {
        std::vector<Value> kept;
        kept.reserve(static_cast<size_t>(names_.size()));
        for (int c = 0; c < names_.size(); ++c) {
            kept.push_back(row.value(c));
        }
        rows_.push_back(std::move(kept));
    });
    open_ = true;
}

void Query::forEach(const std::vector<Value>& values,
                    const std::function<void(const RowView&)>& visit) {
    select(values,
           [this, &visit](const RowSource& row) { visit(RowView(names_, dateColumns_, row)); });
    close();
}

void Query::execSql(const std::vector<Value>& values) {
    close();
    Database& db = Database::connected(databaseName_);
    affected_ = compiled(db, values).exec(db, values);
    finish(values);
}

int RowView::fieldIndex(const QString& name) const {
    return columnIndex(names_, name);
}

void RowView::checkColumn(int column) const {
    if (column < 0 || column >= names_.size()) {
        throw DbError(QStringLiteral("Nu exista inregistrarea ceruta"));
    }
}

bool RowView::appendText(int column, QByteArray& out) const {
    checkColumn(column);
    if (source_) {
        const auto text = source_->text(column);
        if (text) {
            out.append(*text);
        }
        return text.has_value();
    }
    const auto* text = std::get_if<QString>(&(*values_)[static_cast<size_t>(column)]);
    if (text) {
        out.append(text->toUtf8());
    }
    return text != nullptr;
}

Field RowView::field(int column) const {
    checkColumn(column);
    const auto at = static_cast<size_t>(column);
    return Field(values_ ? (*values_)[at] : source_->value(column), dateColumns_[at]);
}

RowView Query::row() const {
    if (eof()) {
        throw DbError(QStringLiteral("Nu exista inregistrarea ceruta"));
    }
    return RowView(names_, dateColumns_, rows_[row_]);
}

Field Query::field(int column) const {
    return row().field(column);
}

int Query::fieldIndex(const QString& name) const {
    return columnIndex(names_, name);
}

Field Query::fieldByName(const QString& name) const {
    const int index = fieldIndex(name);  // an unknown column is named even past the last row
    return field(index);
}

}  // namespace kov
