#include <QAction>

#include "reports/Selectarefisa.h"
#include "tests/app/AppFixture.h"

using namespace kov::test;

class ReportsMenu : public AppTest {};

TEST_F(ReportsMenu, EveryReportCommandIsEnabledAndReachesItsDialog) {
    prepareDatabase({{"S.C.", "ALFA SRL", "RO100"}});
    start();
    showMain();  // the commands wait for the company
    showMain();
    ASSERT_EQ(SelectedFiscalCode, "RO100");
    for (const char* name :
         {"Jurnaldevanzari1", "Jurnaldecumparari1", "Registrujurnaldeincasarisiplati1", "Venituri1",
          "Cheltuieli1", "Venituri2", "Cheltuieli2", "Facturieliberate1", "Facturiintrare2",
          "Chitanteordinedeplataachitate1", "Chitanteordinedeplataincasate1"}) {
        ASSERT_TRUE(FormMain->action(name)) << name;
        EXPECT_TRUE(FormMain->action(name)->isEnabled()) << name;
    }
    // Each command through its dialog to the empty-books message, as the menu runs it.
    const std::pair<const char*, const char*> commands[] = {
        {"Jurnaldevanzari1", "Nu exista inregistrari la vanzari pe luna selectata!"},
        {"Jurnaldecumparari1", "Nu exista inregistrari la cumparari pe luna selectata!"},
        {"Registrujurnaldeincasarisiplati1", "Nu exista inregistrari pe luna selectata!"},
        {"Cheltuieli2", "Nu exista inregistrari pe luna selectata!"},
        {"Facturiintrare2", "Nu exista facturi de intrare in perioada selectata!"},
        {"Chitanteordinedeplataincasate1",
         "Nu exista chitante sau ordine de plata incasate in data selectata!"}};
    for (const auto& [name, text] : commands) {
        modals.clear();
        modals.answer("Acceptare").answer("OK");
        FormMain->action(name)->trigger();
        EXPECT_EQ(modals.texts(), QStringList{text}) << name;
    }
    QString title;
    modals.handle([&](QWidget* w) {
        title = w->windowTitle();
        EXPECT_EQ(FormSelectareFisa->CardKind, "v");
        click(w, "Renuntare");
    });
    FormMain->action("Venituri1")->trigger();
    EXPECT_EQ(title, "Selectare fisa operatiuni diverse");
}
