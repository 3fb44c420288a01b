#pragma once
// Runs the national e-Factura validator over files, and Saxon over the same rules once more:
// the validator's summary drops a fatal finding whose text runs over several lines, so each
// file's reports are also read whole for failed asserts.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QXmlStreamReader>

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

// Empty when every file passes both the validator and the direct reading of the reports;
// otherwise what was found.
inline QString nationalFindings(const QStringList& files) {
    QProcess validator;
    validator.setProcessChannelMode(QProcess::MergedChannels);
    validator.start(validatorPath(), files);
    if (!validator.waitForFinished(-1)) {
        return QStringLiteral("validator did not finish");
    }
    const QString output = QString::fromUtf8(validator.readAll());
    QStringList findings;
    if (validator.exitCode() != 0 || output.count(QStringLiteral(": valid\n")) != files.size()) {
        findings << output;
    }
    const QDir rules(QFileInfo(validatorPath()).absolutePath() + QStringLiteral("/cius-ro-1.0.9"));
    QTemporaryDir reports;
    for (const QString& xml : files) {
        for (const QString& xsl : rules.entryList({QStringLiteral("*.xslt")})) {
            const QString report = reports.filePath(QStringLiteral("r.svrl"));
            QProcess saxon;
            saxon.start(QStringLiteral("java"),
                        {QStringLiteral("-jar"), QStringLiteral("/usr/share/java/Saxon-HE.jar"),
                         "-s:" + xml, "-xsl:" + rules.filePath(xsl), "-o:" + report});
            saxon.waitForFinished(-1);
            for (const QString& assert : fatalAsserts(report)) {
                findings << QFileInfo(xml).fileName() + ": " + assert;
            }
            QFile::remove(report);
        }
    }
    return findings.join(u'\n');
}

}  // namespace kov::test
