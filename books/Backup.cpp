#include "books/Backup.h"

#include <QDate>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QStringList>
#include <algorithm>
#include <array>
#include <cstring>
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

// Checks every value of a backup row by its column's kind: a number is stored as a number, a
// date as a calendar day in the stored form, a key is not empty. A text standing in a number
// column would otherwise go into a statement bare. The first bad row refuses the whole backup.
class RowCheck {
  public:
    RowCheck(const Table& table, QStringList present)
        : table_(table), present_(std::move(present)) {}

    void operator()(const RowView& row) {
        if (!found_) {
            find(row);
        }
        const auto bad = [this] { refuse(table_.name, QStringLiteral("valori gresite")); };
        // Texts are read as the engine holds them, into one buffer: no string a value.
        for (const auto& [at, kind] : checked_) {
            text_.truncate(0);
            if (kind == ColumnKind::Date) {
                if (row.appendText(at, text_) ? !isStoredDate(text_) : !row.field(at).isNull()) {
                    bad();
                }
            } else if (std::holds_alternative<QString>(row.field(at).value())) {
                bad();
            }
        }
        // Blank as the engine's trim() sees it: spaces only.
        const auto blank = [](const auto& text) {
            return std::all_of(text.begin(), text.end(), [](auto c) { return c == ' '; });
        };
        for (const int at : keys_) {
            text_.truncate(0);
            if (row.appendText(at, text_)) {
                if (blank(text_)) {
                    bad();
                }
                continue;
            }
            const Field key = row.field(at);
            const auto* text = std::get_if<QString>(&key.value());
            if (key.isNull() || (text && blank(*text))) {
                bad();
            }
        }
        if (kind_ >= 0) {
            const QString kind = row.field(kind_).asString();
            if (!kind.isEmpty() && kind != u'c' && kind != u'v') {
                bad();
            }
        }
    }

  private:
    void find(const RowView& row) {
        for (const Column& c : table_.columns) {
            if (c.kind != ColumnKind::Text && present_.contains(c.name, Qt::CaseInsensitive)) {
                checked_.emplace_back(row.fieldIndex(c.name), c.kind);
            }
        }
        for (const QString& key : table_.keys) {
            keys_.push_back(row.fieldIndex(key));
        }
        if (table_.name == categories().name) {
            kind_ = row.fieldIndex(QStringLiteral("TIP"));
        }
        found_ = true;
    }

    const Table& table_;
    QStringList present_;
    bool found_ = false;
    std::vector<std::pair<int, ColumnKind>> checked_;
    std::vector<int> keys_;
    int kind_ = -1;
    QByteArray text_;
};

// Checks a whole table of the backup before anything is merged.
void checkValues(const Table& table, const QStringList& present) {
    RowCheck check(table, present);
    Query source(kBackupDatabase);
    source.setSql("select * from " + table.name);
    source.forEach({}, [&check](const RowView& row) { check(row); });
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
    void add(const RowView& row, const QHash<QString, Value>& replaced = {}) {
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

// A row going in may get some values of its own (replaced).
using Replacements = std::function<QHash<QString, Value>(const RowView& row)>;

// What makes two documents the same: number, date and both amounts, the amounts as numbers
// whether stored as integer or real. Held as one string of bytes: each text as the engine gives
// it, after its length, then the amounts (-0 as 0, which it equals), so that a restore over many
// rows keeps one allocation a key and compares keys as bytes.
using DocumentKey = QByteArray;

// How many rows of each key the books hold.
using DocumentCounts = QHash<DocumentKey, int>;

// A stored amount as a number, none when it is not one.
std::optional<double> amountOf(const Field& field) {
    if (const auto* d = std::get_if<double>(&field.value())) {
        return *d;
    }
    if (const auto* i = std::get_if<long long>(&field.value())) {
        return static_cast<double>(*i);
    }
    return std::nullopt;
}

// Where a table's key columns are: number, date, total, net.
using KeyColumns = std::array<int, 4>;

// The key of a row into key, false when a part of it is missing: a missing value equals
// nothing. A value of the wrong kind gives none too; the row's check refuses it.
bool keyOf(const RowView& row, const KeyColumns& at, DocumentKey& key) {
    key.truncate(0);
    key.reserve(64);  // a number, a date and two amounts, as a rule
    for (const int text : {at[0], at[1]}) {
        const qsizetype lengthAt = key.size();
        key.append(QByteArrayView("\0\0\0\0", 4));
        if (!row.appendText(text, key)) {
            return false;
        }
        const auto length = static_cast<quint32>(key.size() - lengthAt - 4);
        std::memcpy(key.data() + lengthAt, &length, sizeof length);
    }
    for (const int amount : {at[2], at[3]}) {
        const auto value = amountOf(row.field(amount));
        if (!value) {
            return false;
        }
        const double normal = *value + 0.0;
        key.append(reinterpret_cast<const char*>(&normal), sizeof normal);
    }
    return true;
}

// The company's rows of the table in the books, each key with how many times it is there.
DocumentCounts documentsInBooks(const Table& table, const QString& numberColumn,
                                const QString& fiscalCode) {
    DocumentCounts present;
    Query books;
    books.setSql("select " + numberColumn + ", DATA, SUMA, FARATVA from " + table.name +
                 " where codfiscal=?");
    books.forEach({fiscalCode}, [&present](const RowView& row) {
        DocumentKey key;
        if (keyOf(row, {0, 1, 2, 3}, key)) {
            ++present[key];
        }
    });
    return present;
}

// Each row of the backup's table in the given order, with its key (null when it has none).
void eachDocument(const QString& sql, const QString& numberColumn,
                  const std::function<void(const RowView&, const DocumentKey&)>& visit) {
    Query source(kBackupDatabase);
    source.setSql(sql);
    std::optional<KeyColumns> at;  // found on the first row
    DocumentKey key;               // one buffer for every row's key
    const DocumentKey none;
    source.forEach({}, [&](const RowView& row) {
        if (!at) {
            at = {row.fieldIndex(numberColumn), row.fieldIndex(QStringLiteral("DATA")),
                  row.fieldIndex(QStringLiteral("SUMA")),
                  row.fieldIndex(QStringLiteral("FARATVA"))};
        }
        visit(row, keyOf(row, *at, key) ? key : none);
    });
}

// Whether the books hold a row for this backup row: each row of the books answers for one.
bool takePresent(DocumentCounts& present, const DocumentKey& key) {
    if (!key.isNull()) {
        if (const auto same = present.find(key); same != present.end() && *same > 0) {
            --*same;
            return true;
        }
    }
    return false;
}

// Invoices or operations. A backup row counts as present when the books already hold as many
// rows of its number, date and amounts as the backup holds up to this one: two equal salary
// payments of one day both come in, and come in only once. The company's rows are read once and
// the backup's matched against them in memory, not looked up one by one.
int mergeDocuments(const Table& table, const QString& numberColumn, const QString& order,
                   const QString& fiscalCode, RowCheck check,
                   const Replacements& replacements = {}) {
    // First every row is checked and matched as the file holds them; a backup whose rows are
    // all in the books already (restored into the books it came from) ends here.
    DocumentCounts present = documentsInBooks(table, numberColumn, fiscalCode);
    bool missing = false;
    eachDocument("select * from " + table.name, numberColumn,
                 [&](const RowView& row, const DocumentKey& key) {
                     check(row);
                     missing = !takePresent(present, key) || missing;
                 });
    if (!missing) {
        return 0;
    }
    // Then the missing ones go in by date and number, the repeats of a document in that order.
    present = documentsInBooks(table, numberColumn, fiscalCode);
    Inserter inserter(kMainDatabase, table, fiscalCode);
    eachDocument("select * from " + table.name + " order by " + order, numberColumn,
                 [&](const RowView& row, const DocumentKey& key) {
                     if (!takePresent(present, key)) {
                         inserter.add(row,
                                      replacements ? replacements(row) : QHash<QString, Value>{});
                     }
                 });
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
            inserter.add(source.row(), {{QStringLiteral("DATA"), day}});
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
        inserter.add(source.row());
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
            inserter.add(source.row());
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
        Inserter inserter(backup.name(), *table);
        source.forEach({}, [&inserter](const RowView& row) { inserter.add(row); });
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
    // The whole file is checked before anything is merged: one bad value refuses it. The
    // invoices and operations are checked as the merge reads them; a bad one rolls it back.
    const QStringList invoiceColumns = checkShape(invoices(), false);
    const QStringList operationColumns = checkShape(operations(), false);
    bool withCategories = false;
    bool withRateParts = false;
    bool withStates = false;
    for (const auto& [table, optional] :
         {std::pair{&partners(), false}, std::pair{&categories(), true},
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
    counts.invoices =
        mergeDocuments(invoices(), QStringLiteral("NRFACTURA"), QStringLiteral("data, nrfactura"),
                       fiscalCode, RowCheck(invoices(), invoiceColumns));
    CategoryMap categoryMap(withCategories);
    counts.operations = mergeDocuments(
        operations(), QStringLiteral("NRDOC"), QStringLiteral("data, nrdoc"), fiscalCode,
        RowCheck(operations(), operationColumns), [&](const RowView& row) {
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
