#include "maintenance/Discheta.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <vector>

#include "ui/Globals.h"
#include "ui/Messages.h"
#include "data/FileCheck.h"
#include "data/Query.h"
#include "data/Settings.h"
#include "data/Values.h"

namespace kov {

namespace {

const QString kBackupName = QStringLiteral("Salvari.mdb");
const QString kTemplateName = QStringLiteral("BazaGoala.mdb");
const QString kWarning = QStringLiteral("Atentie!");
const QString kError = QStringLiteral("Eroare!");

enum class Kind { Text, Date, Number };

struct Column {
    QString name;
    Kind kind;
    bool added = false;  // newer than the first backups: an older one lacks it
};

// A table as the backup holds it: the columns copied, in statement order.
struct Table {
    QString name;
    bool ofCompany;  // only the selected company's rows are copied
    std::vector<Column> columns;
};

Column text(const char* name) {
    return {QString::fromLatin1(name), Kind::Text};
}
Column date(const char* name) {
    return {QString::fromLatin1(name), Kind::Date};
}
Column number(const char* name) {
    return {QString::fromLatin1(name), Kind::Number};
}
// Opening an older backup adds the column, empty.
Column added(const char* name) {
    return {QString::fromLatin1(name), Kind::Text, true};
}

const Table& companies() {
    static const Table t{QStringLiteral("datefirma"),
                         true,
                         {text("NUME"), text("NRJ"), text("CODFISCAL"), text("SEDIU"),
                          text("JUDET"), text("CONT"), text("BANCA"), added("LOC")}};
    return t;
}
const Table& categories() {
    static const Table t{QStringLiteral("defalcari"), false, {number("ID"), text("DENUMIRE")}};
    return t;
}
const Table& invoices() {
    static const Table t{
        QStringLiteral("facturi"),
        true,
        {text("NRFACTURA"), date("DATA"), number("SUMA"), number("FARATVA"), number("PROCENTTVA"),
         number("TVA"), number("PLATIT"), number("RESTANT"), text("CODCLIENT"), text("FELFACTURA"),
         added("EXPLICATIE"), added("NUMEPF"), added("ADRESAPF"), added("LOCPF"), added("JUDETPF"),
         added("CNPPF")}};
    return t;
}
const Table& partners() {
    static const Table t{QStringLiteral("firme"),
                         false,
                         {text("COD"),       text("DENUMIRE"), date("DATAULMI"),  number("SOLDD"),
                          number("SOLDC"),   text("TIPSOLD"),  number("SOLD"),    text("OBS"),
                          text("CODFISCAL"), text("LOC"),      text("CONTBANCA"), text("DENBANCA"),
                          text("DELEGAT"),   text("JUDET"),    text("BISERIA"),   text("BINR"),
                          text("BIELIB"),    text("TRANS"),    text("TRANSNR"),   added("ADRESA")}};
    return t;
}
const Table& categoryIds() {
    static const Table t{QStringLiteral("iduridefalcari"), false, {number("ID")}};
    return t;
}
const Table& operations() {
    static const Table t{QStringLiteral("operatiuni"),
                         true,
                         {date("DATA"), text("NRDOC"), text("FELOPERATIE"), text("EXPLICATIE"),
                          number("SUMA"), number("FARATVA"), number("BANCA"), number("DEFALCARE"),
                          text("TIP"), text("OBSERVATII"), number("REGISTRU")}};
    return t;
}

// A value copied from a row, in its plain text form. An empty number column goes in as null:
// a bare empty value would break the statement.
QString literal(const Field& field, Kind kind) {
    if (kind == Kind::Text) {
        return quoted(field.asString());
    }
    if (field.isNull()) {
        return QStringLiteral("null");
    }
    return kind == Kind::Date ? quoted(field.asString()) : field.asString();
}

QString literal(const Query& row, const QString& column, Kind kind) {
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
            values << (column.added && field.isNull() ? QStringLiteral("null")
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
        rows_.clear();
        query_.execSql();
    }

  private:
    static constexpr qsizetype kBatch = 200;
    Query query_;
    const Table& table_;
    QString fiscalCode_;
    QStringList rows_;
};

// Closes the backup connection on every way out of a command.
struct Release {
    Database& db;
    ~Release() { db.close(); }
};

bool askUntilAnswered(const QString& question) {
    for (;;) {
        switch (message(question, kWarning, Buttons::YesNoCancel)) {
            case Answer::Yes:
                return true;
            case Answer::No:
                continue;
            default:
                return false;
        }
    }
}

// Invoices or operations. A backup row counts as present when the main database already holds
// as many matching rows as the backup holds up to this one: two equal salary payments of one
// day both come in, and come in only once.
void mergeDocuments(const Table& table, const QString& numberColumn, const QString& order,
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
        const QString total = literal(source, QStringLiteral("SUMA"), Kind::Number);
        const QString net = literal(source, QStringLiteral("FARATVA"), Kind::Number);
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
}

// A partner counts as present when code, fiscal code and name all match.
void mergePartners() {
    Query source(kBackupDatabase);
    Query target;
    Inserter inserter(kMainDatabase, partners());
    QSet<QString> held;  // partners waiting in the batch, by the compared columns
    source.setSql(QStringLiteral("select * from firme"));
    source.open();
    for (; !source.eof(); source.next()) {
        const QString condition =
            "COD=" + literal(source, QStringLiteral("COD"), Kind::Text) +
            " and CODFISCAL=" + literal(source, QStringLiteral("CODFISCAL"), Kind::Text) +
            " and DENUMIRE=" + literal(source, QStringLiteral("DENUMIRE"), Kind::Text);
        target.setSql("select * from firme where " + condition);
        target.open();
        if (target.eof() && !held.contains(condition)) {
            held.insert(condition);
            inserter.add(source);
        }
    }
    inserter.flush();
}

}  // namespace

QString backupFile() {
    return installFile(kBackupName);
}

QString floppyFile() {
    return floppyFolder(SettingsStore()) + u'/' + kBackupName;
}

void fillBackup(Database& backup, const QString& fiscalCode) {
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
    for (const Table* table :
         {&companies(), &categories(), &invoices(), &partners(), &categoryIds(), &operations()}) {
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
    }
    unit.commit();
}

bool isBackupFile(const QString& path) {
    for (const Table* table : {&invoices(), &operations(), &partners()}) {
        const QStringList present = tableColumns(path, table->name);
        for (const Column& column : table->columns) {
            if (!column.added && !present.contains(column.name)) {
                return false;
            }
        }
    }
    return true;
}

void mergeBackup(const QString& fiscalCode) {
    // A failure part way leaves the books as they were, so the user can simply run it again.
    Transaction unit;
    mergeDocuments(invoices(), QStringLiteral("NRFACTURA"), QStringLiteral("data, nrfactura"),
                   fiscalCode);
    mergeDocuments(operations(), QStringLiteral("NRDOC"), QStringLiteral("data, nrdoc"),
                   fiscalCode);
    mergePartners();
    unit.commit();
}

void saveToFloppy(Database& backup, const StatusLine& status) {
    const QString caption = status.text();
    const Release release{backup};
    fillBackup(backup, SelectedFiscalCode);
    if (!askUntilAnswered(QStringLiteral("Ati introdus discheta?"))) {
        return;
    }
    status.show(QStringLiteral("Va rugam sa asteptati pana se copiaza datele pe discheta ..."));
    // The file travels alone: no connection may still hold part of it.
    backup.close();
    bool copied = false;
    try {
        copied = QDir().mkpath(floppyFolder(SettingsStore())) &&
                 copyDatabaseFile(backupFile(), floppyFile());
    } catch (const std::exception&) {
        copied = false;
    }
    status.show(caption);
    if (copied) {
        message(QStringLiteral("Copiere incheiata."), QString());
    } else {
        message(QStringLiteral("Eroare la copiere pe discheta!"), kError);
    }
}

void loadFromFloppy(Database& backup, const StatusLine& status) {
    const QString caption = status.text();
    if (!askUntilAnswered(QStringLiteral("Ati introdus discheta cu datele salvate?"))) {
        return;
    }
    status.show(QStringLiteral("Va rugam sa asteptati pana se copiaza datele de pe discheta ..."));
    const Release release{backup};
    backup.close();
    bool copied = false;
    try {
        // A file that is not one of our backups is refused before anything is merged.
        copied = QDir().mkpath(dataFolder()) && copyDatabaseFile(floppyFile(), backupFile()) &&
                 isBackupFile(backupFile());
    } catch (const std::exception&) {
        copied = false;
    }
    if (!copied) {
        status.show(caption);
        message(QStringLiteral("Eroare la copiere de pe discheta!"), kError);
        return;
    }
    status.show(
        QStringLiteral("Va rugam sa asteptati pana se introduc datele in baza de date ..."));
    try {
        backup.open(backupFile());
        mergeBackup(SelectedFiscalCode);
    } catch (const std::exception&) {
        backup.close();
        status.show(caption);
        message(QStringLiteral("Eroare la copiere pe discheta!"), kError);
        return;
    }
    backup.close();
    status.show(caption);
    message(QStringLiteral("Transfer efectuat cu succes"), QString());
}

}  // namespace kov
