#include <QAction>
#include <QLineEdit>
#include <QTest>

#include "data/VatRates.h"
#include "tests/app/AppFixture.h"

namespace kov::test {

// Every window with a rate opens on today's standard rate, follows the document date, and
// keeps a rate the user typed.
TEST_F(AppTest, DocumentWindowsOpenOnTodaysRateAndFollowTheDate) {
    prepareDatabase({{"", "ALFA SRL", "RO1"}});
    start();
    showMain();
    ASSERT_TRUE(waitFor([] { return !SelectedFiscalCode.isEmpty(); }, 4000));
    struct Case {
        const char *command, *date, *rate;
    };
    const Case cases[] = {
        {"Eliberarefactura1", "Edit1", "Edit13"},
        {"Facturiintrare1", "Edit1", "Edit13"},
        {"Cumpararecombustibil1", "Edit3", "Edit13"},
        {"Platabonfiscal1", "Edit3", "Edit13"},
        {"Incasarechitanta1", "Edit1", "Edit13"},
        {"AchitarecuOP1", "Edit1", "Edit13"},
        {"Incasaremaimultechitantefactura1", "Edit3", "Edit8"},
    };
    const QString today = QString::number(standardVatRate(QDate::currentDate()));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        QStringList seen;
        modals.handle([&](QWidget* w) {
            auto* date = w->findChild<QLineEdit*>(c.date);
            auto* rate = w->findChild<QLineEdit*>(c.rate);
            if (!date || !rate) {
                seen << "missing";
            } else {
                seen << rate->text();
                QTest::keyClicks(date, "15.03.2024");
                seen << rate->text();
                date->clear();
                QTest::keyClicks(date, "1.8.2025");
                seen << rate->text();
                rate->selectAll();
                QTest::keyClicks(rate, "9");
                date->clear();
                QTest::keyClicks(date, "15.03.2024");
                seen << rate->text();
            }
            click(w, "Renuntare");
        });
        FormMain->action(c.command)->trigger();
        EXPECT_EQ(seen, QStringList({today, "19", "21", "9"}));
    }
}

}  // namespace kov::test
