// Floppy backup and restore of one company holding 20,000 invoices and 20,000 operations: the
// backup (fill the backup file, copy it to the floppy folder) and the restore into the same
// books (copy back, check, merge with every duplicate test finding its row). Numbers recur as
// they do in real books: every fortieth operation is a monthly "CHIRIE". Beside them, in the
// same run, set-based SQL anchors: the same copy and the same duplicate look-ups as single
// statements over attached files.
#include <sqlite3.h>

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <utility>

#include "bench/ServerSchema.h"
#include "data/Database.h"
#include "data/Query.h"
#include "data/Settings.h"
#include "data/Values.h"
#include "maintenance/Discheta.h"

using namespace kov;

namespace {

int kDocuments = 20000;  // a count on the command line replaces it
const QString kCompany = QStringLiteral("RO1");

QString dateOf(int i) {
    return isoDate(QDate(2020 + i % 5, i / 28 % 12 + 1, i % 28 + 1));
}

void fill(Database& db) {
    Transaction unit;
    for (int i = 0; i < 50; ++i) {
        db.execute(QStringLiteral("insert into firme (COD,DENUMIRE,DATAULMI,SOLDD,SOLDC,"
                                  "TIPSOLD,SOLD,OBS,CODFISCAL,LOC,CONTBANCA,DENBANCA,DELEGAT,"
                                  "JUDET,BISERIA,BINR,BIELIB,TRANS,TRANSNR) values('C%1','FIRMA "
                                  "%1','2003-06-30',0,0,'D',"
                                  "0,'','RO%1','CLUJ','','','','CLUJ','','','','','')")
                       .arg(i));
    }
    for (int i = 0; i < kDocuments; ++i) {
        const QString amount = QString::number(100 + i % 997 * 1.19, 'f', 2);
        db.execute(
            "insert into facturi (CODFISCAL,NRFACTURA,DATA,SUMA,FARATVA,PROCENTTVA,TVA,"
            "PLATIT,RESTANT,CODCLIENT,FELFACTURA) values('" +
            kCompany + "','" + QString::number(i) + "','" + dateOf(i) + "'," + amount +
            ",100.00,19,19.00,0," + amount + ",'C" + QString::number(i % 50) + "','" +
            (i % 3 ? "E" : "I") + "')");
        const QString number = i % 4 == 0   ? "CH. " + QString::number(i)
                               : i % 4 == 1 ? "O.P. " + QString::number(i)
                               : i % 4 == 2
                                   ? "F." + QString::number(i) + " + CH." + QString::number(i)
                               : i % 40 == 3 ? QStringLiteral("CHIRIE")
                                             : "D" + QString::number(i);
        db.execute(
            "insert into operatiuni (CODFISCAL,DATA,NRDOC,FELOPERATIE,EXPLICATIE,SUMA,"
            "FARATVA,BANCA,DEFALCARE,TIP,OBSERVATII,REGISTRU) values('" +
            kCompany + "','" + dateOf(i) + "','" + number + "','ONORARIU',''," + amount +
            ",100.00," + QString::number(i % 4 == 1) + ",0,'incasare','',1)");
    }
    unit.commit();
}

QString count(const QString& table) {
    Query q;
    q.setSql("select count(*) as n from " + table + " where codfiscal='" + kCompany + "'");
    q.open();
    return q.fieldByName(QStringLiteral("n")).asString();
}

// Wall time and processor time of one step: the machine may be shared with other work.
struct Timing {
    QElapsedTimer wall;
    std::clock_t cpu = 0;
    void start() {
        wall.start();
        cpu = std::clock();
    }
    double processor() const { return static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC; }
    QString figures() const {
        return QStringLiteral("%1 s (processor %2 s)")
            .arg(static_cast<double>(wall.nsecsElapsed()) / 1e9, 0, 'f', 3)
            .arg(processor(), 0, 'f', 3);
    }
};

// The anchors run on a connection of their own, each statement timed as a step. Returns the
// processor seconds of the backup anchor and of the restore anchor.
std::pair<double, double> anchors(const QString& books, const QString& backup,
                                  const QString& scratch) {
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(books).constData(), &db);
    sqlite3_exec(db, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
    const auto run = [db](const char* what, const QString& sql) {
        Timing clock;
        clock.start();
        char* error = nullptr;
        sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error);
        const double processor = clock.processor();
        std::printf("%s: %s%s%s\n", what, qPrintable(clock.figures()), error ? "  " : "",
                    error ? error : "");
        sqlite3_free(error);
        return processor;
    };
    QString copy = "ATTACH " + quoted(scratch) + " AS a; BEGIN;";
    for (const char* table :
         {"datefirma", "defalcari", "facturi", "firme", "iduridefalcari", "operatiuni"}) {
        const bool ofCompany = QByteArray(table) != "firme" && QByteArray(table) != "defalcari" &&
                               QByteArray(table) != "iduridefalcari";
        copy += QStringLiteral("CREATE TABLE a.%1 AS SELECT * FROM main.%1%2;")
                    .arg(QLatin1String(table),
                         ofCompany ? " WHERE codfiscal=" + quoted(kCompany) : QString());
    }
    const double copied = run("backup anchor (set-based copy)", copy + "COMMIT; DETACH a;");
    QString merge = "ATTACH " + quoted(backup) + " AS b; BEGIN;";
    for (const auto& [table, number] :
         {std::pair{"facturi", "NRFACTURA"}, std::pair{"operatiuni", "NRDOC"}}) {
        merge += QStringLiteral(
                     "INSERT INTO main.%1 SELECT * FROM b.%1 s WHERE NOT EXISTS (SELECT 1 FROM "
                     "main.%1 t WHERE t.%2=s.%2 AND t.data=s.data AND t.codfiscal=%3 AND "
                     "t.suma=s.suma AND t.faratva=s.faratva);")
                     .arg(QLatin1String(table), QLatin1String(number), quoted(kCompany));
    }
    merge +=
        "INSERT INTO main.firme SELECT * FROM b.firme s WHERE NOT EXISTS (SELECT 1 FROM "
        "main.firme t WHERE t.cod=s.cod);";
    const double merged = run("restore anchor (set-based look-ups)", merge + "COMMIT; DETACH b;");
    sqlite3_close(db);
    return {copied, merged};
}

// Backup and restore of the books at a location (a file or a server's URI); on a file also the
// anchors, which attach files.
void figures(const QString& location, const char* engine, const QString& scratch) {
    Database main(kMainDatabase);
    main.open(location, true);
    Database backup(kBackupDatabase);

    Timing clock;
    QElapsedTimer fillClock;
    fillClock.start();
    fill(main);
    std::printf("[%s] filling the books: %.3f s\n", engine,
                static_cast<double>(fillClock.nsecsElapsed()) / 1e9);

    clock.start();
    fillBackup(backup, kCompany);
    backup.close();
    QDir().mkpath(floppyFolder(SettingsStore()));
    const bool saved = copyDatabaseFile(backupFile(), floppyFile());
    const QString backupTime = clock.figures();
    const double backupCpu = clock.processor();

    clock.start();
    bool loaded = copyDatabaseFile(floppyFile(), backupFile());
    const double copyCpu = clock.processor();
    loaded = loaded && isBackupFile(backupFile());
    backup.open(backupFile());
    mergeBackup(kCompany);
    backup.close();
    const QString restoreTime = clock.figures();
    const double restoreCpu = clock.processor();

    std::printf("[%s] %d invoices and %d operations of one company\n", engine, kDocuments,
                kDocuments);
    std::printf("[%s] backup:  %s, target < 1 s processor%s\n", engine, qPrintable(backupTime),
                saved ? "" : "  COPY FAILED");
    std::printf("[%s] restore: %s, every row already present%s\n", engine, qPrintable(restoreTime),
                loaded ? "" : "  COPY FAILED");
    std::printf("[%s]   of which copying the file back from the floppy: processor %.3f s\n", engine,
                copyCpu);
    std::printf("[%s] after the restore: %s invoices, %s operations\n", engine,
                qPrintable(count("facturi")), qPrintable(count("operatiuni")));
    if (main.isServer()) {
        return;
    }
    const auto [copyAnchor, mergeAnchor] = anchors(main.path(), backupFile(), scratch);
    std::printf(
        "in processor time: backup %.1fx its anchor, restore %.1fx its anchor (target within "
        "2x)\n",
        backupCpu / std::max(copyAnchor, 0.001), restoreCpu / std::max(mergeAnchor, 0.001));
    std::printf("after the anchors: %s invoices, %s operations\n", qPrintable(count("facturi")),
                qPrintable(count("operatiuni")));
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc > 1) {
        kDocuments = std::atoi(argv[1]);
    }
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toUtf8());
    SettingsStore().setValue(QStringLiteral("Drives"), QStringLiteral("A"),
                             home.path() + QStringLiteral("/floppy"));

    figures(home.path() + QStringLiteral("/Kodra.db"), "fisier",
            home.path() + QStringLiteral("/anchor.db"));
    // The same books on a server, when one is named, in the same run.
    const bench::ServerSchema server;
    if (!server.uri().isEmpty()) {
        figures(server.uri(), "server", {});
    }
    return 0;
}
