#include <QAction>
#include <QPushButton>

#include "sales/Facturi.h"
#include "tests/app/AppFixture.h"

namespace kov::test {

TEST_F(AppTest, TheMenuItemAndThePictureButtonOpenTheInvoiceWindow) {
    prepareDatabase({{"", "ALFA SRL", "RO1"}});
    start();
    showMain();  // the commands wait for the company
    int opened = 0;
    const auto cancel = [&](QWidget* w) {
        EXPECT_EQ(w, static_cast<QWidget*>(FormFactura));
        ++opened;
        click(w, "Renuntare");
    };
    modals.handle(cancel).handle(cancel);
    ASSERT_TRUE(FormMain->action("Eliberarefactura1")->isEnabled());
    FormMain->action("Eliberarefactura1")->trigger();
    ASSERT_TRUE(FormMain->BitBtn1->isEnabled());
    FormMain->BitBtn1->click();
    EXPECT_EQ(opened, 2);
    EXPECT_TRUE(rows("select * from facturi").isEmpty());
}

}  // namespace kov::test
