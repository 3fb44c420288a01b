#include <QCheckBox>
#include <QLabel>

#include "data/VatRates.h"
#include "purchases/Facturiintrare.h"
#include "tests/purchases/PurchaseFixture.h"

namespace kov::test {

namespace {

class InvoiceTest : public PurchaseTest {
  protected:
    void SetUp() override {
        PurchaseTest::SetUp();
        category(22222, "chirie");
        category(11111, "protocol");
    }

    // Date, number, explanation, remarks and supplier of invoice F1.
    static void fillDocument(TFormFacturaIntrare& w) {
        type(w, "Edit1", "05.03.2004");
        type(w, "Edit2", "f1");
        type(w, "Edit6", "marfa");
        type(w, "Edit3", "obs");
        pickSupplier(w);
    }

    // A cash payment by receipt 45 of what is typed as paid, on the total typed.
    static std::function<void(TFormFacturaIntrare&)> cash(const QString& total,
                                                          const QString& paid) {
        return [total, paid](TFormFacturaIntrare& w) {
            type(w, "Edit15", total);
            click(w, "CheckBox1");
            EXPECT_EQ(w.ui.Edit7->text(), total);  // the amount paid starts as the total
            type(w, "Edit4", "45");
            type(w, "Edit7", paid);
        };
    }
};

}  // namespace

TEST_F(InvoiceTest, SavesTheInvoiceAndItsCashPaymentAsTyped) {
    struct Case {
        const char* name;
        std::function<void(TFormFacturaIntrare&)> fill;
        QString shown;  // amount without VAT | VAT
        QStringList rows;
    };
    const Case cases[] = {
        {"no payment: the whole total is owed",
         [](auto& w) { type(w, "Edit15", "100"); },
         "84.03|15.97",
         {kInvoice + "'F1','2004-03-05',100.00,84.03,19,15.97,0,100.00,'A1','I')"}},
        {"partial payment by receipt",
         cash("119", "50"),
         "100.00|19.00",
         {kInvoice + "'F1','2004-03-05',119.00,100.00,19,19.00,0,69.00,'A1','I')",
          kPayment +
              "'2004-03-05','F.F1 + CH.45','MARFA','',50.00,42.02,0,22222,'plata','OBS',1)"}},
        {"119 paid against 119.00 shown: the payment's net is worked out, not the typed VAT's",
         [](auto& w) {
             type(w, "Edit15", "119");
             part(w, "Edit13")->setFocus();  // leaving the total shows it with two decimals
             click(w, "Button3");
             type(w, "Edit14", "20");
             click(w, "CheckBox1");
             EXPECT_EQ(part(w, "Edit7")->text(), "119.00");
             click(w, "RadioButton2");
             EXPECT_EQ(part<QLabel>(w, "Label7")->text(), "Nr. BF:");
             type(w, "Edit4", "7");
             type(w, "Edit7", "119");
             click(w, "RadioButton6");
         },
         "99.00|20",
         {kInvoice + "'F1','2004-03-05',119.00,99.00,19,20,1,0.00,'A1','I')",
          kPayment + "'2004-03-05','F.F1 + BF.7','MARFA','',119.00,100.00,0,0,'plata','OBS',1)"}},
        {"paid to the cent settles the invoice",
         cash("119", "118.999"),
         "100.00|19.00",
         {kInvoice + "'F1','2004-03-05',119.00,100.00,19,19.00,1,0.00,'A1','I')",
          kPayment +
              "'2004-03-05','F.F1 + CH.45','MARFA','',119.00,100.00,0,22222,'plata','OBS',1)"}},
        {"overpaid, answered Da: a negative amount owed",
         [this](auto& w) {
             cash("100", "120")(w);
             modals.answer("Da");
         },
         "84.03|15.97",
         {kInvoice + "'F1','2004-03-05',100.00,84.03,19,15.97,0,-20.00,'A1','I')",
          kPayment +
              "'2004-03-05','F.F1 + CH.45','MARFA','',120.00,100.84,0,22222,'plata','OBS',1)"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TFormFacturaIntrare w;
        open(w);
        fillDocument(w);
        c.fill(w);
        EXPECT_EQ(w.ui.Edit5->text() + "|" + w.ui.Edit14->text(), c.shown);
        modals.clear();
        EXPECT_EQ(save(w), c.rows);
        ASSERT_FALSE(modals.boxes().empty());
        EXPECT_EQ(modals.boxes().back().text, "Mai introduceti alte facturi de intrare?");
        EXPECT_EQ(modals.boxes().back().title, "");
        EXPECT_FALSE(w.isVisible());
        EXPECT_EQ(w.result(), QDialog::Accepted);
    }
}

TEST_F(InvoiceTest, AnotherInvoiceKeepsTheListsButClearsTheChoices) {
    TFormFacturaIntrare w;
    open(w);
    EXPECT_EQ(w.ui.ComboBox5->count(), 2);
    EXPECT_FALSE(w.ui.Edit4->isEnabled());
    EXPECT_EQ(w.ui.ComboBox5->currentIndex(), -1);
    fillDocument(w);
    type(w, "Edit15", "119");
    click(w, "CheckBox1");
    EXPECT_EQ(w.ui.ComboBox5->currentText(), "chirie");
    type(w, "Edit4", "45");
    category(33333, "alta");
    save(w, "BitBtn3", "Da");

    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.ui.Edit2->text() + "|" + w.ui.Edit15->text() + "|" + w.ui.Edit13->text(),
              "|0|" + QString::number(kov::standardVatRate(QDate::currentDate())));
    EXPECT_FALSE(w.ui.CheckBox1->isChecked());
    EXPECT_FALSE(w.ui.Edit7->isEnabled());
    EXPECT_EQ(w.ui.Label7->text(), "Nr. chitanta");
    EXPECT_EQ(w.ui.ComboBox2->currentIndex(), -1);
    EXPECT_EQ(w.ui.ComboBox2->count(), 1);
    EXPECT_EQ(w.ui.ComboBox5->count(), 2);  // not reloaded
    EXPECT_TRUE(w.partners()->CODFISCAL.isEmpty());
    EXPECT_TRUE(w.focusWidget() == w.ui.Edit1);
}

}  // namespace kov::test
