#pragma once
// Checks e-Factura files as the national validator beside the project does (the UBL schema, then
// each rule set), but over a whole folder at once: Java starts once per rule set, not once per
// file and rule set. Each report is read whole for failed asserts, since a finding's text may run
// over several lines.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <map>
#include <memory>
#include <vector>

namespace kov::test {

inline QString validatorPath() {
    return QStringLiteral(KOVALINE_EFACTURA_VALIDATOR);
}

inline bool validatorPresent() {
    return QFileInfo(validatorPath()).isExecutable();
}

// The fatal failed asserts of one report, each as "[rule] text".
inline QStringList fatalAsserts(const QString& reportPath) {
    QFile file(reportPath);
    QStringList found;
    if (!file.open(QIODevice::ReadOnly)) {
        return {QStringLiteral("no report ") + reportPath};
    }
    QXmlStreamReader xml(&file);
    bool fatal = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("failed-assert")) {
            const QString flag = xml.attributes().value(QStringLiteral("flag")).toString();
            fatal = flag.isEmpty() || flag == QLatin1String("fatal");
        } else if (fatal && xml.isStartElement() && xml.name() == QLatin1String("text")) {
            found << xml.readElementText().simplified();
            fatal = false;
        }
    }
    return found;
}

// A tool started with stdout and stderr merged.
inline std::unique_ptr<QProcess> launch(const QString& program, const QStringList& arguments) {
    auto process = std::make_unique<QProcess>();
    process->setProcessChannelMode(QProcess::MergedChannels);
    process->start(program, arguments);
    return process;
}

// Waits for a launched tool; its output, and whether it exited with 0.
inline std::pair<QString, bool> finish(QProcess& process) {
    if (!process.waitForFinished(-1)) {
        return {process.program() + QStringLiteral(" did not run: ") + process.errorString(),
                false};
    }
    return {QString::fromUtf8(process.readAll()),
            process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0};
}

// What the national checks find in each file of the folder (which holds invoices only), by file
// name; an empty list when the file passes.
inline std::map<QString, QStringList> nationalFindings(const QString& folder) {
    const QDir in(folder);
    const QStringList names = in.entryList(QDir::Files, QDir::Name);
    std::map<QString, QStringList> findings;
    QStringList paths;
    for (const QString& name : names) {
        findings[name];
        paths << in.filePath(name);
    }
    if (names.isEmpty()) {
        return findings;
    }
    const QDir base = QFileInfo(validatorPath()).absoluteDir();

    // Each rule set over the whole folder in one run, a report per file named as the file; the
    // rule sets run side by side, and beside the schema check. A short-lived JVM starts faster
    // without its optimising compiler.
    const QDir rules(base.filePath(QStringLiteral("cius-ro-1.0.9")));
    const QStringList sets = rules.entryList({QStringLiteral("*.xslt")});
    std::vector<std::unique_ptr<QTemporaryDir>> reports;
    std::vector<std::unique_ptr<QProcess>> saxon;
    for (const QString& xsl : sets) {
        reports.push_back(std::make_unique<QTemporaryDir>());
        saxon.push_back(
            launch(QStringLiteral("java"),
                   {QStringLiteral("-XX:TieredStopAtLevel=1"), QStringLiteral("-XX:+UseSerialGC"),
                    QStringLiteral("-jar"), QStringLiteral("/usr/share/java/Saxon-HE.jar"),
                    "-s:" + in.absolutePath(), "-xsl:" + rules.filePath(xsl),
                    "-o:" + reports.back()->path()}));
    }

    // The schema: xmllint prefixes every line about a file with its path.
    const auto xmllint =
        launch(QStringLiteral("xmllint"),
               QStringList{QStringLiteral("--noout"), QStringLiteral("--schema"),
                           base.filePath(QStringLiteral("ubl-2.1/maindoc/UBL-Invoice-2.1.xsd"))} +
                   paths);
    const auto [schemaOutput, schemaPassed] = finish(*xmllint);
    bool attributed = false;
    for (const QString& line : schemaOutput.split(u'\n', Qt::SkipEmptyParts)) {
        for (const QString& name : names) {
            const QString path = in.filePath(name);
            const bool about = line.startsWith(path + u':') || line.startsWith(path + u' ');
            if (about && line != path + QStringLiteral(" validates")) {
                findings[name] << QStringLiteral("schema: ") + line;
                attributed = true;
            }
        }
    }
    if (!schemaPassed && !attributed) {
        findings[names.first()] << QStringLiteral("schema: ") + schemaOutput;
    }

    for (size_t i = 0; i < saxon.size(); ++i) {
        const auto [output, passed] = finish(*saxon[i]);
        if (!passed) {
            findings[names.first()] << sets[i] + QStringLiteral(": ") + output;
        }
        for (const QString& name : names) {
            for (const QString& assert : fatalAsserts(reports[i]->filePath(name))) {
                findings[name] << sets[i] + QStringLiteral(": ") + assert;
            }
        }
    }
    return findings;
}

// The findings of every file, one "name: finding" a line; empty when all pass.
inline QString joined(const std::map<QString, QStringList>& findings) {
    QStringList lines;
    for (const auto& [name, found] : findings) {
        for (const QString& finding : found) {
            lines << name + QStringLiteral(": ") + finding;
        }
    }
    return lines.join(u'\n');
}

// The files, copied into a folder of their own and checked together.
inline QString nationalFindings(const QStringList& files) {
    QTemporaryDir folder;
    for (const QString& file : files) {
        if (!QFile::copy(file, folder.filePath(QFileInfo(file).fileName()))) {
            return QStringLiteral("cannot copy ") + file;
        }
    }
    return joined(nationalFindings(folder.path()));
}

}  // namespace kov::test
