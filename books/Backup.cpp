#include "books/Backup.h"

#include <QDate>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QStringList>
#include <utility>
#include <vector>

#include "data/FileCheck.h"
#include "data/Query.h"
#include "data/Schema.h"
#include "data/Settings.h"
#include "data/Values.h"

namespace kov {

namespace {

const QString kTemplateName = QStringLiteral("BazaGoala.mdb");

// A table as the backup holds it: the catalogue's columns in statement order, less those the
// backup leaves out, the leading ones first. A column that a later version adds to the
// catalogue travels with the backup without a change here.
struct Table {
    QString name;
    bool ofCompany;  // only the company's rows are copied
    std::vector<Column> columns;
};

Table backupTable(const QString& name, bool ofCompany, const QStringList& leftOut,
                  const QStringList& leading = {}) {
    const TableInfo& info = catalogueTable(name);
    Table t{info.name, ofCompany, {}};
    for (const QString& first : leading) {
        for (const Column& c : info.columns) {
            if (c.name == first) {
                t.columns.push_back(c);
            }
        }
    }
    for (const Column& c : info.columns) {
        if (!leftOut.contains(c.name) && !leading.contains(c.name)) {
            t.columns.push_back(c);
        }
    }
    return t;
}

// Newer than the first backups: an older one lacks the column.
bool added(const Column& c) {
    return c.sinceVersion > 0;
}

// The description and VAT flag of the own company stay behind; NRJ goes before CODFISCAL as
// backups have always written it.
const Table& companies() {
    static const Table t = backupTable(QStringLiteral("datefirma"), true,
                                       {QStringLiteral("DESCRIERE"), QStringLiteral("TVA")},
                                       {QStringLiteral("NUME"), QStringLiteral("NRJ")});
    return t;
}
const Table& categories() {
    static const Table t = backupTable(QStringLiteral("defalcari"), false, {QStringLiteral("TIP")});
    return t;
}
// Invoices and operations hold one company; a merge gives them the company they go to.
const Table& invoices() {
    static const Table t =
        backupTable(QStringLiteral("facturi"), true, {QStringLiteral("CODFISCAL")});
    return t;
}
const Table& partners() {
    static const Table t = backupTable(QStringLiteral("firme"), false, {});
    return t;
}
const Table& categoryIds() {
    static const Table t = backupTable(QStringLiteral("iduridefalcari"), false, {});
    return t;
}
const Table& operations() {
    static const Table t =
        backupTable(QStringLiteral("operatiuni"), true, {QStringLiteral("CODFISCAL")});
    return t;
}

// A value copied from a row, in its plain text form. An empty number column goes in as null:
// a bare empty value would break the statement.
QString literal(const Field& field, ColumnKind kind) {
    if (kind == ColumnKind::Text) {
        return quoted(field.asString());
    }
    if (field.isNull()) {
        return QStringLiteral("null");
    }
    return kind == ColumnKind::Date ? quoted(field.asString()) : bare(field.asString());
}

QString literal(const Query& row, const QString& column, ColumnKind kind) {
    return literal(row.fieldByName(column), kind);
}

// Rows going into one table, sent as multi-row inserts: one statement per batch instead of one
// per row keeps a backup of years of books within seconds. Every row keeps its columns and
// value forms; a restored row also gets the company's fiscal code.
class Inserter {
  public:
    Inserter(const QString& databaseName, const Table& table, const QString& fiscalCode = {})
        : query_(databaseName), table_(table), fiscalCode_(fiscalCode) {}
    ~Inserter() = default;
    Inserter(const Inserter&) = delete;
    Inserter& operator=(const Inserter&) = delete;

    void add(const Query& row) {
        QStringList values;
        if (!fiscalCode_.isNull()) {
            values << quoted(fiscalCode_);
        }
        for (const Column& column : table_.columns) {
            const Field field = row.fieldByName(column.name);
            // An added column keeps "not recorded" apart from "recorded empty".
            values << (added(column) && field.isNull() ? QStringLiteral("null")
                                                       : literal(field, column.kind));
        }
        rows_ << "(" + values.join(u',') + ")";
        if (rows_.size() == kBatch) {
            flush();
        }
    }

    // Whatever a caller does not flush is not written: a command that fails leaves it out.
    void flush() {
        if (rows_.isEmpty()) {
            return;
        }
        QStringList names;
        if (!fiscalCode_.isNull()) {
            names << QStringLiteral("CODFISCAL");
        }
        for (const Column& column : table_.columns) {
            names << column.name;
        }
        query_.setSql("insert into " + table_.name + " (" + names.join(u',') + ") values" +
                      rows_.join(u','));
        const int count = static_cast<int>(rows_.size());
        rows_.clear();
        query_.execSql();
        written_ += count;
    }

    int written() const { return written_; }

  private:
    static constexpr qsizetype kBatch = 200;
    Query query_;
    const Table& table_;
    QString fiscalCode_;
    QStringList rows_;
    int written_ = 0;
};

// Invoices or operations. A backup row counts as present when the main database already holds
// as many matching rows as the backup holds up to this one: two equal salary payments of one
// day both come in, and come in only once.
int mergeDocuments(const Table& table, const QString& numberColumn, const QString& order,
                   const QString& fiscalCode) {
    Query source(kBackupDatabase);
    Query target;
    Inserter inserter(kMainDatabase, table, fiscalCode);
    QHash<QString, int> seen;
    source.setSql("select * from " + table.name + " order by " + order);
    source.open();
    for (; !source.eof(); source.next()) {
        const QString number = source.fieldByName(numberColumn).asString();
        const QDate day = source.fieldByName(QStringLiteral("DATA")).asDate();
        const QString total = literal(source, QStringLiteral("SUMA"), ColumnKind::Number);
        const QString net = literal(source, QStringLiteral("FARATVA"), ColumnKind::Number);
        target.setSql("select * from " + table.name + " where " + numberColumn + "=" +
                      quoted(number) + " and year(data)=" + QString::number(day.year()) +
                      " and month(data)=" + QString::number(day.month()) + " and day(data)=" +
                      QString::number(day.day()) + " and codfiscal=" + quoted(fiscalCode) +
                      " and suma=" + total + " and FARATVA=" + net);
        target.open();
        const int wanted =
            ++seen[QStringList{number, day.toString(Qt::ISODate), total, net}.join(u'\n')];
        // Rows held back for the batch are not counted yet; the comparison with the row's
        // occurrence in the backup gives the same answer whether they are written or not.
        if (target.recordCount() < wanted) {
            inserter.add(source);
        }
    }
    inserter.flush();
    return inserter.written();
}

// A partner counts as present when code, fiscal code and name all match.
int mergePartners() {
    Query source(kBackupDatabase);
    Query target;
    Inserter inserter(kMainDatabase, partners());
    QSet<QString> held;  // partners waiting in the batch, by the compared columns
    source.setSql(QStringLiteral("select * from firme"));
    source.open();
    for (; !source.eof(); source.next()) {
        const QString condition =
            "COD=" + literal(source, QStringLiteral("COD"), ColumnKind::Text) +
            " and CODFISCAL=" + literal(source, QStringLiteral("CODFISCAL"), ColumnKind::Text) +
            " and DENUMIRE=" + literal(source, QStringLiteral("DENUMIRE"), ColumnKind::Text);
        target.setSql("select * from firme where " + condition);
        target.open();
        if (target.eof() && !held.contains(condition)) {
            held.insert(condition);
            inserter.add(source);
        }
    }
    inserter.flush();
    return inserter.written();
}

}  // namespace

QString backupFile() {
    return installFile(kBackupFileName);
}

BackupCounts fillBackup(Database& backup, const QString& fiscalCode) {
    backup.close();
    const QString templatePath = installFile(kTemplateName);
    if (!QFileInfo::exists(templatePath)) {
        createDatabaseFile(templatePath);
    }
    if (!copyDatabaseFile(templatePath, backupFile())) {
        throw DbError(
            QStringLiteral("Nu s-a putut copia %1 peste %2").arg(templatePath, backupFile()));
    }
    backup.open(backupFile());
    // One commit for the whole file instead of one per row.
    Transaction unit(backup.name());
    Query source;
    BackupCounts counts;
    const std::pair<const Table*, int BackupCounts::*> tables[] = {
        {&companies(), &BackupCounts::companies},     {&categories(), &BackupCounts::categories},
        {&invoices(), &BackupCounts::invoices},       {&partners(), &BackupCounts::partners},
        {&categoryIds(), &BackupCounts::categoryIds}, {&operations(), &BackupCounts::operations}};
    for (const auto& [table, count] : tables) {
        QString sql = "select * from " + table->name;
        if (table->ofCompany) {
            sql += " where codfiscal=" + quoted(fiscalCode);
        }
        source.setSql(sql);
        source.open();
        Inserter inserter(backup.name(), *table);
        for (; !source.eof(); source.next()) {
            inserter.add(source);
        }
        inserter.flush();
        counts.*count = inserter.written();
    }
    unit.commit();
    return counts;
}

bool isBackupFile(const QString& path) {
    for (const Table* table : {&invoices(), &operations(), &partners()}) {
        const QStringList present = tableColumns(path, table->name);
        for (const Column& column : table->columns) {
            if (!added(column) && !present.contains(column.name)) {
                return false;
            }
        }
    }
    return true;
}

BackupCounts mergeBackup(const QString& fiscalCode) {
    // A failure part way leaves the books as they were, so the user can simply run it again.
    Transaction unit;
    BackupCounts counts;
    counts.invoices = mergeDocuments(invoices(), QStringLiteral("NRFACTURA"),
                                     QStringLiteral("data, nrfactura"), fiscalCode);
    counts.operations = mergeDocuments(operations(), QStringLiteral("NRDOC"),
                                       QStringLiteral("data, nrdoc"), fiscalCode);
    counts.partners = mergePartners();
    unit.commit();
    return counts;
}

}  // namespace kov
