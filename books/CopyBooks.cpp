#include "books/CopyBooks.h"

#include <QStringList>

#include "data/Query.h"
#include "data/Values.h"

namespace kov {

namespace {

QStringList columnNames(const TableInfo& t) {
    QStringList names;
    for (const Column& c : t.columns) {
        names << c.name;
    }
    return names;
}

void refuseFilledTarget(const QString& targetName) {
    Query q(targetName);
    for (const TableInfo* t : copiedTables()) {
        q.setSql(QStringLiteral("select count(*) as n from ") + t->name);
        q.open();
        if (q.fieldByName(QStringLiteral("n")).asInteger() > 0) {
            throw TargetHoldsBooks(
                QStringLiteral("Baza de date in care se copiaza contine deja date (tabela %1): "
                               "copierea se face numai intr-o baza de date goala. Nu s-a scris "
                               "nimic.")
                    .arg(t->name));
        }
    }
}

// Every row through one insert compiled once, the columns named so that their order in either
// database does not matter. Values go over as stored: a date in its stored form, a text
// unchanged, a null as null.
void copyRows(const QString& sourceName, const QString& targetName, const TableInfo& t) {
    const QStringList names = columnNames(t);
    const QString list = names.join(QStringLiteral(", "));
    QStringList marks;
    marks.fill(QStringLiteral("?"), names.size());
    Query insert(targetName);
    insert.setSql(QStringLiteral("insert into %1 (%2) values (%3)")
                      .arg(t.name, list, marks.join(QStringLiteral(", "))));
    Query source(sourceName);
    source.setSql(QStringLiteral("select %1 from %2").arg(list, t.name));
    std::vector<Value> values(names.size());
    for (source.open(); !source.eof(); source.next()) {
        for (size_t i = 0; i < values.size(); ++i) {
            values[i] = source.field(static_cast<int>(i)).value();
        }
        insert.execSql(values);
    }
}

struct Figures {
    long long rows = 0;
    std::vector<double> sums;
};

// The row count and the sum of each number column, by position.
Figures figures(const QString& databaseName, const TableInfo& t) {
    QStringList columns{QStringLiteral("count(*)")};
    for (const Column& c : t.columns) {
        if (c.kind == ColumnKind::Number) {
            columns << QStringLiteral("sum(%1)").arg(c.name);
        }
    }
    Query q(databaseName);
    q.setSql(QStringLiteral("select %1 from %2").arg(columns.join(QStringLiteral(", ")), t.name));
    q.open();
    Figures f{q.field(0).asInteger(), {}};
    for (int i = 1; i < columns.size(); ++i) {
        f.sums.push_back(q.field(i).asFloat());
    }
    return f;
}

TableTally tally(const QString& sourceName, const QString& targetName, const TableInfo& t) {
    const Figures source = figures(sourceName, t);
    const Figures target = figures(targetName, t);
    TableTally out{t.name, source.rows, target.rows, {}};
    size_t i = 0;
    for (const Column& c : t.columns) {
        if (c.kind == ColumnKind::Number) {
            out.sums.push_back({c.name, source.sums[i], target.sums[i]});
            ++i;
        }
    }
    return out;
}

}  // namespace

std::vector<const TableInfo*> copiedTables() {
    std::vector<const TableInfo*> tables;
    for (const TableInfo& t : schemaCatalogue()) {
        if (!scratchTables().contains(t.name)) {
            tables.push_back(&t);
        }
    }
    return tables;
}

bool TableTally::matches() const {
    if (sourceRows != targetRows) {
        return false;
    }
    for (const Sum& s : sums) {
        if (cents(s.source) != cents(s.target)) {
            return false;
        }
    }
    return true;
}

bool copyBooks(const QString& sourceName, const QString& targetName,
               const std::function<void(const TableTally&)>& onTable) {
    // The source stays as it is while it is read, so that both sides' figures describe the
    // same books.
    Transaction reading(sourceName);
    Transaction writing(targetName);
    refuseFilledTarget(targetName);
    bool same = true;
    for (const TableInfo* t : copiedTables()) {
        copyRows(sourceName, targetName, *t);
        const TableTally counted = tally(sourceName, targetName, *t);
        same = same && counted.matches();
        if (onTable) {
            onTable(counted);
        }
    }
    if (same) {
        writing.commit();
    }
    return same;
}

QString tallyLine(const TableTally& tally) {
    QString line = QStringLiteral("%1: randuri %2 / %3")
                       .arg(tally.table)
                       .arg(tally.sourceRows)
                       .arg(tally.targetRows);
    for (const TableTally::Sum& s : tally.sums) {
        line += QStringLiteral("; %1 %2 / %3")
                    .arg(s.column, formatAmount(s.source), formatAmount(s.target));
    }
    if (!tally.matches()) {
        line += QStringLiteral(" - DIFERENTA");
    }
    return line;
}

}  // namespace kov
