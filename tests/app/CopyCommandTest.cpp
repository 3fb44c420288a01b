#include <gtest/gtest.h>

#include <QProcess>

#include "tests/Support.h"

namespace kov::test {

namespace {

struct Outcome {
    int exitCode;
    QString out;
    QString err;
};

// The program's command line without a screen, in the test's home.
Outcome copyCommand(const TempHome& home, const QStringList& arguments) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home.path());
    env.insert("XDG_CONFIG_HOME", home.path("config"));
    env.insert("XDG_DATA_HOME", home.path("data"));
    env.remove("DISPLAY");
    env.remove("QT_QPA_PLATFORM");
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(KOVALINE_BINARY), QStringList{"copiere-baza"} + arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

}  // namespace

// Books copied into a new file: one line per table, both sides' figures, and a file that then
// holds books is refused the second time with nothing written. A wrong command line or a missing
// source is said so.
TEST(CopyCommand, CopiesIntoANewFileAndRefusesOneWithBooks) {
    TempHome home;
    const QString source = home.path("Kodra.db");
    {
        Database books(QStringLiteral("sursa"));
        books.open(source, true);
        books.execute(
            "insert into facturi (CODFISCAL,NRFACTURA,DATA,SUMA,FARATVA,CODCLIENT) "
            "values('RO1','7','2004-03-05',19.00,15.97,'P1')");
        books.execute("insert into casieri values('Ion Popescu','1800101123456')");
    }
    const QString target = home.path("Birou.db");
    Outcome run = copyCommand(home, {"--din", source, "--in", target});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList lines = run.out.split('\n');
    EXPECT_EQ(lines.first(), "Tabela: sursa / destinatie");
    EXPECT_TRUE(
        lines.contains("facturi: randuri 1 / 1; SUMA 19.00 / 19.00; FARATVA 15.97 / "
                       "15.97; PROCENTTVA 0.00 / 0.00; TVA 0.00 / 0.00; PLATIT 0.00 / "
                       "0.00; RESTANT 0.00 / 0.00"))
        << run.out.toStdString();
    EXPECT_TRUE(lines.contains("casieri: randuri 1 / 1")) << run.out.toStdString();
    EXPECT_TRUE(lines.contains("Copiere terminata: 10 tabele, 2 randuri."))
        << run.out.toStdString();

    run = copyCommand(home, {"--in", target, "--din", source});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err,
              "Baza de date in care se copiaza contine deja date (tabela facturi): copierea se "
              "face numai intr-o baza de date goala. Nu s-a scris nimic.\n");
    {
        Database copied(QStringLiteral("copie"));
        copied.open(target);
        EXPECT_EQ(rows(QStringLiteral("copie"), "select count(*) from facturi"), QStringList{"1"});
    }

    for (const QStringList& wrong :
         {QStringList{"--din", source}, QStringList{"--din", source, "--spre", target}}) {
        run = copyCommand(home, wrong);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.startsWith("Folosire: kovaline copiere-baza --din"))
            << run.err.toStdString();
    }
    run = copyCommand(home, {"--din", home.path("lipsa.db"), "--in", home.path("nou.db")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("Sursa " + home.path("lipsa.db") + ": ")) << run.err.toStdString();
}

}  // namespace kov::test
