#include "app/CopyCommand.h"

#include <QFileInfo>
#include <exception>

#include "books/CopyBooks.h"
#include "data/Database.h"

namespace {

const QString kSource = QStringLiteral("copiere_din");
const QString kTarget = QStringLiteral("copiere_in");

}  // namespace

int runCopyCommand(const QStringList& args, QTextStream& out, QTextStream& err) {
    QString from, to;
    for (qsizetype i = 0; i + 1 < args.size(); i += 2) {
        if (args.at(i) == QLatin1String("--din")) {
            from = args.at(i + 1);
        } else if (args.at(i) == QLatin1String("--in")) {
            to = args.at(i + 1);
        }
    }
    if (args.size() != 4 || from.isEmpty() || to.isEmpty()) {
        err << "Folosire: kovaline copiere-baza --din FISIER_SAU_URI --in FISIER_SAU_URI\n";
        return 2;
    }
    kov::Database source(kSource);
    kov::Database target(kTarget);
    try {
        source.open(from);
    } catch (const std::exception& e) {
        err << "Sursa " << from << ": " << QString::fromUtf8(e.what()) << '\n';
        return 1;
    }
    try {
        // A file is made when missing; a server's database must exist already.
        target.open(to, !QFileInfo::exists(to));
    } catch (const std::exception& e) {
        err << "Destinatia " << to << ": " << QString::fromUtf8(e.what()) << '\n';
        return 1;
    }
    int tables = 0;
    long long rows = 0;
    try {
        out << "Tabela: sursa / destinatie\n";
        const bool same = kov::copyBooks(kSource, kTarget, [&](const kov::TableTally& tally) {
            out << kov::tallyLine(tally) << '\n';
            out.flush();
            ++tables;
            rows += tally.targetRows;
        });
        if (!same) {
            err << "Randurile sau sumele difera intre sursa si destinatie. Nu s-a scris nimic.\n";
            return 1;
        }
    } catch (const kov::TargetHoldsBooks& e) {
        err << e.message() << '\n';
        return 1;
    } catch (const std::exception& e) {
        err << QString::fromUtf8(e.what()) << "\nNu s-a scris nimic in destinatie.\n";
        return 1;
    }
    out << "Copiere terminata: " << tables << " tabele, " << rows << " randuri.\n";
    return 0;
}
