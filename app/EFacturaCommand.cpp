#include "app/EFacturaCommand.h"

#include <QDate>
#include <QDir>
#include <exception>

#include "app/DataSource.h"
#include "app/ImportCommand.h"
#include "app/Main.h"
#include "books/Periods.h"
#include "data/Database.h"
#include "data/Query.h"
#include "data/Values.h"
#include "efactura/Archive.h"
#include "efactura/EFacturaSource.h"
#include "efactura/SpvArchive.h"
#include "efactura/SpvConnection.h"
#include "efactura/SpvRun.h"

namespace {

using namespace kov::efactura;

const QString kUsage = QStringLiteral(
    "Folosire:\n"
    "  kovaline efactura trimite --firma COD [--de-la ZZ.LL.AAAA] [--pana-la ZZ.LL.AAAA]\n"
    "  kovaline efactura stare --firma COD\n"
    "  kovaline efactura primite --firma COD [--zile N]\n");

// The value after each "--name"; a name without a value, or an unknown one, is refused.
bool options(const QStringList& args, const QStringList& known, QHash<QString, QString>& out) {
    for (qsizetype i = 1; i < args.size(); i += 2) {
        if (!known.contains(args[i]) || i + 1 >= args.size()) {
            return false;
        }
        out.insert(args[i], args[i + 1]);
    }
    return true;
}

// A date as typed (dd.mm.yyyy) or stored (yyyy-mm-dd), in the typed form; empty when neither.
QString typedDate(const QString& text) {
    if (const auto d = kov::parseDate(text)) {
        return kov::formatDate(*d);
    }
    if (const auto d = kov::parseIsoDate(text)) {
        return kov::formatDate(*d);
    }
    return {};
}

int finish(const RunReport& report, QTextStream& out, QTextStream& err) {
    for (const QString& line : report.lines) {
        out << line << '\n';
    }
    if (!report.stopped.isEmpty()) {
        err << report.stopped << '\n';
    }
    out.flush();
    err.flush();
    return report.failed ? 1 : 0;
}

int send(const QString& company, const QHash<QString, QString>& o, QTextStream& out,
         QTextStream& err) {
    // Without a period: the previous month and this one, the invoices still within reach.
    const QDate today = QDate::currentDate();
    const QString from = o.contains(QStringLiteral("--de-la"))
                             ? typedDate(o.value(QStringLiteral("--de-la")))
                             : kov::formatDate(QDate(today.year(), today.month(), 1).addMonths(-1));
    const QString to = o.contains(QStringLiteral("--pana-la"))
                           ? typedDate(o.value(QStringLiteral("--pana-la")))
                           : kov::formatDate(today);
    if (from.isEmpty() || to.isEmpty()) {
        err << QStringLiteral("Data nu este valida (ZZ.LL.AAAA).\n") << kUsage;
        return 2;
    }
    SpvClient client = openClient();
    return finish(
        sendInvoices(client, company, issuedInvoices(company, kov::dateRange(from, to).sql)), out,
        err);
}

int receive(const QString& company, const QHash<QString, QString>& o, QTextStream& out,
            QTextStream& err) {
    bool ok = true;
    const int days = o.value(QStringLiteral("--zile"), QStringLiteral("60")).toInt(&ok);
    if (!ok || days < 1 || days > 60) {
        err << QStringLiteral("Numarul de zile este intre 1 si 60.\n");
        return 2;
    }
    SpvClient client = openClient();
    QStringList files;
    const RunReport report =
        fetchReceived(client, company, days, receivedFolder(archiveFolder()), files);
    const int code = finish(report, out, err);
    if (files.isEmpty()) {
        return code;
    }
    return importFiles(company, files, out) == 0 ? code : 1;
}

}  // namespace

int runEFacturaCommand(const QStringList& args, QTextStream& out, QTextStream& err) {
    const QString command = args.value(0);
    const QStringList known =
        command == QLatin1String("trimite")
            ? QStringList{QStringLiteral("--firma"), QStringLiteral("--de-la"),
                          QStringLiteral("--pana-la")}
        : command == QLatin1String("primite")
            ? QStringList{QStringLiteral("--firma"), QStringLiteral("--zile")}
            : QStringList{QStringLiteral("--firma")};
    QHash<QString, QString> o;
    if ((command != QLatin1String("trimite") && command != QLatin1String("stare") &&
         command != QLatin1String("primite")) ||
        !options(args, known, o) || !o.contains(QStringLiteral("--firma"))) {
        err << kUsage;
        return 2;
    }
    try {
        kov::Database db(kov::kMainDatabase);
        db.open(mainDatabasePath());
        const QString company = ownCompany(o.value(QStringLiteral("--firma")));
        if (company.isEmpty()) {
            err << QStringLiteral("Firma %1 nu exista in baza de date.\n")
                       .arg(o.value(QStringLiteral("--firma")));
            return 2;
        }
        if (command == QLatin1String("trimite")) {
            return send(company, o, out, err);
        }
        if (command == QLatin1String("primite")) {
            return receive(company, o, out, err);
        }
        SpvClient client = openClient();
        return finish(followStates(client, company, archiveFolder()), out, err);
    } catch (const std::exception& e) {
        err << QString::fromUtf8(e.what()) << '\n';
        err.flush();
        return 1;
    }
}
