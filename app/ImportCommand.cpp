#include "app/ImportCommand.h"

#include <QTextStream>
#include <cstdio>
#include <exception>

#include "app/DataSource.h"
#include "books/ReceivedInvoices.h"
#include "data/Database.h"
#include "data/Query.h"
#include "efactura/Archive.h"
#include "efactura/Import.h"

namespace {

using kov::efactura::ImportItem;
using kov::efactura::ImportState;

QString lineOf(const ImportItem& item) {
    switch (item.state) {
        case ImportState::Recorded:
            return item.error.isEmpty() ? QStringLiteral("inregistrata")
                                        : QStringLiteral("inregistrata (") + item.error + u')';
        case ImportState::AlreadyRecorded:
            return QStringLiteral("deja inregistrata");
        case ImportState::NotForCompany:
            return QStringLiteral("nu este pentru firma aleasa");
        case ImportState::ToRecord:
        case ImportState::Failed:
            break;
    }
    return QStringLiteral("eroare: ") + item.error;
}

}  // namespace

QString ownCompany(const QString& code) {
    kov::Query q;
    q.setSql(QStringLiteral("select * from datefirma"));
    for (q.open(); !q.eof(); q.next()) {
        const QString stored = q.fieldByName(QStringLiteral("CODFISCAL")).asString();
        if (kov::bareFiscalCode(stored) == kov::bareFiscalCode(code)) {
            return stored;
        }
    }
    return {};
}

int importFiles(const QString& company, const QStringList& files, QTextStream& out) {
    const std::vector<ImportItem> items =
        kov::efactura::importReceivedFiles(company, files, kov::efactura::archiveFolder());
    int recorded = 0, failed = 0;
    for (const ImportItem& item : items) {
        out << item.file << ": " << lineOf(item) << '\n';
        recorded += item.state == ImportState::Recorded ? 1 : 0;
        failed += item.state == ImportState::Failed ? 1 : 0;
    }
    out << "Total: " << items.size() << " fisiere, " << recorded << " inregistrate, " << failed
        << " cu erori\n";
    out.flush();
    return failed;
}

int runImportCommand(const QStringList& arguments) {
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (arguments.size() < 3 || arguments.first() != QLatin1String("--firma")) {
        err << "Folosire: kovaline import-efactura --firma CODFISCAL FISIER...\n";
        return 1;
    }
    try {
        kov::Database books(kov::kMainDatabase);
        books.open(mainDatabasePath());
        const QString company = ownCompany(arguments.at(1));
        if (company.isEmpty()) {
            err << "Firma cu codul fiscal " << arguments.at(1) << " nu exista.\n";
            return 1;
        }
        return importFiles(company, arguments.mid(2), out) == 0 ? 0 : 1;
    } catch (const std::exception& e) {
        err << QString::fromUtf8(e.what()) << '\n';
        return 1;
    }
}
