#pragma once
// The books of a benchmark on a database server: KOVALINE_BENCH_PG names a server (a URI, e.g.
// the one scripts/pgserver.sh prints); each run gets a schema of its own there, dropped at the
// end, so that runs never meet each other's rows.
#include <libpq-fe.h>

#include <QCoreApplication>
#include <QString>
#include <cstdio>

namespace kov::bench {

class ServerSchema {
  public:
    ServerSchema() : base_(qEnvironmentVariable("KOVALINE_BENCH_PG")) {
        if (base_.isEmpty()) {
            return;
        }
        name_ = QStringLiteral("kovbench_%1").arg(QCoreApplication::applicationPid());
        if (!run(QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE; CREATE SCHEMA %1").arg(name_))) {
            name_.clear();
        }
    }
    ~ServerSchema() {
        if (!name_.isEmpty()) {
            run(QStringLiteral("DROP SCHEMA %1 CASCADE").arg(name_));
        }
    }
    ServerSchema(const ServerSchema&) = delete;
    ServerSchema& operator=(const ServerSchema&) = delete;

    // The URI the books open on the server; empty when no server was named or reached.
    QString uri() const {
        return name_.isEmpty() ? QString()
                               : base_ + (base_.contains(u'?') ? u'&' : u'?') +
                                     QStringLiteral("options=-csearch_path%3D") + name_;
    }

  private:
    bool run(const QString& sql) const {
        PGconn* conn = PQconnectdb(base_.toUtf8().constData());
        PQsetNoticeProcessor(
            conn, [](void*, const char*) {}, nullptr);  // "drop cascades to ..."
        PGresult* r =
            PQstatus(conn) == CONNECTION_OK ? PQexec(conn, sql.toUtf8().constData()) : nullptr;
        const bool ok = r && PQresultStatus(r) == PGRES_COMMAND_OK;
        if (!ok) {
            std::fprintf(stderr, "server %s: %s", qPrintable(base_), PQerrorMessage(conn));
        }
        PQclear(r);
        PQfinish(conn);
        return ok;
    }

    QString base_;
    QString name_;
};

}  // namespace kov::bench
