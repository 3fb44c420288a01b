// Every command of the main window reaches its window or runs to its message, from one start of
// the program.
#include <QAbstractButton>
#include <QAction>
#include <QDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "maintenance/Stergeredocument.h"
#include "purchases/Bonfiscal.h"
#include "purchases/Chitantasimpla.h"
#include "purchases/Cumpararecombustibil.h"
#include "purchases/Facturiintrare.h"
#include "purchases/Platidiverse.h"
#include "reports/Selectarefisa.h"
#include "sales/Facturi.h"
#include "tests/app/AppFixture.h"

namespace kov::test {

TEST_F(AppTest, EveryCommandIsEnabledAndOpensItsWindowOrRunsToItsMessage) {
    prepareDatabase({{"PFA", "ANA", "RO100"}});
    setting("Drives/A", home.path("floppy"));
    start();
    showMain();
    ASSERT_TRUE(waitFor([] { return !SelectedFiscalCode.isEmpty(); }, 4000));
    ASSERT_EQ(SelectedFiscalCode, "RO100");

    struct Command {
        const char* component;         // a menu item, or the picture button
        QWidget* window = nullptr;     // the window it opens, left with "Renuntare"
        const char* title = nullptr;   // the title of the window it opens
        QStringList answers{};         // otherwise the buttons that answer what it shows
        QStringList texts{};           // the texts of the message boxes it shows
        std::function<void()> then{};  // what else it leaves behind
    };
    const QString noneThisMonth = "Nu exista inregistrari pe luna selectata!";
    const Command commands[] = {
        {.component = "Eliberarefactura1", .window = FormFactura},
        {.component = "BitBtn1", .window = FormFactura},
        {.component = "Incasareordinedeplata1", .title = "Incasare ordin de plata"},
        {.component = "Incasarechitanta1", .title = "Incasare chitanta"},
        {.component = "Incasaremaimultechitantefactura1",
         .title = "Introducere mai multe chitante/factura"},
        {.component = "Incasaremaimulteordinefactura1",
         .title = "Introducere mai multe OP-uri/factura"},
        {.component = "Facturiintrare1", .window = FormFacturaIntrare},
        {.component = "Cumpararecombustibil1", .window = FormCumparareCombustibil},
        {.component = "Platidiverse1", .window = FormPlatiDiverse},
        {.component = "Platabonfiscal1", .window = FormBonFiscal},
        {.component = "Platachitantasimpla1", .window = FormChitantaSimpla},
        {.component = "AchitarecuOP1", .title = "Achitare ordin de plata"},
        {.component = "Achitarechitanta1", .title = "Achitare chitanta"},
        // Each report through its dialog to the empty-books message.
        {.component = "Jurnaldevanzari1",
         .answers = {"Acceptare", "OK"},
         .texts = {"Nu exista inregistrari la vanzari pe luna selectata!"}},
        {.component = "Jurnaldecumparari1",
         .answers = {"Acceptare", "OK"},
         .texts = {"Nu exista inregistrari la cumparari pe luna selectata!"}},
        {.component = "Registrujurnaldeincasarisiplati1",
         .answers = {"Acceptare", "OK"},
         .texts = {noneThisMonth}},
        {.component = "Venituri1",
         .window = FormSelectareFisa,
         .title = "Selectare fisa operatiuni diverse",
         .then = [] { EXPECT_EQ(FormSelectareFisa->CardKind, "v"); }},
        {.component = "Cheltuieli1"},  // enabled; run by the report tests
        {.component = "Venituri2"},
        {.component = "Cheltuieli2", .answers = {"Acceptare", "OK"}, .texts = {noneThisMonth}},
        {.component = "Facturieliberate1"},
        {.component = "Facturiintrare2",
         .answers = {"Acceptare", "OK"},
         .texts = {"Nu exista facturi de intrare in perioada selectata!"}},
        {.component = "Chitanteordinedeplataachitate1"},
        {.component = "Chitanteordinedeplataincasate1",
         .answers = {"Acceptare", "OK"},
         .texts = {"Nu exista chitante sau ordine de plata incasate in data selectata!"}},
        // The backup commands and the status bar.
        {.component = "Salvarepedischeta1",
         .answers = {"Da", "OK"},
         .texts = {"Ati introdus discheta?", "Copiere incheiata."},
         .then =
             [this] {
                 EXPECT_TRUE(QFileInfo::exists(home.path("floppy/Salvari.mdb")));
                 EXPECT_FALSE(FormMain->Database2.isOpen());
             }},
        {.component = "Incarcaredepedischeta1",
         .answers = {"Da", "OK"},
         .then =
             [this] {
                 EXPECT_EQ(modals.texts().last(), "Transfer efectuat cu succes");
                 EXPECT_EQ(FormMain->statusText(), "PFA ANA");
             }},
        {.component = "Stergeredocument1", .window = FormStergere},
    };
    for (const Command& c : commands) {
        SCOPED_TRACE(c.component);
        QObject* item = FormMain->findChild<QObject*>(QLatin1String(c.component));
        auto* action = qobject_cast<QAction*>(item);
        auto* button = qobject_cast<QAbstractButton*>(item);
        ASSERT_TRUE(action || button);
        EXPECT_TRUE(action ? action->isEnabled() : button->isEnabled());
        const bool opens = c.window || c.title;
        if (!opens && c.answers.isEmpty()) {
            continue;
        }
        modals.clear();
        QWidget* shown = nullptr;
        if (opens) {
            modals.handle([&shown](QWidget* w) {
                shown = w;
                click(w, "Renuntare");
            });
        }
        for (const QString& caption : c.answers) {
            modals.answer(caption);
        }
        if (action) {
            action->trigger();
        } else {
            button->click();
        }
        EXPECT_EQ(modals.pending(), 0u);
        if (c.window) {
            EXPECT_EQ(shown, c.window);
            if (auto* dialog = qobject_cast<QDialog*>(c.window)) {
                EXPECT_EQ(dialog->result(), QDialog::Rejected);
            }
        }
        if (c.title) {
            ASSERT_TRUE(shown);
            EXPECT_EQ(shown->windowTitle(), c.title);
        }
        if (!c.texts.isEmpty()) {
            EXPECT_EQ(modals.texts(), c.texts);
        }
        if (c.then) {
            c.then();
        }
    }
    EXPECT_TRUE(rows("select * from facturi").isEmpty());
}

}  // namespace kov::test
