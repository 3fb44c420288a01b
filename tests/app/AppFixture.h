#pragma once
// The whole application in a private home: settings store, database folder, every window.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QSettings>

#include "app/Formmessage.h"
#include "app/Forms.h"
#include "app/Main.h"
#include "data/Query.h"
#include "data/Settings.h"
#include "data/Values.h"
#include "tests/Support.h"
#include "ui/Globals.h"

namespace kov::test {

class AppTest : public ::testing::Test {
  protected:
    // A database file with the given own companies (description, name, code), named by DBQ.
    QString prepareDatabase(const std::vector<std::array<QString, 3>>& companies) {
        const QString path = home.path(QStringLiteral("books/Kodra.db"));
        createDatabaseFile(path);
        {
            Database prep(QStringLiteral("prep"));
            prep.open(path);
            for (const auto& [description, name, code] : companies) {
                prep.execute("insert into datefirma (descriere,nume,codfiscal,tva) values(" +
                             quoted(description) + "," + quoted(name) + "," + quoted(code) + ",1)");
            }
        }
        setting(QStringLiteral("kodra/DBQ"), path);
        return path;
    }

    void setting(const QString& key, const QString& value) {
        QSettings ini(configFolder() + QStringLiteral("/registry.ini"), QSettings::IniFormat);
        ini.setValue(key, value);
    }

    QString setting(const QString& key) {
        QSettings ini(configFolder() + QStringLiteral("/registry.ini"), QSettings::IniFormat);
        return ini.value(key).toString();
    }

    // Creates every window. The program waits a second twice at start-up (the wait window, then
    // the company choice when there are several); the tests let those timers fire at once.
    void start() {
        forms = createForms();
        FormMain->Terminate = [this] { ++terminated; };
        EXPECT_EQ(Mesaj->Timer1.interval(), 1000);
        EXPECT_EQ(FormMain->Timer1.interval(), 1000);
        Mesaj->Timer1.setInterval(0);
        FormMain->Timer1.setInterval(0);
    }

    // Shows the main window and runs the start-up sequence that its first showing queues; its
    // dialogs are answered by the modals queued before.
    void showMain() {
        FormMain->show();
        QCoreApplication::sendPostedEvents();
        waitFor([] { return !FormMain->Timer1.isActive(); });
    }

    QStringList rows(const QString& sql) { return test::rows(kMainDatabase, sql); }

    void TearDown() override {
        forms.reset();
        SelectedFiscalCode.clear();
    }

    TempHome home;
    Modals modals;
    std::unique_ptr<Forms> forms;
    int terminated = 0;
};

}  // namespace kov::test
