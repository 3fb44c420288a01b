#include <QDate>

#include "ui/Globals.h"
#include "report_engine/PreviewWindow.h"
#include "reports/CumulativeCards.h"
#include "reports/RaportFiseCumulate.h"
#include "reports/RaportOperatiuniDiverse.h"
#include "reports/Selectarefisa.h"
#include "tests/reports/ReportFixture.h"

using namespace kov::test;

namespace {

class Cards : public ReportTest {
  protected:
    Cards() {
        db.exec("insert into defalcari (ID,DENUMIRE,TIP) values(10001,'chirie','c')");
        db.exec("insert into defalcari (ID,DENUMIRE,TIP) values(10002,'telefon','c')");
        db.exec("insert into defalcari (ID,DENUMIRE,TIP) values(10003,'onorarii','v')");
        db.exec("insert into defalcari (ID,DENUMIRE,TIP) values(10004,'protocol d''iarna','c')");
        operation("31.10.2003", "CH. 0", "plata", 0, 59.5, 50, 1, 10001);
        operation("15.11.2003", "CH. 1", "plata", 0, 119, 100, 1, 10001);
        operation("10.12.2003", "CH. 2", "plata", 0, 238, 200, 1, 10001);
        operation("05.01.2004", "CH. 3", "plata", 0, 357, 300, 1, 10001);
        operation("28.02.2004", "O.P. 4", "plata", 1, 476, 400, 1, 10001);
        operation("01.03.2004", "CH. 5", "plata", 0, 595, 500, 1, 10001);
        operation("06.01.2004", "CH. 6", "plata", 0, 71.4, 60, 1, 10002);
        operation("07.01.2004", "CH. 7", "incasare", 0, 83.3, 70, 1, 10003);
        operation("08.01.2004", "CH. 8", "plata", 0, 1190, 1000, 1, 0);
        operation("09.01.2004", "CH. 9", "plata", 0, 1190, 1000, 1, 10001, "ONORARIU", "RO200");
    }

    // Runs the card dialog: one month (first and last the same) or a range, then Acceptare.
    void card(const QString& name, bool box, bool range, int m1, int y1, int m2 = 0, int y2 = 0) {
        modals.handle([=](QWidget* w) {
            auto& ui = FormSelectareFisa->ui;
            ui.ComboBox1->setCurrentText(name);
            if (range) {
                ui.RadioButton2->click();
                ui.ComboBox5->setCurrentIndex(m1 - 1);
                ui.ComboBox4->setCurrentText(QString::number(y1));
                ui.ComboBox7->setCurrentIndex(m2 - 1);
                ui.ComboBox6->setCurrentText(QString::number(y2));
            } else {
                ui.ComboBox2->setCurrentIndex(m1 - 1);
                ui.ComboBox3->setCurrentText(QString::number(y1));
            }
            click(w, "Acceptare");
            if (FormSelectareFisa->isVisible()) {
                EXPECT_EQ(FormSelectareFisa->focusWidget(), ui.ComboBox1);
                click(w, "Renuntare");
            }
        });
        if (box) {
            modals.answer("OK");
        }
        FormSelectareFisa->CardKind = "c";
        FormSelectareFisa->exec();
    }
};

}  // namespace

TEST_F(Cards, DialogOffersTheKindsCategoriesAndYearsToNextYear) {
    const QDate today = QDate::currentDate();
    modals.handle([&](QWidget* w) {
        auto& ui = FormSelectareFisa->ui;
        EXPECT_EQ(ui.ComboBox1->count(), 3);
        EXPECT_EQ(ui.ComboBox1->currentText(), "chirie");
        EXPECT_EQ(ui.ComboBox3->itemText(0), "2002");
        EXPECT_EQ(ui.ComboBox3->itemText(ui.ComboBox3->count() - 1),
                  QString::number(today.year() + 1));
        EXPECT_EQ(ui.ComboBox3->currentText(), QString::number(today.year()));
        EXPECT_EQ(ui.ComboBox2->currentIndex(), today.month() - 1);
        EXPECT_EQ(enabledMask({ui.ComboBox2, ui.ComboBox3, ui.ComboBox4, ui.ComboBox5, ui.ComboBox6,
                               ui.ComboBox7, ui.Label5}),
                  "1100000");
        EXPECT_EQ(ui.ComboBox4->currentIndex(), -1);
        ui.RadioButton2->click();
        EXPECT_EQ(enabledMask({ui.ComboBox2, ui.ComboBox3, ui.ComboBox4, ui.ComboBox5, ui.ComboBox6,
                               ui.ComboBox7, ui.Label5}),
                  "0011111");
        EXPECT_EQ(ui.ComboBox2->currentIndex(), -1);
        EXPECT_EQ(ui.ComboBox6->currentText(), QString::number(today.year()));
        EXPECT_EQ(ui.ComboBox7->currentIndex(), today.month() - 1);
        click(w, "Renuntare");
    });
    FormSelectareFisa->CardKind = "c";
    FormSelectareFisa->exec();
}

TEST_F(Cards, LedgerCardForAMonthOrARangeAcrossTheYearEnd) {
    struct {
        const char* name;
        bool range;
        int m1, y1, m2, y2;
        QStringList documents;
        QString period, total, message;
    } const cases[] = {
        {"chirie", false, 1, 2004, 0, 0, {"CH. 3"}, "privind chirie - Ianuarie 2004", "300.00", {}},
        {"chirie",
         true,
         11,
         2003,
         2,
         2004,
         {"CH. 1", "CH. 2", "CH. 3", "O.P. 4"},
         "privind chirie / Noiembrie 2003 - Februarie 2004",
         "1,000.00",
         {}},
        {"chirie",
         false,
         4,
         2004,
         0,
         0,
         {},
         {},
         {},
         "Nu exista inregistrari la chirie pe luna selectata!"},
        {"chirie",
         true,
         3,
         2004,
         1,
         2004,
         {},
         {},
         {},
         "Nu exista inregistrari la chirie pe perioada selectata!"},
        {"CHIRIE X", false, 1, 2004, 0, 0, {}, {}, {}, "Nu exista defalcarea CHIRIE X!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.period.toStdString() + c.message.toStdString());
        modals.clear();
        card(c.name, !c.message.isEmpty(), c.range, c.m1, c.y1, c.m2, c.y2);
        if (saidOnly(c.message, c.name == QString("CHIRIE X") ? "Atentie!" : "")) {
            continue;
        }
        const kov::report::PageModel model = previewed(*RaportOperatiuniDiverse);
        QStringList documents;
        for (const QStringList& line : detailLines(model)) {
            documents << line[2];
        }
        EXPECT_EQ(documents, c.documents);
        EXPECT_EQ(textOf(model, "RLabel4"), c.period);
        EXPECT_EQ(textOf(model, "RLabel3"), "FISA OPERATIUNI DIVERSE");
        EXPECT_TRUE(model.pages.back().texts().contains(c.total));
    }
}

TEST_F(Cards, CumulativeCardsGiveEveryCategoryItsMonthAndYearToDate) {
    struct {
        QChar kind;
        int month;
        QStringList rows;  // denumire|sumaluna|sumaan
        QStringList sums;
    } const cases[] = {
        {u'c',
         1,
         {"chirie|300|300", "protocol d'iarna|0|0", "telefon|60|60"},
         {"360.00", "360.00"}},
        {u'c', 2, {"chirie|400|700", "protocol d'iarna|0|0", "telefon|0|60"}, {"400.00", "760.00"}},
        {u'v', 1, {"onorarii|70|70"}, {"70.00", "70.00"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.month);
        kov::report::PageModel model;
        pickMonth(c.month, 2004);
        modals.handle([&](QWidget* w) {
            model = static_cast<kov::report::PreviewWindow*>(w)->model();
            w->close();
        });
        kov::reports::cumulativeCards(c.kind);
        EXPECT_EQ(db.rows("select * from fisecumulate"), c.rows);
        const auto lines = detailLines(model);
        ASSERT_EQ(lines.size(), static_cast<size_t>(c.rows.size()));
        EXPECT_EQ(lines[0][0], c.rows[0].section(u'|', 0, 0));
        EXPECT_EQ(textOf(model, "RLabel4"),
                  (c.month == 1 ? "pe luna Ianuarie 2004" : "pe luna Februarie 2004"));
        EXPECT_TRUE(model.pages.back().texts().contains(QStringList(c.sums)[0]));
        EXPECT_TRUE(model.pages.back().texts().contains(QStringList(c.sums)[1]));
        EXPECT_TRUE(model.pages.front().texts().contains(QStringLiteral("Total pe lun\u00e3")));
    }
    EXPECT_TRUE(modals.boxes().empty());

    db.exec("delete from defalcari where tip='v'");
    pickMonth(1, 2004);
    modals.answer("OK");
    kov::reports::cumulativeCards(u'v');
    ASSERT_EQ(modals.boxes().size(), 1u);
    EXPECT_EQ(modals.boxes()[0].text, "Nu exista inregistrari pe luna selectata!");
}
