#include <QAction>

#include "purchases/Bonfiscal.h"
#include "purchases/Chitantasimpla.h"
#include "purchases/Cumpararecombustibil.h"
#include "purchases/Facturiintrare.h"
#include "purchases/Platidiverse.h"
#include "tests/app/AppFixture.h"

namespace kov::test {

TEST_F(AppTest, PurchaseMenuItemsOpenTheirWindows) {
    prepareDatabase({{"", "ALFA SRL", "RO1"}});
    start();
    showMain();  // the commands wait for the company
    const std::pair<const char*, QDialog*> items[] = {
        {"Facturiintrare1", FormFacturaIntrare},
        {"Cumpararecombustibil1", FormCumparareCombustibil},
        {"Platidiverse1", FormPlatiDiverse},
        {"Platabonfiscal1", FormBonFiscal},
        {"Platachitantasimpla1", FormChitantaSimpla}};
    for (const auto& [component, window] : items) {
        SCOPED_TRACE(component);
        QWidget* shown = nullptr;
        modals.handle([&shown](QWidget* w) {
            shown = w;
            click(w, "Renuntare");
        });
        QAction* item = FormMain->action(QLatin1String(component));
        ASSERT_TRUE(item);
        EXPECT_TRUE(item->isEnabled());
        item->trigger();
        EXPECT_EQ(shown, window);
        EXPECT_EQ(window->result(), QDialog::Rejected);
    }
}

}  // namespace kov::test
