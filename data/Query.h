#pragma once
// The query object of every window: one statement text, run on a named database; a select
// keeps its rows so that they can be walked after the statement is done.

#include <QDate>
#include <QString>
#include <QStringList>
#include <variant>
#include <vector>

#include "data/Database.h"

namespace kov {

using Value = std::variant<std::monostate, long long, double, QString>;

// One column of the current row, read in the form the caller asks for.
class Field {
  public:
    Field(const Value& value, bool isDate) : value_(value), isDate_(isDate) {}
    bool isNull() const { return std::holds_alternative<std::monostate>(value_); }
    // Plain text form: numbers in general notation (19, 1234.5), dates as dd.mm.yyyy.
    QString asString() const;
    double asFloat() const;
    long long asInteger() const;
    QDate asDate() const;

  private:
    Value value_;
    bool isDate_;
};

class Query {
  public:
    explicit Query(QString databaseName = kMainDatabase) : databaseName_(std::move(databaseName)) {}

    void setSql(const QString& sql) {
        close();
        sql_ = sql;
    }
    const QString& sql() const { return sql_; }

    void open();     // a statement that returns rows; positions on the first
    void execSql();  // insert, update, delete
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
    Field field(int column) const;

  private:
    QString databaseName_;
    QString sql_;
    QStringList names_;
    std::vector<bool> dateColumns_;
    std::vector<std::vector<Value>> rows_;
    size_t row_ = 0;
    bool open_ = false;
    int affected_ = 0;
};

// The statement as the engine runs it; the dialect's "delete * from T" is "delete from T".
QString engineSql(const QString& sql);

}  // namespace kov
