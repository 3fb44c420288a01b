#include "books/Backup.h"

#include <QDate>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QStringList>
#include <algorithm>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "books/Categories.h"
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
    QStringList keys = {};  // what a restored row is known by: none of them may be empty
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

// A value copied from a row: a text in its plain text form (an empty one as ''), a number or a
// date as stored.
Value copied(const Field& field, ColumnKind kind) {
    return kind == ColumnKind::Text ? Value(field.asString()) : field.value();
}

// The description and VAT flag of the own company stay behind; NRJ goes before CODFISCAL as
// backups have always written it.
const Table& companies() {
    static const Table t = backupTable(QStringLiteral("datefirma"), true,
                                       {QStringLiteral("DESCRIERE"), QStringLiteral("TVA")},
                                       {QStringLiteral("NUME"), QStringLiteral("NRJ")});
    return t;
}
Table keyed(Table t, const QStringList& keys) {
    t.keys = keys;
    return t;
}

// The kind travels with the categories so that a restore can find them by name and kind; the
// first backups left it out, and a program of their time reads no categories from a backup.
const Table& categories() {
    static const Table t = keyed(backupTable(QStringLiteral("defalcari"), false, {}),
                                 {QStringLiteral("ID"), QStringLiteral("DENUMIRE")});
    return t;
}
// Invoices and operations hold one company; a merge gives them the company they go to.
const Table& invoices() {
    static const Table t =
        keyed(backupTable(QStringLiteral("facturi"), true, {QStringLiteral("CODFISCAL")}),
              {QStringLiteral("NRFACTURA"), QStringLiteral("DATA")});
    return t;
}
// Every look-up of a partner goes by its code.
const Table& partners() {
    static const Table t =
        keyed(backupTable(QStringLiteral("firme"), false, {}), {QStringLiteral("COD")});
    return t;
}
const Table& categoryIds() {
    static const Table t = backupTable(QStringLiteral("iduridefalcari"), false, {});
    return t;
}
const Table& operations() {
    static const Table t =
        keyed(backupTable(QStringLiteral("operatiuni"), true, {QStringLiteral("CODFISCAL")}),
              {QStringLiteral("NRDOC"), QStringLiteral("DATA")});
    return t;
}

// The per-rate parts go with their invoices, known by supplier, number and date.
const Table& rateParts() {
    static const Table t =
        keyed(backupTable(QStringLiteral("cotefacturi"), true, {QStringLiteral("CODFISCAL")}),
              {QStringLiteral("CODCLIENT"), QStringLiteral("NRFACTURA"), QStringLiteral("DATA")});
    return t;
}

// Each issued invoice's e-Factura state travels with the invoices, known by number and date.
const Table& eFacturaStates() {
    static const Table t =
        keyed(backupTable(QStringLiteral("efacturastare"), true, {QStringLiteral("CODFISCAL")}),
              {QStringLiteral("NRFACTURA"), QStringLiteral("DATAFACTURA")});
    return t;
}

// A table's columns as the catalogue gives them and no other; those that later versions added
// may be missing from an older file.
bool hasShape(const Table& table, const QStringList& present) {
    const TableInfo& info = catalogueTable(table.name);
    for (const QString& name : present) {
        const bool known = std::any_of(
            info.columns.begin(), info.columns.end(),
            [&name](const Column& c) { return c.name.compare(name, Qt::CaseInsensitive) == 0; });
        if (!known) {
            return false;
        }
    }
    return std::all_of(table.columns.begin(), table.columns.end(), [&present](const Column& c) {
        return added(c) || present.contains(c.name, Qt::CaseInsensitive);
    });
}

[[noreturn]] void refuse(const QString& table, const QString& what) {
    throw BadBackup(
        QStringLiteral("Copia de siguranta nu poate fi incarcata: %1 (%2)").arg(what, table));
}

// Checks the backup's table before any of its rows is read: a view (or a virtual table) could
// run anything and take any time. Returns its columns; none when an optional table is missing.
QStringList checkShape(const Table& table, bool optional) {
    Query q(kBackupDatabase);
    q.setSql("select type, sql from sqlite_master where type in ('table','view') and name=" +
             quoted(table.name) + " collate nocase");
    q.open();
    if (q.eof()) {
        if (optional) {
            return {};
        }
        refuse(table.name, QStringLiteral("tabela lipseste"));
    }
    if (q.fieldByName(QStringLiteral("type")).asString() != QLatin1String("table") ||
        q.fieldByName(QStringLiteral("sql"))
            .asString()
            .startsWith(QLatin1String("create virtual"), Qt::CaseInsensitive)) {
        refuse(table.name, QStringLiteral("nu este o tabela"));
    }
    QStringList present;
    q.setSql("select name from pragma_table_info(" + quoted(table.name) + ")");
    for (q.open(); !q.eof(); q.next()) {
        present << q.fieldByName(QStringLiteral("name")).asString();
    }
    if (!hasShape(table, present)) {
        refuse(table.name, QStringLiteral("alte coloane"));
    }
    return present;
}

// Checks every value of the table by its column's kind, in the engine, before anything is
// merged: a number is stored as a number, a date as a calendar day in the stored form, a key is
// not empty. A text standing in a number column would otherwise go into a statement bare.
void checkValues(const Table& table, const QStringList& present) {
    QStringList bad;
    for (const Column& c : table.columns) {
        if (!present.contains(c.name, Qt::CaseInsensitive)) {
            continue;
        }
        switch (c.kind) {
            case ColumnKind::Number:
            case ColumnKind::Integer:
                bad << "typeof(" + c.name + ") not in ('integer','real','null')";
                break;
            case ColumnKind::Date:
                bad << QStringLiteral(
                           "(%1 is not null and (typeof(%1)<>'text' or %1 not glob "
                           "'[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]' or "
                           "date(%1,'+0 days') is not %1 or %1<'0001-01-01'))")
                           .arg(c.name);
                break;
            case ColumnKind::Text:
                break;
        }
    }
    for (const QString& key : table.keys) {
        bad << "coalesce(trim(" + key + "),'')=''";
    }
    if (table.name == categories().name) {
        bad << QStringLiteral("coalesce(TIP,'') not in ('','c','v')");
    }
    Query q(kBackupDatabase);
    q.setSql("select count(*) as n from " + table.name + " where " +
             bad.join(QStringLiteral(" or ")));
    q.open();
    if (q.fieldByName(QStringLiteral("n")).asInteger() > 0) {
        refuse(table.name, QStringLiteral("valori gresite"));
    }
}

// The restored operations' categories: each is the books' category of the backup's name and
// kind, created when missing. A backup without the kind (the first ones) or without the category
// can only keep a number the books know; any other becomes "none" (0) and is counted.
class CategoryMap {
  public:
    explicit CategoryMap(bool inBackup) {
        if (!inBackup) {
            return;
        }
        Query q(kBackupDatabase);
        q.setSql(QStringLiteral("select * from defalcari"));
        for (q.open(); !q.eof(); q.next()) {
            const long long id = q.fieldByName(QStringLiteral("ID")).asInteger();
            if (!backup_.contains(id)) {
                backup_.insert(id, {q.fieldByName(QStringLiteral("DENUMIRE")).asString(),
                                    q.fieldByName(QStringLiteral("TIP")).asString()});
            }
        }
    }

    // The value of DEFALCARE for a restored operation.
    Value valueFor(const Field& field, BackupCounts& counts) {
        if (field.isNull() || field.asInteger() == 0) {
            return field.value();
        }
        const long long id = field.asInteger();
        auto found = resolved_.find(id);
        if (found == resolved_.end()) {
            found = resolved_.insert(id, resolve(id, counts));
        }
        if (*found == 0) {
            ++counts.uncategorized;
        }
        return *found;
    }

  private:
    struct Category {
        QString name;
        QString kind;
    };

    long long resolve(long long id, BackupCounts& counts) {
        const auto category = backup_.constFind(id);
        if (category != backup_.cend() && !category->kind.isEmpty()) {
            if (const auto existing = findCategory(category->kind, category->name)) {
                return *existing;
            }
            ++counts.categories;
            if (const auto added = addCategory(category->kind, category->name)) {
                return *added;
            }
            throw DbError(QStringLiteral("Nu mai sunt numere libere pentru defalcari!"));
        }
        Query q;
        q.setSql("select * from defalcari where id=" + QString::number(id));
        q.open();
        return q.eof() ? 0 : id;
    }

    QHash<long long, Category> backup_;
    QHash<long long, long long> resolved_;
};

// Rows going into one table through one insert compiled once and run with each row's values.
// Rows are held back in batches, so that the merge's look-ups see the books as they were before
// the batch. Every row keeps its columns and values; a restored row also gets the company's
// fiscal code.
class Inserter {
  public:
    Inserter(const QString& databaseName, const Table& table, const QString& fiscalCode = {})
        : query_(databaseName), table_(table), fiscalCode_(fiscalCode) {
        QStringList names;
        if (!fiscalCode_.isNull()) {
            names << QStringLiteral("CODFISCAL");
        }
        for (const Column& column : table_.columns) {
            names << column.name;
        }
        QStringList marks;
        marks.fill(QStringLiteral("?"), names.size());
        query_.setSql("insert into " + table_.name + " (" + names.join(u',') + ") values(" +
                      marks.join(u',') + ")");
    }
    ~Inserter() = default;
    Inserter(const Inserter&) = delete;
    Inserter& operator=(const Inserter&) = delete;

    // The row's values, those given in place of some columns' values aside.
    void add(const Query& row, const QHash<QString, Value>& replaced = {}) {
        std::vector<Value> values;
        values.reserve(table_.columns.size() + 1);
        if (!fiscalCode_.isNull()) {
            values.emplace_back(fiscalCode_);
        }
        for (const Column& column : table_.columns) {
            if (const auto value = replaced.constFind(column.name); value != replaced.cend()) {
                values.push_back(*value);
                continue;
            }
            const Field field = row.fieldByName(column.name);
            // An added column keeps "not recorded" apart from "recorded empty".
            values.push_back(added(column) && field.isNull() ? Value{}
                                                             : copied(field, column.kind));
        }
        rows_.push_back(std::move(values));
        if (rows_.size() == kBatch) {
            flush();
        }
    }

    // Whatever a caller does not flush is not written: a command that fails leaves it out.
    void flush() {
        for (const std::vector<Value>& values : rows_) {
            query_.execSql(values);
            ++written_;
        }
        rows_.clear();
    }

    int written() const { return written_; }

  private:
    static constexpr size_t kBatch = 200;
    Query query_;
    const Table& table_;
    QString fiscalCode_;
    std::vector<std::vector<Value>> rows_;
    int written_ = 0;
};

// Invoices or operations. A backup row counts as present when the main database already holds
// as many matching rows as the backup holds up to this one: two equal salary payments of one
// day both come in, and come in only once.
// A row going in may get some values of its own (replaced).
using Replacements = std::function<QHash<QString, Value>(const Query& row)>;

// A backup row's amounts, as the look-up compares them: as numbers, whether stored as integer
// or real.
using Amounts = std::pair<std::optional<double>, std::optional<double>>;

std::optional<double> amountOf(const Field& field) {
    return field.isNull() ? std::nullopt : std::optional<double>(field.asFloat());
}

int mergeDocuments(const Table& table, const QString& numberColumn, const QString& order,
                   const QString& fiscalCode, const Replacements& replacements = {}) {
    Query source(kBackupDatabase);
    Query target;
    target.setSql("select count(*) as n from " + table.name + " where " + numberColumn +
                  "=? and data=? and codfiscal=? and suma=? and FARATVA=?");
    Inserter inserter(kMainDatabase, table, fiscalCode);
    source.setSql("select * from " + table.name + " order by " + order);
    source.open();
    const int numberAt = source.fieldIndex(numberColumn);
    const int dayAt = source.fieldIndex(QStringLiteral("DATA"));
    const int totalAt = source.fieldIndex(QStringLiteral("SUMA"));
    const int netAt = source.fieldIndex(QStringLiteral("FARATVA"));
    // The rows come by date and number, so a document's repeats follow one another: the rows
    // seen so far of the current date and number, each set of amounts with its count.
    QString groupNumber;
    Value groupDay;
    std::vector<std::pair<Amounts, int>> seen;
    for (; !source.eof(); source.next()) {
        const QString number = source.field(numberAt).asString();
        const Field day = source.field(dayAt);
        const Field total = source.field(totalAt);
        const Field net = source.field(netAt);
        target.open({number, day.value(), fiscalCode, total.value(), net.value()});
        if (number != groupNumber || day.value() != groupDay) {
            groupNumber = number;
            groupDay = day.value();
            seen.clear();
        }
        const Amounts amounts{amountOf(total), amountOf(net)};
        auto same = std::find_if(seen.begin(), seen.end(),
                                 [&amounts](const auto& s) { return s.first == amounts; });
        if (same == seen.end()) {
            same = seen.insert(seen.end(), {amounts, 0});
        }
        const int wanted = ++same->second;
        // Rows held back for the batch are not counted yet; the comparison with the row's
        // occurrence in the backup gives the same answer whether they are written or not.
        if (target.field(0).asInteger() < wanted) {
            inserter.add(source, replacements ? replacements(source) : QHash<QString, Value>{});
        }
    }
    inserter.flush();
    return inserter.written();
}

// A part counts as present when the company holds one of the same invoice and rate.
int mergeRateParts(const QString& fiscalCode) {
    Query source(kBackupDatabase);
    Query target;
    target.setSql(QStringLiteral(
        "select count(*) as n from cotefacturi where codfiscal=? and CODCLIENT=? and "
        "NRFACTURA=? and DATA=? and PROCENTTVA=?"));
    Inserter inserter(kMainDatabase, rateParts(), fiscalCode);
    QSet<QString> held;
    source.setSql(QStringLiteral("select * from cotefacturi order by data, nrfactura"));
    for (source.open(); !source.eof(); source.next()) {
        const auto field = [&source](const char* name) {
            return source.fieldByName(QString::fromLatin1(name));
        };
        const QString day = isoDate(field("DATA").asDate());
        const std::vector<Value> key{fiscalCode, field("CODCLIENT").asString(),
                                     field("NRFACTURA").asString(), day,
                                     field("PROCENTTVA").asFloat()};
        const QString heldKey =
            QStringList{field("CODCLIENT").asString(), field("NRFACTURA").asString(), day,
                        field("PROCENTTVA").asString()}
                .join(u'\x1f');
        target.open(key);
        if (target.fieldByName(QStringLiteral("n")).asInteger() == 0 && !held.contains(heldKey)) {
            held.insert(heldKey);
            inserter.add(source, {{QStringLiteral("DATA"), day}});
        }
    }
    inserter.flush();
    return inserter.written();
}

// A partner counts as present when code, fiscal code and name all match. Every look-up goes by
// code, so a partner whose code the books (or the backup before it) give another one stays out:
// the books' partner is kept, and the caller is told how many.
void mergePartners(BackupCounts& counts) {
    Query source(kBackupDatabase);
    Query same, taken;
    same.setSql(QStringLiteral(
        "select count(*) as n from firme where COD=? and CODFISCAL=? and DENUMIRE=?"));
    taken.setSql(QStringLiteral("select count(*) as n from firme where COD=?"));
    const auto found = [](Query& q, const std::vector<Value>& values) {
        q.open(values);
        return q.fieldByName(QStringLiteral("n")).asInteger() > 0;
    };
    Inserter inserter(kMainDatabase, partners());
    QSet<QString> held;  // codes of partners waiting in the batch
    source.setSql(QStringLiteral("select * from firme"));
    source.open();
    for (; !source.eof(); source.next()) {
        const auto text = [&source](const char* column) {
            return source.fieldByName(QLatin1String(column)).asString();
        };
        const QString code = text("COD");
        if (found(same, {code, text("CODFISCAL"), text("DENUMIRE")})) {
            continue;
        }
        if (found(taken, {code}) || held.contains(code)) {
            ++counts.keptPartners;
            continue;
        }
        held.insert(code);
        inserter.add(source);
    }
    inserter.flush();
    counts.partners = inserter.written();
}

// An invoice's state comes in when the books hold none for it: the books' own is newer.
int mergeStates(const QString& fiscalCode) {
    Query source(kBackupDatabase);
    Query target;
    target.setSql(QStringLiteral(
        "select count(*) as n from efacturastare where codfiscal=? and nrfactura=? and "
        "datafactura=?"));
    Inserter inserter(kMainDatabase, eFacturaStates(), fiscalCode);
    source.setSql("select * from " + eFacturaStates().name);
    for (source.open(); !source.eof(); source.next()) {
        target.open({fiscalCode, source.fieldByName(QStringLiteral("NRFACTURA")).asString(),
                     isoDate(source.fieldByName(QStringLiteral("DATAFACTURA")).asDate())});
        if (target.fieldByName(QStringLiteral("n")).asInteger() == 0) {
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
        {&companies(), &BackupCounts::companies},
        {&categories(), &BackupCounts::categories},
        {&invoices(), &BackupCounts::invoices},
        {&partners(), &BackupCounts::partners},
        {&categoryIds(), &BackupCounts::categoryIds},
        {&operations(), &BackupCounts::operations},
        {&rateParts(), &BackupCounts::rateParts},
        {&eFacturaStates(), &BackupCounts::eFacturaStates}};
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
        if (!hasShape(*table, tableColumns(path, table->name))) {
            return false;
        }
    }
    // Categories are optional: a backup without them restores the rest.
    const QStringList categoryColumns = tableColumns(path, categories().name);
    return categoryColumns.isEmpty() || hasShape(categories(), categoryColumns);
}

BackupCounts mergeBackup(const QString& fiscalCode) {
    // The whole file is checked before anything is read for the merge: one bad value refuses it.
    bool withCategories = false;
    bool withRateParts = false;
    bool withStates = false;
    for (const auto& [table, optional] :
         {std::pair{&invoices(), false}, std::pair{&operations(), false},
          std::pair{&partners(), false}, std::pair{&categories(), true},
          std::pair{&rateParts(), true}, std::pair{&eFacturaStates(), true}}) {
        const QStringList present = checkShape(*table, optional);
        if (!present.isEmpty()) {
            checkValues(*table, present);
            withCategories = withCategories || table == &categories();
            withRateParts = withRateParts || table == &rateParts();
            withStates = withStates || table == &eFacturaStates();
        }
    }
    // A failure part way leaves the books as they were, so the user can simply run it again.
    Transaction unit;
    BackupCounts counts;
    counts.invoices = mergeDocuments(invoices(), QStringLiteral("NRFACTURA"),
                                     QStringLiteral("data, nrfactura"), fiscalCode);
    CategoryMap categoryMap(withCategories);
    counts.operations = mergeDocuments(
        operations(), QStringLiteral("NRDOC"), QStringLiteral("data, nrdoc"), fiscalCode,
        [&](const Query& row) {
            return QHash<QString, Value>{
                {QStringLiteral("DEFALCARE"),
                 categoryMap.valueFor(row.fieldByName(QStringLiteral("DEFALCARE")), counts)}};
        });
    if (withRateParts) {
        counts.rateParts = mergeRateParts(fiscalCode);
    }
    mergePartners(counts);
    if (withStates) {
        counts.eFacturaStates = mergeStates(fiscalCode);
    }
    unit.commit();
    return counts;
}

}  // namespace kov
