// Data layer figures: durable single-statement inserts through the query object against raw
// prepared statements in the same run, and one month's invoice filter over 100,000 invoices.
#include <sqlite3.h>

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "data/Database.h"
#include "data/Query.h"
#include "data/Schema.h"

using namespace kov;

namespace {

QString dateOf(int i) {
    return QStringLiteral("%1.%2.2025").arg(i % 28 + 1).arg(i / 28 % 12 + 1);
}

QString insertSql(int i, const QString& company) {
    return "insert into facturi (CODFISCAL,NRFACTURA,DATA,SUMA,FARATVA,PROCENTTVA,TVA,PLATIT,"
           "RESTANT,CODCLIENT,FELFACTURA) values('" +
           company + "','" + QString::number(i) + "','" + dateOf(i) +
           "',119.00,100.00,19,19.00,0,119.00,'C" + QString::number(i % 50) + "','E')";
}

// Seconds taken by count inserts through the query object.
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

int main() {
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
    const int inserts = 20000, batch = 500;
    rawInserts(raw, 0, batch);  // the write-ahead log grows once, for neither side
    double layerSeconds = 0, rawSeconds = 0;
    for (int from = 0; from < inserts; from += batch) {
        layerSeconds += layerInserts(from, batch);
        rawSeconds += rawInserts(raw, from, batch);
    }
    const double layer = inserts / layerSeconds, direct = inserts / rawSeconds;
    std::printf(
        "%d auto-committed inserts: data layer %.0f rows/s, raw prepared %.0f rows/s, "
        "overhead %.2fx\n",
        inserts, layer, direct, direct / layer);

    db.execute(QStringLiteral("delete from facturi"));
    {
        Transaction t;
        Query q;
        for (int i = 0; i < 100000; ++i) {
            q.setSql(insertSql(i / 5, QStringLiteral("RO%1").arg(i % 5 + 1)));
            q.execSql();
        }
        t.commit();
    }
    const QString filter =
        "select * from facturi where codfiscal='RO3' and month(data)=3 and year(data)=2025 "
        "order by data, nrfactura, codclient";
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
    return 0;
}
