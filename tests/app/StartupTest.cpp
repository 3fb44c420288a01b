#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QTest>

#include "app/Adaugarefirmanoua.h"
#include "app/Selectarefirma.h"
#include "tests/app/AppFixture.h"

namespace kov::test {

TEST_F(AppTest, FirstStartCreatesTheDatabaseAndAsksForTheFirstCompany) {
    modals.handle([](QWidget* w) {
        auto* dialog = qobject_cast<TFormAdaugModificFirmaNoua*>(w);
        ASSERT_NE(dialog, nullptr);
        QTest::keyClicks(dialog->ui.Edit1, "pfa");
        QTest::keyClicks(dialog->ui.ComboBox2, "ionescu ana");
        QTest::keyClicks(dialog->ui.ComboBox3, "ro123");
        click(dialog, "Adaugare");
        click(dialog, "Renuntare");
    });
    start();
    const QString dbq = setting(QStringLiteral("kodra/DBQ"));
    EXPECT_EQ(dbq, home.path("data/Kovaline/Kodra.db"));
    EXPECT_TRUE(QFileInfo::exists(dbq));
    EXPECT_TRUE(QFileInfo::exists(home.path("data/Kovaline/BazaGoala.mdb")));

    showMain();
    ASSERT_TRUE(waitFor([] { return !SelectedFiscalCode.isEmpty(); }));
    EXPECT_EQ(SelectedFiscalCode, "RO123");
    EXPECT_EQ(FormMain->statusText(), "PFA IONESCU ANA");
    EXPECT_EQ(FormMain->windowTitle(), "Kovaline");
    EXPECT_TRUE(QFileInfo::exists(home.path("data/Kovaline/BackUp.mvn")));
    EXPECT_EQ(rows("select * from numere"), QStringList({"RO123|0|0"}));
    EXPECT_EQ(terminated, 0);
    EXPECT_EQ(modals.pending(), 0u);
}

TEST_F(AppTest, RegionalSettingsAreRewrittenWithAMessageAndTheApplicationEnds) {
    struct Case {
        QString sDate, sDecimal, sThousand, sShortDate;
        bool rewritten;
    };
    const Case cases[] = {{"/", ".", ",", "dd/MM/yyyy", true},
                          {".", ".", ",", "d.M.yyyy", true},
                          {".", ",", ".", "dd.MM.yyyy", true},
                          {".", ".", ",", "dd.MM.yyyy", false}};
    prepareDatabase({{"", "ALFA SRL", "RO1"}});
    for (const Case& c : cases) {
        setting("International/sDate", c.sDate);
        setting("International/sDecimal", c.sDecimal);
        setting("International/sThousand", c.sThousand);
        setting("International/sShortDate", c.sShortDate);
        terminated = 0;
        modals.clear();
        if (c.rewritten) {
            modals.answer("OK");
        }
        start();
        showMain();
        EXPECT_EQ(setting("International/sDate"), ".");
        EXPECT_EQ(setting("International/sDecimal"), ".");
        EXPECT_EQ(setting("International/sThousand"), ",");
        EXPECT_EQ(setting("International/sShortDate"), "dd.MM.yyyy");
        if (c.rewritten) {
            ASSERT_EQ(modals.boxes().size(), 1u) << c.sShortDate.toStdString();
            EXPECT_EQ(modals.boxes()[0].title, "Atentie!");
            EXPECT_TRUE(modals.boxes()[0].text.startsWith(
                "Aplicatia a modificat modul de afisare a datei in format dd.MM.yyyy"));
            EXPECT_EQ(terminated, 1);
            EXPECT_TRUE(SelectedFiscalCode.isEmpty());  // the sequence stopped there
        } else {
            ASSERT_TRUE(waitFor([] { return !SelectedFiscalCode.isEmpty(); }));
            EXPECT_TRUE(modals.boxes().empty());
            EXPECT_EQ(terminated, 0);
            EXPECT_EQ(SelectedFiscalCode, "RO1");
        }
        forms.reset();
        SelectedFiscalCode.clear();
    }
}

TEST_F(AppTest, OneCompanyIsSelectedWithoutAnyDialog) {
    const QString path = prepareDatabase({{"", "ALFA SRL", "RO1"}});
    const QString backup = QFileInfo(path).absolutePath() + "/BackUp.mvn";
    QFile old(backup);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("previous copy");
    old.close();
    start();
    showMain();  // the wait window closes by itself
    EXPECT_EQ(SelectedFiscalCode, "RO1");
    EXPECT_EQ(FormMain->statusText(), "ALFA SRL");
    EXPECT_EQ(FormMain->CompanyCaption, "ALFA SRL");
    EXPECT_TRUE(modals.boxes().empty());
    EXPECT_FALSE(FormMain->Timer1.isActive());
    // The start-up copy replaced the previous one with a database holding the company.
    Database copy(QStringLiteral("copy"));
    copy.open(backup);
    Query q(QStringLiteral("copy"));
    q.setSql("select * from datefirma");
    q.open();
    EXPECT_EQ(q.recordCount(), 1);
}

TEST_F(AppTest, SeveralCompaniesAreChosenInTheDialogAfterTheTimer) {
    prepareDatabase({{"CABINET", "BETA SRL", "RO2"}, {"", "ALFA SRL", "RO1"}});
    modals.handle([](QWidget* w) {
        auto* dialog = qobject_cast<TFormSelectFirma*>(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_FALSE(dialog->ui.BitBtn2->isEnabled());
        EXPECT_EQ(dialog->ui.ComboBox2->count(), 2);
        dialog->ui.ComboBox3->setCurrentIndex(1);  // codes sorted: RO1, RO2
        emit dialog->ui.ComboBox3->activated(1);
        EXPECT_EQ(dialog->ui.ComboBox2->currentText(), "BETA SRL");
        EXPECT_EQ(dialog->ui.Label4->text(), "Platitoare de TVA");
        click(dialog, "Acceptare");
    });
    start();
    showMain();
    ASSERT_TRUE(waitFor([] { return !SelectedFiscalCode.isEmpty(); }, 4000));
    EXPECT_EQ(SelectedFiscalCode, "RO2");
    EXPECT_EQ(FormMain->statusText(), "CABINET BETA SRL");
    EXPECT_EQ(terminated, 0);

    // "Selectare firma" changes the company and keeps the caption; cancelling changes nothing.
    modals.handle([](QWidget* w) {
        auto* dialog = qobject_cast<TFormSelectFirma*>(w);
        dialog->ui.ComboBox2->setCurrentIndex(0);
        emit dialog->ui.ComboBox2->activated(0);
        click(dialog, "Acceptare");
    });
    FormMain->action("Selectarefirma1")->trigger();
    EXPECT_EQ(SelectedFiscalCode, "RO1");
    EXPECT_EQ(FormMain->CompanyCaption, "ALFA SRL");
    modals.answer("Renuntare");
    FormMain->action("Selectarefirma1")->trigger();
    EXPECT_EQ(SelectedFiscalCode, "RO1");
    EXPECT_EQ(terminated, 0);
}

TEST_F(AppTest, CancellingTheChoiceAtStartEndsTheApplication) {
    prepareDatabase({{"", "ALFA SRL", "RO1"}, {"", "BETA SRL", "RO2"}});
    modals.answer("Renuntare");
    start();
    showMain();
    ASSERT_TRUE(waitFor([this] { return terminated > 0; }, 4000));
    EXPECT_TRUE(SelectedFiscalCode.isEmpty());
    EXPECT_TRUE(modals.boxes().empty());  // without a message
}

TEST_F(AppTest, AMissingDatabaseFileIsReportedAndNotCreated) {
    const QString missing = home.path("unmounted/Kodra.db");
    setting("kodra/DBQ", missing);
    EXPECT_THROW(start(), DbError);
    EXPECT_FALSE(QFileInfo::exists(missing));
}

TEST_F(AppTest, ASettingsStoreThatCannotBeWrittenIsReportedInRomanian) {
    QDir().mkpath(home.path("config"));
    QFile blocker(home.path("config/Kovaline"));  // a file where the store's folder goes
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    try {
        start();
        ADD_FAILURE() << "started without a settings store";
    } catch (const std::exception& e) {
        modals.answer("OK");
        reportStartupError(e);
    }
    ASSERT_EQ(modals.boxes().size(), 1u);
    EXPECT_EQ(modals.boxes()[0].title, "Eroare!");
    EXPECT_EQ(modals.boxes()[0].text, "Ceva la registrii!");
}

TEST_F(AppTest, MenuHoldsEveryCaptionInOrder) {
    prepareDatabase({{"", "ALFA SRL", "RO1"}});
    start();
    QStringList menus;
    for (QAction* top : FormMain->menuBar()->actions()) {
        QStringList items;
        for (QAction* a : top->menu()->actions()) {
            items << (a->isSeparator() ? "-" : a->text());
        }
        menus << top->text() + ": " + items.join(", ");
    }
    EXPECT_EQ(menus,
              QStringList(
                  {"Fisier: Selectare firma, Adaugare/stergere firma, Date firma, Dosar e-Factura, "
                   "Conectare e-Factura, -, "
                   "Salvare pe discheta, Incarcare de pe discheta, -, Iesire",
                   "Incasari: Eliberare/Introducere factura, -, Incasare ordine de plata, "
                   "Incasare chitanta, -, Incasare mai multe chitante/factura, Incasare mai "
                   "multe ordine/factura",
                   "Plati: Facturi intrare, Import e-Factura primite, Import e-Factura primite din "
                   "dosar, Descarcare facturi primite, -, Cumparare combustibil, "
                   "-, Plati diverse, -, "
                   "Plata bon fiscal, Plata chitanta simpla, -, Achitare ordin de plata, "
                   "Achitare chitanta",
                   "Operatiuni diverse: Stergere document, -, Administrare defalcari "
                   "cheltuieli, Administrare defalcari venituri, -, Introducere CNP Casier",
                   "Rapoarte: Jurnal de vanzari, Jurnal de cumparari, Registru jurnal de "
                   "incasari si plati, -, Fisa operatiuni diverse, Fise operatiuni diverse "
                   "cumulate, -, Facturi iesire, Facturi intrare, Reimprimare factura, -, "
                   "Chitante/ordine de "
                   "plata achitate, Chitante/ordine de plata incasate, -, Export "
                   "e-Factura, Trimitere e-Factura, Stare e-Factura"}));
    FormMain->action("Iesire1")->trigger();
    EXPECT_EQ(terminated, 1);
}

}  // namespace kov::test
