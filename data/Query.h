#pragma once
// The query object of every window: one statement text, run on a named database; a select
// keeps its rows so that they can be walked after the statement is done.

#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>
#include <variant>
#include <vector>

#include "data/Backend.h"
#include "data/Database.h"

namespace kov {

// One column of the current row, read in the form the caller asks for.
class Field {
  public:
    Field(Value value, bool isDate) : value_(std::move(value)), isDate_(isDate) {}
    bool isNull() const { return std::holds_alternative<std::monostate>(value_); }
    // The value as stored (a date in its stored form), for binding it elsewhere unchanged.
    const Value& value() const { return value_; }
    // Plain text form: numbers in general notation (19, 1234.5), dates as dd.mm.yyyy.
    QString asString() const;
    double asFloat() const;
    long long asInteger() const;
    QDate asDate() const;

  private:
    Value value_;
    bool isDate_;
};

// A select's columns and one of its rows, read by position or by name.
class RowView {
  public:
    // A row held in memory.
    RowView(const QStringList& names, const std::vector<bool>& dateColumns,
            const std::vector<Value>& values)
        : names_(names), dateColumns_(dateColumns), values_(&values) {}
    // The row a select stands on, read as the engine holds it.
    RowView(const QStringList& names, const std::vector<bool>& dateColumns, const RowSource& source)
        : names_(names), dateColumns_(dateColumns), source_(&source) {}
    int fieldIndex(const QString& name) const;
    Field field(int column) const;
    Field fieldByName(const QString& name) const { return field(fieldIndex(name)); }
    // Appends the value's text in UTF-8 to out, as the engine holds it where it can; false when
    // the value is not a text. For keys built over many rows without a string per value.
    bool appendText(int column, QByteArray& out) const;

  private:
    void checkColumn(int column) const;

    const QStringList& names_;
    const std::vector<bool>& dateColumns_;
    const std::vector<Value>* values_ = nullptr;
    const RowSource* source_ = nullptr;
};

// A statement text may hold ? placeholders, given their values in order when it runs. Such a
// text is compiled once and kept while the query keeps it, so a loop that only changes the
// values pays for compiling once. The statement log shows each run with its values in place.
class Query {
  public:
    explicit Query(QString databaseName = kMainDatabase) : databaseName_(std::move(databaseName)) {}
    // A copy holds the same text and rows (a report keeps its own data set); it compiles the
    // statement again if it runs.
    Query(const Query& other);
    Query& operator=(const Query& other);
    Query(Query&&) noexcept;
    Query& operator=(Query&&) noexcept;
    ~Query();

    void setSql(const QString& sql);
    const QString& sql() const { return sql_; }

    // A statement that returns rows; positions on the first.
    void open(const std::vector<Value>& values = {});
    // A select whose rows are handed to visit one at a time as the engine gives them and kept
    // nowhere, for bulk paths over many rows; the query is closed afterwards. Visit must not
    // change the table being read on the same connection.
    void forEach(const std::vector<Value>& values,
                 const std::function<void(const RowView&)>& visit);
    // Insert, update, delete.
    void execSql(const std::vector<Value>& values = {});
    void close();
    // Opens rows held in memory, a text per column, as a report's data set that no table
    // holds; no statement runs.
    void openRows(const QStringList& names, const std::vector<QStringList>& rows);

    bool isOpen() const { return open_; }
    bool eof() const { return row_ >= rows_.size(); }
    void next() { ++row_; }
    void first() { row_ = 0; }
    int recordCount() const { return static_cast<int>(rows_.size()); }
    // The number of rows the last execSql changed.
    int rowsAffected() const { return affected_; }

    const QStringList& fieldNames() const { return names_; }
    Field fieldByName(const QString& name) const;
    // The position of a column, for loops over many rows that read it by position.
    int fieldIndex(const QString& name) const;
    Field field(int column) const;
    // The current row.
    RowView row() const;

  private:
    // The compiled statement, ready to run these values; a text without placeholders is
    // logged here, before it is compiled (a statement that fails is the one support needs).
    Prepared& compiled(Database& db, const std::vector<Value>& values);
    // Runs a select, its columns into the query and each row to row as the engine gives it.
    void select(const std::vector<Value>& values, const std::function<void(const RowSource&)>& row);
    // A text without placeholders is dropped; one with them is kept for the next values.
    void finish(const std::vector<Value>& values);

    QString databaseName_;
    QString sql_;
    std::unique_ptr<Prepared> compiled_;  // for sql_ on opening compiledOn_, kept between runs
    unsigned long long compiledOn_ = 0;   // the connection's serial when it was compiled
    QStringList names_;
    std::vector<bool> dateColumns_;
    std::vector<std::vector<Value>> rows_;
    size_t row_ = 0;
    bool open_ = false;
    int affected_ = 0;
};

}  // namespace kov
