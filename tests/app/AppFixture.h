#pragma once
// The whole application in a private home: settings store, database folder, every window.

#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>

#include "app/Forms.h"
#include "ui/Globals.h"
#include "app/Main.h"
#include "data/Query.h"
#include "data/Settings.h"
#include "data/Values.h"
#include "tests/Support.h"

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

    void start() {
        forms = createForms();
        FormMain->Terminate = [this] { ++terminated; };
    }

    // Shows the main window and waits until the start-up sequence has settled.
    void showMain(int settleMs = 300) {
        FormMain->show();
        waitFor([] { return false; }, settleMs);
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
