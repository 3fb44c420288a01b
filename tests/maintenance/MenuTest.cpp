#include <QAction>
#include <QFileInfo>

#include "maintenance/Discheta.h"
#include "maintenance/Stergeredocument.h"
#include "tests/app/AppFixture.h"

namespace kov::test {

// The main window's commands reach the maintenance windows and its status bar.
TEST_F(AppTest, MaintenanceCommandsRunFromTheMenu) {
    prepareDatabase({{"PFA", "ANA", "RO1"}});
    setting("Drives/A", home.path("floppy"));
    start();
    showMain();  // the commands wait for the company
    showMain();
    ASSERT_TRUE(waitFor([] { return !SelectedFiscalCode.isEmpty(); }));
    for (const char* name : {"Salvarepedischeta1", "Incarcaredepedischeta1", "Stergeredocument1"}) {
        ASSERT_NE(FormMain->action(name), nullptr);
        EXPECT_TRUE(FormMain->action(name)->isEnabled()) << name;
    }

    modals.answer("Da").answer("OK");
    FormMain->action("Salvarepedischeta1")->trigger();
    EXPECT_EQ(modals.texts(), QStringList({"Ati introdus discheta?", "Copiere incheiata."}));
    EXPECT_TRUE(QFileInfo::exists(home.path("floppy/Salvari.mdb")));
    EXPECT_FALSE(FormMain->Database2.isOpen());

    modals.clear();
    modals.answer("Da").answer("OK");
    FormMain->action("Incarcaredepedischeta1")->trigger();
    EXPECT_EQ(modals.texts().last(), "Transfer efectuat cu succes");
    EXPECT_EQ(FormMain->statusText(), "PFA ANA");

    bool opened = false;
    modals.handle([&](QWidget* w) {
        opened = w == FormStergere;
        click(w, "Renuntare");
    });
    FormMain->action("Stergeredocument1")->trigger();
    EXPECT_TRUE(opened);
    EXPECT_EQ(modals.pending(), 0u);
}

}  // namespace kov::test
