#include <QCheckBox>
#include <memory>

#include "purchases/Bonfiscal.h"
#include "purchases/Chitantasimpla.h"
#include "purchases/Cumpararecombustibil.h"
#include "purchases/Facturiintrare.h"
#include "purchases/Platidiverse.h"
#include "tests/purchases/PurchaseFixture.h"

namespace kov::test {

namespace {

using Fill = std::function<void(QWidget&)>;

class ReceiptsTest : public PurchaseTest {
  protected:
    // Date, receipt number and supplier, in the components the receipt windows share.
    static void fillReceipt(QWidget& w, const QString& number) {
        type(w, "Edit3", "05.03.2004");
        type(w, "Edit2", number);
        pickSupplier(w);
    }
};

}  // namespace

TEST_F(ReceiptsTest, FuelTakesTheExciseOutOfTheTotalAndFindsTheFuelCategory) {
    struct Case {
        const char* name;
        QString total, excise;
        std::vector<std::tuple<int, QString, const char*>> categories;
        QString shown;  // VAT base | amount without VAT | VAT
        QStringList rows;
    };
    const Case cases[] = {
        {"excise of 20",
         "100",
         "20",
         {{22222, "chirie", "c"}, {11111, "combustibil auto", "c"}},
         "80.00|67.23|12.77",
         {kInvoice + "'BF. 9','2004-03-05',80.00,67.23,19,12.77,1,0,'A1','I')",
          kInvoice + "'BF. 9','2004-03-05',20,20,0,0,1,0,'A1','I')",
          kPayment + "'2004-03-05','BF. 9','COMBUSTIBIL','',100,87.23,0,11111,'plata','',1)"}},
        {"no excise, a basic expenses category",
         "119",
         "0",
         {{22222, "chirie", "c"}, {33333, "cheltuieli de baza", "c"}},
         "119.00|100.00|19.00",
         {kInvoice + "'BF. 9','2004-03-05',119.00,100.00,19,19.00,1,0,'A1','I')",
          kPayment + "'2004-03-05','BF. 9','COMBUSTIBIL','',119,100.00,0,33333,'plata','',1)"}},
        {"an excise typed 0.00 is recorded; an income category is no fuel category",
         "119",
         "0.00",
         {{44444, "combustibil", "v"}},
         "119.00|100.00|19.00",
         {kInvoice + "'BF. 9','2004-03-05',119.00,100.00,19,19.00,1,0,'A1','I')",
          kInvoice + "'BF. 9','2004-03-05',0.00,0.00,0,0,1,0,'A1','I')",
          kPayment + "'2004-03-05','BF. 9','COMBUSTIBIL','',119,100.00,0,0,'plata','',1)"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        t.exec("delete from defalcari");
        for (const auto& [id, name, kind] : c.categories) {
            category(id, name, kind);
        }
        TFormCumparareCombustibil w;
        open(w);
        fillReceipt(w, "9");
        type(w, "Edit15", c.total);
        type(w, "Edit1", c.excise);
        EXPECT_EQ(w.ui.Edit4->text() + "|" + w.ui.Edit5->text() + "|" + w.ui.Edit14->text(),
                  c.shown);
        modals.clear();
        EXPECT_EQ(save(w), c.rows);
        EXPECT_EQ(modals.texts(), QStringList({"Mai introduceti alte cheltuieli combustibil?"}));
    }
}

TEST_F(ReceiptsTest, FiscalAndSimpleReceiptsWriteTheirRows) {
    struct Case {
        const char* name;
        std::function<std::unique_ptr<QDialog>()> window;
        Fill fill;
        QString question;
        QStringList rows;
    };
    const Case cases[] = {
        {"fiscal receipt left out of the register",
         [] { return std::make_unique<TFormBonFiscal>(); },
         [](QWidget& w) {
             fillReceipt(w, "3");
             click(w, "RadioButton2");
         },
         "Mai introduceti alte plati prin bon fiscal?",
         {kInvoice + "'BF. 3','2004-03-05',119,100.00,19,19.00,1,0,'A1','I')",
          kPayment + "'2004-03-05','BF. 3','MARFA D''ALE','',119,100.00,0,22222,'plata','OBS',0)"}},
        {"simple receipt without a category: no invoice row",
         [] { return std::make_unique<TFormChitantaSimpla>(); },
         [](QWidget& w) {
             fillReceipt(w, "7");
             click(w, "RadioButton6");
         },
         "Mai introduceti alte plati prin chitanta simpla?",
         {kPayment + "'2004-03-05','CH. 7','MARFA D''ALE','',119,100.00,0,0,'plata','OBS',1)"}},
        {"a category deleted since the window opened counts as none",
         [] { return std::make_unique<TFormChitantaSimpla>(); },
         [this](QWidget& w) {
             fillReceipt(w, "8");
             t.exec("delete from defalcari where id=22222");
         },
         "Mai introduceti alte plati prin chitanta simpla?",
         {kPayment + "'2004-03-05','CH. 8','MARFA D''ALE','',119,100.00,0,0,'plata','OBS',1)"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        t.exec("delete from defalcari");
        category(22222, "chirie");
        const auto w = c.window();
        open(*w);
        EXPECT_EQ(part<QComboBox>(*w, "ComboBox5")->currentText(), "chirie");
        c.fill(*w);
        type(*w, "Edit1", "marfa d'ale");
        type(*w, "Edit4", "obs");
        type(*w, "Edit15", "119");
        modals.clear();
        EXPECT_EQ(save(*w), c.rows);
        EXPECT_EQ(modals.texts(), QStringList({c.question}));
    }
    EXPECT_EQ(t.value("select feloperatie from operatiuni where nrdoc='CH. 7'"), "MARFA D'ALE");
}

TEST_F(ReceiptsTest, MiscellaneousPaymentsStoreTheAmountWithTwoDecimals) {
    category(22222, "chirie");
    struct Case {
        const char* name;
        Fill fill;
        QStringList rows;
    };
    const Case cases[] = {
        {"cash, in the register, with a category",
         [](QWidget&) {},
         {kPayment + "'2004-03-05','DOC 1','CHIRIE','',1500.00,1500.00,0,22222,'plata','OBS',1)"}},
        {"bank, out of the register, no category",
         [](QWidget& w) {
             click(w, "RadioButton4");
             click(w, "RadioButton2");
             click(w, "RadioButton6");
         },
         {kPayment + "'2004-03-05','DOC 1','CHIRIE','',1500.00,1500.00,1,0,'plata','OBS',0)"}},
        {"no explanation, answered Da",
         [this](QWidget& w) {
             part(w, "Edit6")->clear();
             modals.answer("Da");
         },
         {kPayment + "'2004-03-05','DOC 1','','',1500.00,1500.00,0,22222,'plata','OBS',1)"}},
        {"no explanation, answered Nu: nothing written",
         [](QWidget& w) { part(w, "Edit6")->clear(); },
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TFormPlatiDiverse w;
        open(w);
        type(w, "Edit1", "05.03.2004");
        type(w, "Edit2", "doc 1");
        type(w, "Edit4", "1500");
        type(w, "Edit6", "chirie");
        type(w, "Edit3", "obs");
        c.fill(w);
        EXPECT_EQ(save(w, "BitBtn1"), c.rows);
        EXPECT_EQ(w.isVisible(), c.rows.isEmpty());
    }
}

TEST_F(ReceiptsTest, EveryWindowRefusesABadRateOrTypedVatBeforeWriting) {
    struct Window {
        const char* name;
        std::function<std::unique_ptr<QDialog>()> make;
        Fill fill;
    };
    const Fill receipt = [](QWidget& w) {
        fillReceipt(w, "1");
        type(w, "Edit1", "marfa");
    };
    const Window windows[] = {
        {"received invoice", [] { return std::make_unique<TFormFacturaIntrare>(); },
         [](QWidget& w) {
             type(w, "Edit1", "05.03.2004");
             type(w, "Edit2", "F1");
             type(w, "Edit6", "marfa");
             pickSupplier(w);
             click(w, "CheckBox1");
             type(w, "Edit4", "1");
         }},
        {"fuel", [] { return std::make_unique<TFormCumparareCombustibil>(); },
         [](QWidget& w) { fillReceipt(w, "1"); }},
        {"fiscal receipt", [] { return std::make_unique<TFormBonFiscal>(); }, receipt},
        {"simple receipt", [] { return std::make_unique<TFormChitantaSimpla>(); }, receipt},
    };
    struct Bad {
        const char* name;
        Fill enter;
        const char* text;
        const char* focus;
    };
    const auto rate = [](const char* typed) {
        return Bad{typed, [typed](QWidget& w) { type(w, "Edit13", typed); },
                   "Cota TVA introdusa gresit!", "Edit13"};
    };
    const Bad bads[] = {rate("X"),
                        rate("-100"),
                        rate("-150"),
                        {"typed VAT",
                         [](QWidget& w) {
                             click(w, "Button3");
                             type(w, "Edit14", "1,5");
                         },
                         "Suma TVA introdusa gresit!", "Edit14"}};
    for (const Window& window : windows) {
        for (const Bad& bad : bads) {
            SCOPED_TRACE(std::string(window.name) + ": " + bad.name);
            const auto w = window.make();
            open(*w);
            window.fill(*w);
            type(*w, "Edit15", "119");
            bad.enter(*w);
            modals.clear();
            EXPECT_EQ(save(*w, "BitBtn3", "OK"), QStringList());
            ASSERT_EQ(modals.boxes().size(), 1u);
            EXPECT_EQ(modals.boxes()[0].title, "Eroare!");
            EXPECT_EQ(modals.boxes()[0].text, bad.text);
            EXPECT_TRUE(w->focusWidget() == part(*w, bad.focus));
            EXPECT_TRUE(w->isVisible());
        }
    }
}

TEST_F(ReceiptsTest, AFailedSaveWritesNothingAndKeepsTheWindowAsTyped) {
    t.failInserts("operatiuni", "disc plin");
    TFormCumparareCombustibil fuel;
    open(fuel);
    fillReceipt(fuel, "9");
    type(fuel, "Edit15", "100");
    type(fuel, "Edit1", "20");
    modals.clear();
    EXPECT_EQ(save(fuel, "BitBtn3", "OK").size(), 3);  // excise row and purchase row tried
    EXPECT_EQ(modals.texts(), QStringList({"disc plin"}));
    EXPECT_EQ(t.value("select count(*) from facturi"), "0");
    EXPECT_TRUE(fuel.isVisible());
    EXPECT_EQ(fuel.ui.Edit2->text() + "|" + fuel.ui.Edit15->text() + "|" +
                  fuel.ui.ComboBox2->currentText(),
              "9|100|A1");

    TFormFacturaIntrare invoice;
    open(invoice);
    type(invoice, "Edit1", "05.03.2004");
    type(invoice, "Edit2", "F1");
    type(invoice, "Edit6", "marfa");
    pickSupplier(invoice);
    type(invoice, "Edit15", "119");
    click(invoice, "CheckBox1");
    type(invoice, "Edit4", "45");
    save(invoice, "BitBtn3", "OK");
    EXPECT_EQ(t.value("select count(*) from facturi"), "0");
    EXPECT_TRUE(invoice.ui.CheckBox1->isChecked());
    EXPECT_EQ(invoice.ui.Edit4->text(), "45");
}

}  // namespace kov::test
