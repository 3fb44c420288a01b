// Data layer figures: durable single-statement inserts through the query object (a text
// carrying its values, and one statement run again with bound values) against raw prepared
// statements in the same run, and one month's invoice filter over 100,000 invoices. Each durable
// insert waits for the disk; a count on the command line replaces the 3,000 of each side.
#include <sqlite3.h>

#include <QDate>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "data/Database.h"
#include "data/Query.h"
#include "data/Schema.h"
#include "data/Values.h"

using namespace kov;

namespace {

QString dateOf(int i) {
    return isoDate(QDate(2025, i / 28 % 12 + 1, i % 28 + 1));
}

QString insertSql(int i, const QString& company) {
    return "insert into facturi (CODFISCAL,NRFACTURA,DATA,SUMA,FARATVA,PROCENTTVA,TVA,PLATIT,"
           "RESTANT,CODCLIENT,FELFACTURA) values('" +
           company + "','" + QString::number(i) + "','" + dateOf(i) +
           "',119.00,100.00,19,19.00,0,119.00,'C" + QString::number(i % 50) + "','E')";
}

const QString kBoundInsert = QStringLiteral(
    "insert into facturi (CODFISCAL,NRFACTURA,DATA,SUMA,FARATVA,PROCENTTVA,TVA,PLATIT,RESTANT,"
    "CODCLIENT,FELFACTURA) values(?,?,?,119.00,100.00,19,19.00,0,119.00,?,'E')");

void boundInsert(Query& q, int i, const QString& company) {
    q.execSql({company, QString::number(i), dateOf(i), "C" + QString::number(i % 50)});
}

// Seconds taken by count inserts through the query object, each text carrying its values.
double layerInserts(int from, int count) {
    QElapsedTimer clock;
    clock.start();
    Query q;
    for (int i = from; i < from + count; ++i) {
        q.setSql(insertSql(i, QStringLiteral("RO1")));
        q.execSql();
    }
    return clock.nsecsElapsed() / 1e9;
}

// Seconds taken by count inserts through one query run again with bound values.
double boundInserts(int from, int count) {
    QElapsedTimer clock;
    clock.start();
    Query q;
    q.setSql(kBoundInsert);
    for (int i = from; i < from + count; ++i) {
        boundInsert(q, i, QStringLiteral("RO3"));
    }
    return clock.nsecsElapsed() / 1e9;
}

// Seconds taken by count inserts through one raw prepared statement.
double rawInserts(sqlite3* db, int from, int count) {
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db,
                       "insert into facturi (CODFISCAL,NRFACTURA,DATA,SUMA,FARATVA,PROCENTTVA,TVA,"
                       "PLATIT,RESTANT,CODCLIENT,FELFACTURA) values(?,?,?,119.00,100.00,19,19.00,"
                       "0,119.00,?,'E')",
                       -1, &stmt, nullptr);
    QElapsedTimer clock;
    clock.start();
    for (int i = from; i < from + count; ++i) {
        const QByteArray number = QByteArray::number(i), date = dateOf(i).toLatin1(),
                         client = "C" + QByteArray::number(i % 50);
        sqlite3_bind_text(stmt, 1, "RO2", -1, SQLITE_STATIC);
        sqlite3_bind_text(stmt, 2, number.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(stmt, 3, date.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(stmt, 4, client.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_step(stmt);
        sqlite3_reset(stmt);
    }
    const double seconds = clock.nsecsElapsed() / 1e9;
    sqlite3_finalize(stmt);
    return seconds;
}

double cpuSeconds(std::clock_t since) {
    return static_cast<double>(std::clock() - since) / CLOCKS_PER_SEC;
}

template <class F>
double medianMs(F&& run, int times = 15) {
    std::vector<double> ms;
    for (int i = 0; i < times; ++i) {
        QElapsedTimer clock;
        clock.start();
        run();
        ms.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    QElapsedTimer total;
    total.start();
    const std::clock_t totalCpu = std::clock();
    const int inserts = argc > 1 ? std::atoi(argv[1]) : 3000, batch = 250;
    QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/bench-XXXXXX"));
    const QString path = dir.path() + QStringLiteral("/bench.db");
    std::printf("database file: %s (WAL, synchronous=FULL)\n", qPrintable(path));
    Database db(kMainDatabase);
    db.open(path, true);
    sqlite3* raw = nullptr;
    sqlite3_open(path.toUtf8().constData(), &raw);
    registerSqlFunctions(raw);
    sqlite3_exec(raw, "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL", nullptr, nullptr,
                 nullptr);

    // Alternating batches, so that both sides meet the same disk (and the same neighbours).
    rawInserts(raw, 0, batch);  // the write-ahead log grows once, for neither side
    double layerSeconds = 0, boundSeconds = 0, rawSeconds = 0;
    for (int from = 0; from < inserts; from += batch) {
        layerSeconds += layerInserts(from, batch);
        boundSeconds += boundInserts(from, batch);
        rawSeconds += rawInserts(raw, from, batch);
    }
    const double layer = inserts / layerSeconds, bound = inserts / boundSeconds,
                 direct = inserts / rawSeconds;
    std::printf(
        "%d auto-committed inserts each: data layer %.0f rows/s (text with values, %.2fx), "
        "%.0f rows/s (bound values, %.2fx); raw prepared %.0f rows/s\n",
        inserts, layer, direct / layer, bound, direct / bound, direct);

    db.execute(QStringLiteral("delete from facturi"));
    QElapsedTimer fillClock;
    fillClock.start();
    const std::clock_t fillCpu = std::clock();
    {
        Transaction t;
        Query q;
        q.setSql(kBoundInsert);
        for (int i = 0; i < 100000; ++i) {
            boundInsert(q, i / 5, QStringLiteral("RO%1").arg(i % 5 + 1));
        }
        t.commit();
    }
    std::printf("100000 invoices in one transaction: %.2f s (processor %.2f s)\n",
                fillClock.nsecsElapsed() / 1e9, cpuSeconds(fillCpu));
    const QString filter =
        "select * from facturi where codfiscal='RO3' and data>='2025-03-01' "
        "and data<'2025-04-01' order by data, nrfactura, codclient";
    {
        Query plan;
        plan.setSql("explain query plan " + filter);
        for (plan.open(); !plan.eof(); plan.next()) {
            std::printf("plan: %s\n",
                        qPrintable(plan.fieldByName(QStringLiteral("detail")).asString()));
        }
    }
    int rows = 0;
    const double layerMs = medianMs([&] {
        Query q;
        q.setSql(filter);
        q.open();
        rows = q.recordCount();
    });
    const QByteArray filterUtf8 = filter.toUtf8();
    const double rawMs = medianMs([&] {
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(raw, filterUtf8.constData(), -1, &stmt, nullptr);
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
                sqlite3_column_text(stmt, c);
            }
        }
        sqlite3_finalize(stmt);
    });
    std::printf(
        "month filter over 100000 invoices of 5 companies (%d rows): data layer %.2f ms, "
        "raw %.2f ms (median of 15)\n",
        rows, layerMs, rawMs);
    sqlite3_close(raw);
    std::printf("whole run: %.1f s (processor %.1f s), target < 60 s\n", total.nsecsElapsed() / 1e9,
                cpuSeconds(totalCpu));
    return 0;
}
