#include <QAction>

#include "tests/app/AppFixture.h"

namespace kov::test {

TEST_F(AppTest, CollectionAndPaymentCommandsOpenTheirWindows) {
    prepareDatabase({{"", "ALFA SRL", "RO1"}});
    start();
    showMain();  // the commands wait for the company
    showMain();
    ASSERT_TRUE(waitFor([] { return !SelectedFiscalCode.isEmpty(); }, 4000));
    const std::pair<const char*, const char*> commands[] = {
        {"Incasareordinedeplata1", "Incasare ordin de plata"},
        {"Incasarechitanta1", "Incasare chitanta"},
        {"Incasaremaimultechitantefactura1", "Introducere mai multe chitante/factura"},
        {"Incasaremaimulteordinefactura1", "Introducere mai multe OP-uri/factura"},
        {"AchitarecuOP1", "Achitare ordin de plata"},
        {"Achitarechitanta1", "Achitare chitanta"},
    };
    QStringList opened;
    for (const auto& [component, caption] : commands) {
        QAction* action = FormMain->action(component);
        ASSERT_TRUE(action);
        EXPECT_TRUE(action->isEnabled()) << component;
        modals.handle([&opened](QWidget* w) {
            opened << w->windowTitle();
            click(w, "Renuntare");
        });
        action->trigger();
    }
    QStringList captions;
    for (const auto& command : commands) {
        captions << command.second;
    }
    EXPECT_EQ(opened, captions);
}

}  // namespace kov::test
