#include <gtest/gtest.h>

#include "data/VatRates.h"

#include <QApplication>
#include <QMessageBox>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include "reference/Adaugfirma.h"
#include "report_engine/PreviewWindow.h"
#include "sales/Facturi.h"
#include "sales/RaportFactura.h"
#include "tests/Support.h"
#include "ui/Globals.h"

namespace kov::test {

namespace {

const QString kInvoiceColumns = QStringLiteral(
    "select CODFISCAL,NRFACTURA,DATA,SUMA,FARATVA,PROCENTTVA,TVA,PLATIT,RESTANT,CODCLIENT,"
    "FELFACTURA from facturi order by rowid");
const QString kReceiptColumns = QStringLiteral(
    "select CODFISCAL,DATA,NRDOC,FELOPERATIE,EXPLICATIE,SUMA,FARATVA,BANCA,DEFALCARE,TIP,"
    "OBSERVATII,REGISTRU from operatiuni order by rowid");

class InvoiceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        FormAdaugareFirma = &partnerDialog;
        RaportFactura = &report;
        FormFactura = &w;
        SelectedFiscalCode = "RO1";
        t.exec("insert into numere values('RO1',7,3)");
        t.exec("insert into numere values('RO2',50,60)");
        t.exec(
            "insert into firme (cod,codfiscal,denumire,loc,judet,contbanca,denbanca,delegat,"
            "biseria,binr,bielib,trans,transnr) values('A1','RO300','ZETA SRL','TIMISOARA',"
            "'TIMIS','BANCA TRANSILVANIA','RO49BTRL1234','ION POP','TM','123456','SPCLEP TM',"
            "'AUTO','TM 01 ABC')");
        t.exec("insert into casieri values('MARIA POP','2800101123456')");
        t.exec("insert into defalcari values(23456,'CHIRII','c')");
        t.exec("insert into defalcari values(12345,'ONORARII','v')");
        reopen();
    }
    void TearDown() override {
        w.hide();
        FormAdaugareFirma = nullptr;
        RaportFactura = nullptr;
        FormFactura = nullptr;
        SelectedFiscalCode.clear();
    }

    // The offscreen platform gives a window back its activation only when asked.
    void reopen() {
        w.show();
        QApplication::setActiveWindow(&w);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    }

    // Types as the user does: into the field, which takes the focus first.
    static void type(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        edit->clear();
        QTest::keyClicks(edit, text);
    }

    // A private person's invoice of 100 without VAT, ready to record.
    void fillPerson() {
        type(w.ui.Edit1, "5.3.2004");
        type(w.ui.Edit8, "ion popescu");
        type(w.ui.Edit9, "str. mare 1");
        type(w.ui.Edit10, "1800101123456");
        type(w.ui.Edit11, "ar");
        type(w.ui.Edit12, "123456");
        type(w.ui.Edit16, "spclep arad");
        type(w.ui.Edit3, "obs");
        type(w.ui.Edit5, "100");
        w.ui.Edit1->setFocus();
    }

    void chooseFirm(const QString& code) {
        w.ui.RadioButton1->click();
        const int index = w.ui.ComboBox2->findText(code);
        w.ui.ComboBox2->setCurrentIndex(index);
        emit w.ui.ComboBox2->activated(index);
    }

    void withReceipt(const QString& amount = {}) {
        w.ui.CheckBox1->click();
        if (!amount.isNull()) {
            type(w.ui.Edit7, amount);
        }
        w.ui.ComboBox5->setCurrentIndex(0);
        emit w.ui.ComboBox5->activated(0);
    }

    QStringList invoices() { return t.rows(kInvoiceColumns); }
    QStringList receipts() { return t.rows(kReceiptColumns); }
    QString counters(const QString& code = "RO1") {
        return t.rows("select nrfactura, nrchitanta from numere where codfiscal='" + code + "'")
            .value(0);
    }

    // The printed texts of some labels of the page, joined by "|".
    static QString printed(const report::PageModel& model, const QStringList& names) {
        QStringList texts;
        for (const QString& name : names) {
            const auto found = model.pages.at(0).find(name);
            texts << (found.size() == 1 ? found[0]->text : "?");
        }
        return texts.join('|');
    }
    // The labels of the client, of the invoice proper and of the receipt part.
    const QStringList clientLabels = {"RLabel1",  "RLabel2",  "RLabel3",  "RLabel4",
                                      "RLabel5",  "RLabel6",  "RLabel21", "RLabel22",
                                      "RLabel23", "RLabel24", "RLabel26"};
    const QStringList invoiceLabels = {"RLabel7",  "RLabel8",  "RLabel10", "RLabel11", "RLabel12",
                                       "RLabel13", "RLabel14", "RLabel15", "RLabel16", "RLabel17",
                                       "RLabel18", "RLabel19", "RLabel20", "RLabel27"};
    const QStringList receiptLabels = {"RLabel9",  "RLabel29", "RLabel30", "RLabel31",
                                       "RLabel32", "RLabel33", "RLabel34", "RLabel25"};
    static constexpr const char* kInvoicePrinted =
        "7|5.3.2004||19|1|ONORARIU|1.00|100.00|100.00|19.00|100.00|19.00|119.00|5.3.2004";

    TempDatabase t;
    Modals modals;
    TFormAdaugareFirma partnerDialog;
    TRaportFactura report;
    TFormFactura w;
};

// Prints the preview to a PDF file as the printer would.
bool printTo(report::PreviewWindow* preview, const QString& path) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    return preview->print(printer);
}

}  // namespace

TEST_F(InvoiceTest, OpensWithTheOfferedNumberAndAPersonClient) {
    EXPECT_EQ(w.windowTitle(), "Eliberare factura");
    EXPECT_EQ(w.ui.Edit2->text(), "7");
    EXPECT_EQ(w.ui.Edit6->text(), "ONORARIU");
    EXPECT_EQ(w.ui.Edit13->text(), QString::number(kov::standardVatRate(QDate::currentDate())));
    EXPECT_EQ(w.ui.Edit5->text() + w.ui.Edit14->text() + w.ui.Edit15->text(), "000");
    EXPECT_EQ(w.ui.ComboBox1->currentText(), "ARAD");
    EXPECT_EQ(w.ui.ComboBox1->count(), 47);
    EXPECT_EQ(w.ui.GroupBox2->title(), "Date platitor");
    EXPECT_EQ(enabledMask({w.ui.Edit8, w.ui.ComboBox2, w.ui.Button2, w.ui.Button3, w.ui.Edit4,
                           w.ui.Edit7, w.ui.RadioButton5, w.ui.ComboBox6}),
              "10000000");
    EXPECT_EQ(w.ui.ComboBox6->count(), 1);  // incomes only
    EXPECT_EQ(w.ui.ComboBox5->count(), 1);
    EXPECT_EQ(w.ui.ComboBox5->currentIndex(), -1);
    EXPECT_TRUE(w.focusWidget() == w.ui.Edit1);

    // A firm: the person's fields go, the partner lists come; the receipt takes its number.
    w.ui.Edit8->setText("X");
    chooseFirm("A1");
    EXPECT_EQ(enabledMask({w.ui.Edit8, w.ui.ComboBox1, w.ui.ComboBox2, w.ui.Button2, w.ui.Button3}),
              "00111");
    EXPECT_EQ(w.ui.Edit8->text(), "");
    EXPECT_EQ(w.ui.ComboBox4->currentText(), "ZETA SRL");
    EXPECT_TRUE(w.focusWidget() == w.ui.BitBtn1);
    // A partner that was not added moves the focus nowhere.
    w.ui.Edit3->setFocus();
    modals.handle([](QWidget* d) { QTimer::singleShot(0, d, [d] { click(d, "Adaugare"); }); })
        .answer("OK");
    w.ui.Button2->click();
    EXPECT_EQ(modals.texts(), QStringList{"Date incomplete!"});
    EXPECT_TRUE(w.focusWidget() == w.ui.Edit3);
    modals.clear();
    withReceipt();
    EXPECT_EQ(w.ui.Edit4->text(), "3");
    EXPECT_EQ(w.ui.ComboBox6->currentText(), "ONORARII");
    EXPECT_EQ(w.ui.Edit17->text(), "2800101123456");
    w.ui.RadioButton2->click();
    EXPECT_EQ(w.ui.ComboBox2->currentIndex(), -1);
    EXPECT_EQ(w.ui.ComboBox1->currentText(), "ARAD");
    EXPECT_TRUE(modals.boxes().empty());
}

TEST_F(InvoiceTest, AmountsFollowEveryEditInTheField) {
    struct Case {
        const char* field;  // where the user types
        QString text, rate;
        QString net, vat, total;  // what the window then shows
    } cases[] = {
        {"Edit5", "100", "19", "100", "19.00", "119.00"},
        {"Edit15", "119", "19", "100.00", "19.00", "119"},
        {"Edit5", "10.01", "19", "10.01", "1.90", "11.91"},
        {"Edit13", "9", "9", "100", "9.00", "109.00"},  // the rate recomputes from the net
        {"Edit15", "100", "9", "91.74", "8.26", "100"},
        // Text that is not a number, and a rate that would divide by zero, change nothing.
        // Each key counts: "1" was a number, "-10" a rate.
        {"Edit5", "1O", "19", "1O", "0.19", "1.19"},
        {"Edit13", "-100", "-100", "100", "-10.00", "90.00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field + (" " + c.text).toStdString());
        w.ui.Edit5->setText("100");
        w.ui.Edit14->setText("19.00");
        w.ui.Edit15->setText("119.00");
        w.ui.Edit13->setText(c.rate);
        auto* field = w.findChild<QLineEdit*>(c.field);
        field->clear();
        QTest::keyClicks(field, c.text);
        EXPECT_EQ(w.ui.Edit5->text() + '|' + w.ui.Edit14->text() + '|' + w.ui.Edit15->text(),
                  c.net + '|' + c.vat + '|' + c.total);
    }
    // Leaving a field rewrites its number with two decimals; the receipt follows the total.
    w.ui.Edit13->setText("19");
    type(w.ui.Edit5, "10");
    withReceipt();
    EXPECT_EQ(w.ui.Edit5->text(), "10.00");  // left for the receipt number
    EXPECT_EQ(w.ui.Edit7->text(), "11.90");
    type(w.ui.Edit15, "200");
    EXPECT_EQ(w.ui.Edit7->text(), "200.00");
    w.ui.Edit1->setFocus();
    EXPECT_EQ(w.ui.Edit15->text(), "200.00");
}

TEST_F(InvoiceTest, SaveRecordsTheInvoiceWithItsReceiptPaidFlagAndRemainder) {
    struct Case {
        const char* name;
        bool receipt;
        QString received;
        const char* answer;  // to a receipt larger than the total; nullptr: not asked
        QString invoice, collection, numbers;
    } cases[] = {
        {"no receipt",
         false,
         {},
         nullptr,
         "RO1|7|05.03.2004|119|100|19|19|0|119|PF 1800101123456|E",
         {},
         "8|3"},
        {"receipt for the total", true, "119", nullptr,
         "RO1|7|05.03.2004|119|100|19|19|1|0|PF 1800101123456|E",
         "RO1|05.03.2004|F.7 + CH.3|ONORARIU||119|100|0|12345|incasare|OBS|1", "8|4"},
        {"receipt for less", true, "100", nullptr,
         "RO1|7|05.03.2004|119|100|19|19|0|19|PF 1800101123456|E",
         "RO1|05.03.2004|F.7 + CH.3|ONORARIU||100|84.03|0|12345|incasare|OBS|1", "8|4"},
        {"receipt for more, accepted", true, "150", "Da",
         "RO1|7|05.03.2004|119|100|19|19|0|-31|PF 1800101123456|E",
         "RO1|05.03.2004|F.7 + CH.3|ONORARIU||150|126.05|0|12345|incasare|OBS|1", "8|4"},
        {"receipt for more, refused", true, "150", "Nu", {}, {}, "7|3"},
    };
    QStringList statements;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        t.exec("delete from facturi");
        t.exec("delete from operatiuni");
        t.exec("update numere set nrfactura=7, nrchitanta=3 where codfiscal='RO1'");
        t.db().clearLog();
        w.FormShow();
        fillPerson();
        if (c.receipt) {
            withReceipt(c.received);
        }
        if (c.answer) {
            modals.answer(c.answer);
        }
        if (!c.invoice.isEmpty()) {
            modals.answer("Nu");
        }
        modals.clear();
        w.setResult(0);
        w.ui.BitBtn3->click();
        statements << t.db().log();
        EXPECT_EQ(invoices(), c.invoice.isEmpty() ? QStringList() : QStringList{c.invoice});
        EXPECT_EQ(receipts(), c.collection.isEmpty() ? QStringList() : QStringList{c.collection});
        EXPECT_EQ(counters(), c.numbers);
        EXPECT_EQ(counters("RO2"), "50|60");
        if (c.invoice.isEmpty()) {
            EXPECT_EQ(modals.texts(), QStringList{"Suma de pe chitanta mai mare decit cea de pa "
                                                  "factura! Continuati?"});
            EXPECT_TRUE(w.focusWidget() == w.ui.Edit7);
            EXPECT_TRUE(w.isVisible());
            continue;
        }
        EXPECT_EQ(modals.boxes().back().text, "Mai introduceti alte facturi?");
        EXPECT_EQ(modals.boxes().back().title, "");
        EXPECT_FALSE(w.isVisible());
        EXPECT_EQ(w.result(), QDialog::Accepted);
        reopen();
    }
    // The amounts go in as the fields hold them, the computed ones with two decimals.
    EXPECT_TRUE(statements.contains(
        "insert into facturi (CODFISCAL,NRFACTURA,DATA,SUMA,FARATVA,PROCENTTVA,TVA,PLATIT,"
        "RESTANT,CODCLIENT,FELFACTURA,EXPLICATIE,NUMEPF,ADRESAPF,LOCPF,JUDETPF,CNPPF,TEMEI) "
        "values('RO1','7','2004-03-05',119.00,100.00,19,19.00,0,-31.00,'PF 1800101123456','E',"
        "'ONORARIU','ION POPESCU','STR. MARE 1','','ARAD','1800101123456',null)"))
        << statements.join('\n').toStdString();
    EXPECT_TRUE(statements.contains(
        "insert into operatiuni (CODFISCAL,DATA,NRDOC,FELOPERATIE,EXPLICATIE,SUMA,FARATVA,BANCA,"
        "DEFALCARE,TIP,OBSERVATII,REGISTRU) values('RO1','2004-03-05','F.7 + CH.3','ONORARIU','',"
        "150.00,126.05,0,12345,'incasare','OBS',1)"));
}

TEST_F(InvoiceTest, YesStartsTheNextInvoiceAndOddNumbersNeverMoveTheCountersBack) {
    // Only a name is enough for a person; the client code is then "PF " alone. A category that
    // is not found, or "Nu", records 0.
    type(w.ui.Edit1, "05.03.2004");
    type(w.ui.Edit2, "a12");
    type(w.ui.Edit8, "ana");
    type(w.ui.Edit5, "10");
    withReceipt();
    type(w.ui.Edit4, "X9");
    t.exec("delete from defalcari");
    modals.answer("Da");
    w.ui.BitBtn3->click();
    EXPECT_EQ(invoices(), QStringList{"RO1|A12|05.03.2004|11.9|10|19|1.9|1|0|PF |E"});
    EXPECT_EQ(receipts().value(0).section('|', 2, 2), "F.A12 + CH.X9");
    EXPECT_EQ(receipts().value(0).section('|', 8, 8), "0");
    EXPECT_EQ(counters(), "7|3");

    // Reset for the next one: the counter, the opening fields, no cashier.
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.ui.Edit2->text(), "7");
    EXPECT_EQ(w.ui.Edit8->text() + w.ui.Edit1->text() + w.ui.Edit17->text(), "");
    EXPECT_EQ(w.ui.Edit5->text(), "0");
    EXPECT_FALSE(w.ui.CheckBox1->isChecked());
    EXPECT_EQ(w.ui.ComboBox5->currentIndex(), -1);
    EXPECT_TRUE(w.focusWidget() == w.ui.Edit1);

    // Without a receipt the receipt counter stays.
    type(w.ui.Edit1, "05.03.2004");
    type(w.ui.Edit2, "41");
    type(w.ui.Edit8, "ana");
    modals.answer("Nu");
    w.ui.BitBtn3->click();
    EXPECT_EQ(counters(), "42|3");
}

// A new company's counters stand at 0 (or it has none yet): its first invoice and receipt are
// offered number 1.
TEST_F(InvoiceTest, ACounterAtZeroOffersNumberOne) {
    t.exec("insert into numere values('RO0',0,0)");
    const struct {
        const char* company;
        const char* invoice;
        const char* receipt;
    } cases[] = {{"RO1", "7", "3"}, {"RO0", "1", "1"}, {"RO9", "1", "1"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.company);
        SelectedFiscalCode = c.company;
        w.FormShow();
        withReceipt();
        EXPECT_EQ(w.ui.Edit2->text() + '|' + w.ui.Edit4->text(),
                  QString(c.invoice) + '|' + c.receipt);
    }
}

TEST_F(InvoiceTest, ChecksRefuseInOrderBeforeAnythingIsWritten) {
    struct Case {
        std::function<void()> change;
        QString text;
        const char* focus;
    } cases[] = {
        {[this] { type(w.ui.Edit1, "31.02.2004"); }, "Data introdusa gresit!", "Edit1"},
        {[this] {
             withReceipt();
             type(w.ui.Edit15, "");
         },
         "Suma introdusa gresit!", "Edit15"},
        {[this] { withReceipt("1,5"); }, "Suma de pe chitanta introdusa gresit!", "Edit7"},
        {[this] { type(w.ui.Edit15, "abc"); }, "Suma introdusa gresit!", "Edit15"},
        // Beyond the largest amount, or not a plain decimal: refused, nothing said while typing.
        {[this] { type(w.ui.Edit15, "1e308"); }, "Suma introdusa gresit!", "Edit15"},
        {[this] { type(w.ui.Edit15, "12345678901234567"); }, "Suma introdusa gresit!", "Edit15"},
        {[this] {
             w.ui.Edit2->clear();
             w.ui.Edit6->clear();
         },
         "Nu s-a introdus numarul de factura!", "Edit2"},
        {[this] {
             withReceipt();
             w.ui.Edit4->clear();
         },
         "Nu s-a introdus numarul de chitanta!", "Edit4"},
        {[this] { w.ui.RadioButton1->click(); }, "Nu s-a introdus firma!", "ComboBox2"},
        {[this] {
             for (QLineEdit* e : {w.ui.Edit8, w.ui.Edit10, w.ui.Edit11, w.ui.Edit12}) {
                 e->clear();
             }
         },
         "Nu s-au introdus date suficiente despre persoana!", "Edit8"},
        {[this] { w.ui.Edit6->clear(); }, "Nu s-a introdus explicatia!", "Edit6"},
        {[this] { w.ui.Edit5->setText("100);drop table facturi;--"); }, "Suma introdusa gresit!",
         "Edit5"},
        {[this] { w.ui.Edit13->setText("19 OR 1"); }, "Cota TVA introdusa gresit!", "Edit13"},
        {[this] { w.ui.Edit13->setText("-100"); }, "Cota TVA introdusa gresit!", "Edit13"},
    };
    for (QPushButton* button : {w.ui.BitBtn3, w.ui.BitBtn1}) {
        for (const Case& c : cases) {
            SCOPED_TRACE((button->text() + " " + c.text).toStdString());
            w.FormShow();
            fillPerson();
            c.change();
            modals.answer("OK");
            modals.clear();
            button->click();
            ASSERT_EQ(modals.boxes().size(), 1u);
            EXPECT_EQ(modals.boxes()[0].text, c.text);
            EXPECT_EQ(modals.boxes()[0].title, "Eroare!");
            EXPECT_EQ(w.focusWidget()->objectName(), c.focus);
            EXPECT_TRUE(w.isVisible());
        }
    }
    EXPECT_TRUE(invoices().isEmpty());
    EXPECT_TRUE(receipts().isEmpty());
    EXPECT_EQ(counters(), "7|3");
    EXPECT_EQ(report.previewWindow(), nullptr);
}

TEST_F(InvoiceTest, OnlyAnIssuedInvoiceOfTheCompanyBlocksItsNumberAndTheInputStays) {
    t.exec(
        "insert into facturi (codfiscal,nrfactura,data,suma,felfactura) "
        "values('RO1','57','2004-03-01',10,'I')");
    t.exec(
        "insert into facturi (codfiscal,nrfactura,data,suma,felfactura) "
        "values('RO2','58','2004-03-01',10,'E')");
    for (const char* number : {"57", "58"}) {
        fillPerson();
        type(w.ui.Edit2, number);
        modals.answer("Da");
        w.ui.BitBtn3->click();
    }
    EXPECT_EQ(t.rows("select nrfactura from facturi where felfactura='E' and codfiscal='RO1'"),
              QStringList({"57", "58"}));

    // Both ways of finishing refuse 57 now; nothing typed is lost and no preview opens.
    for (QPushButton* button : {w.ui.BitBtn3, w.ui.BitBtn1}) {
        fillPerson();
        type(w.ui.Edit2, "57");
        type(w.ui.Edit6, "consultanta");
        modals.answer("OK");
        modals.clear();
        button->click();
        EXPECT_EQ(modals.texts(), QStringList{"Factura cu acest numar a mai fost introdusa!"});
        EXPECT_EQ(modals.boxes().at(0).title, "Atentie!");
        EXPECT_TRUE(w.focusWidget() == w.ui.Edit2);
        EXPECT_EQ(w.ui.Edit6->text() + w.ui.Edit8->text() + w.ui.Edit15->text(),
                  "CONSULTANTAION POPESCU119.00");
    }
    EXPECT_EQ(invoices().size(), 4);
    EXPECT_EQ(report.previewWindow(), nullptr);
    EXPECT_EQ(counters(), "59|3");
}

TEST_F(InvoiceTest, PrintingFromThePreviewRecordsOnceHoweverOftenItPrints) {
    QTemporaryDir dir;
    fillPerson();
    chooseFirm("A1");
    withReceipt();
    int previews = 0;
    report::PageModel model;
    modals.handle([&](QWidget* widget) {
        auto* preview = qobject_cast<report::PreviewWindow*>(widget);
        ASSERT_NE(preview, nullptr);
        ++previews;
        model = preview->model();
        EXPECT_TRUE(invoices().isEmpty());  // previewing records nothing
        EXPECT_TRUE(printTo(preview, dir.filePath("tiparit.pdf")));
        EXPECT_TRUE(printTo(preview, dir.filePath("tiparit2.pdf")));
        EXPECT_TRUE(preview->savePdf(dir.filePath("factura.pdf")));
        EXPECT_EQ(invoices().size(), 1);
        click(preview, "Inchidere");
    });
    w.ui.BitBtn1->click();
    ASSERT_EQ(previews, 1);
    EXPECT_EQ(invoices(), QStringList{"RO1|7|05.03.2004|119|100|19|19|1|0|A1|E"});
    EXPECT_EQ(receipts(),
              QStringList{"RO1|05.03.2004|F.7 + CH.3|ONORARIU||119|100|0|12345|incasare|OBS|1"});
    EXPECT_EQ(counters(), "8|4");
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_TRUE(modals.boxes().empty());

    // One page of the pre-printed form; every value at its place, the firm's from its row.
    ASSERT_EQ(model.pageCount(), 1);
    EXPECT_EQ(model.paper, QSizeF(209.0, 153.0));
    const auto& items = model.pages[0].items;
    const auto lowest = std::max_element(items.begin(), items.end(), [](auto& a, auto& b) {
        return a.rect.bottom() < b.rect.bottom();
    });
    EXPECT_LE(lowest->rect.bottom(), 153.0 - 5.0);
    EXPECT_EQ(model.pages[0].find("RLabel7").at(0)->rect, QRectF(67.1, 39.4, 32.0, 4.5));
    EXPECT_EQ(model.pages[0].find("RLabel7").at(0)->font, (report::Font{"Arial Narrow", 8, false}));
    EXPECT_TRUE(
        QRegularExpression("^\\d\\d\\.\\d\\d$").match(printed(model, {"RLabel28"})).hasMatch());
    EXPECT_EQ(printed(model, clientLabels),
              "ZETA SRL|RO300|TIMISOARA|TIMIS|BANCA TRANSILVANIA|RO49BTRL1234|ION POP|TM|123456|"
              "SPCLEP TM|TM 01 ABC");
    EXPECT_EQ(printed(model, invoiceLabels), kInvoicePrinted);
    EXPECT_EQ(printed(model, receiptLabels),
              "3|5.3.2004|ZETA SRL|TIMISOARA|119.00|7/5.3.2004|MARIA POP|CNP 2800101123456");
    EXPECT_EQ(items.size(), 35u);  // 34 labels and the line

    // The PDF holds what the preview showed.
    QProcess pdf;
    pdf.start("pdftotext", {dir.filePath("factura.pdf"), "-"});
    ASSERT_TRUE(pdf.waitForFinished(30000));
    const QString text = QString::fromUtf8(pdf.readAllStandardOutput());
    for (const char* value : {"ZETA SRL", "RO300", "7/5.3.2004", "MARIA POP", "TM 01 ABC"}) {
        EXPECT_TRUE(text.contains(value)) << value;
    }
}

TEST_F(InvoiceTest, APersonsPrintoutRecordsOnlyWhenPrintedOrSavedAndLeavesTheReceiptEmpty) {
    // A receipt printed before must not show on the next printout without one.
    report.setCaption("RLabel9", "99");
    report.setCaption("RLabel34", "ALTUL");
    fillPerson();
    type(w.ui.Edit2, "8");
    report::PageModel model;
    // Closed without printing: nothing recorded, the window stays as it was.
    modals.handle([&](QWidget* preview) {
        model = qobject_cast<report::PreviewWindow*>(preview)->model();
        click(preview, "Inchidere");
    });
    w.ui.BitBtn1->click();
    EXPECT_TRUE(invoices().isEmpty());
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(counters(), "7|3");
    EXPECT_EQ(w.ui.Edit8->text(), "ION POPESCU");
    EXPECT_EQ(
        printed(model, clientLabels),
        "ION POPESCU|CNP 1800101123456|STR. MARE 1|ARAD|||ION POPESCU|AR|123456|SPCLEP ARAD|");
    EXPECT_EQ(printed(model, invoiceLabels), QString(kInvoicePrinted).replace("7|", "8|"));
    EXPECT_EQ(printed(model, receiptLabels), "|||||||");

    // "Salvare PDF" records as printing does.
    QTemporaryDir dir;
    modals.handle([&](QWidget* preview) {
        EXPECT_TRUE(qobject_cast<report::PreviewWindow*>(preview)->savePdf(dir.filePath("f.pdf")));
        click(preview, "Inchidere");
    });
    w.ui.BitBtn1->click();
    EXPECT_EQ(invoices(), QStringList{"RO1|8|05.03.2004|119|100|19|19|0|119|PF 1800101123456|E"});
    EXPECT_TRUE(receipts().isEmpty());
    EXPECT_EQ(counters(), "9|3");
    EXPECT_FALSE(w.isVisible());
}

// The number is checked again when the printout records the invoice: one issued meanwhile (by
// another program on the same books) is refused and nothing is recorded.
TEST_F(InvoiceTest, ANumberIssuedWhileThePreviewIsOpenIsRefusedAtPrinting) {
    fillPerson();
    modals.handle([&](QWidget* preview) {
        t.exec(
            "insert into facturi (codfiscal,nrfactura,data,suma,felfactura) "
            "values('RO1','7','2004-03-01',10,'E')");
        QTemporaryDir dir;
        modals.answer("OK");
        EXPECT_TRUE(qobject_cast<report::PreviewWindow*>(preview)->savePdf(dir.filePath("f.pdf")));
        EXPECT_FALSE(report.Printed);
        click(preview, "Inchidere");
    });
    w.ui.BitBtn1->click();
    EXPECT_EQ(modals.texts(), QStringList{"Factura cu acest numar a mai fost introdusa!"});
    EXPECT_EQ(t.value("select count(*) from facturi"), "1");
    EXPECT_EQ(counters(), "7|3");
    EXPECT_TRUE(w.isVisible());
}

// Another program issued the offered invoice and receipt numbers while the window was open:
// saving gives the next free ones and says so; the window shows them.
TEST_F(InvoiceTest, OfferedNumbersTakenMeanwhileGiveTheNextFreeOnesWhenSaved) {
    fillPerson();
    withReceipt("119");
    ASSERT_EQ(w.ui.Edit2->text() + "/" + w.ui.Edit4->text(), "7/3");
    t.exec(
        "insert into facturi (codfiscal,nrfactura,data,suma,felfactura) "
        "values('RO1','7','2004-03-01',10,'E'),('RO1','8','2004-03-01',10,'E')");
    t.exec("update numere set nrfactura=8, nrchitanta=5 where codfiscal='RO1'");
    modals.answer("OK").answer("OK").answer("Nu");
    w.ui.BitBtn3->click();
    EXPECT_EQ(modals.texts(),
              QStringList({"Numarul 7 a fost folosit intre timp; factura a primit numarul 9.",
                           "Numarul 3 a fost folosit intre timp; chitanta a primit numarul 5.",
                           "Mai introduceti alte facturi?"}));
    EXPECT_EQ(w.ui.Edit2->text() + "/" + w.ui.Edit4->text(), "9/5");
    EXPECT_EQ(t.value("select count(*) from facturi where nrfactura='9'"), "1");
    EXPECT_EQ(receipts().value(0).section('|', 2, 2), "F.9 + CH.5");
    EXPECT_EQ(counters(), "10|6");
}

TEST_F(InvoiceTest, AFailedRecordingWritesNothingAndKeepsTheWindowAndTheCounters) {
    t.failInserts("operatiuni", "disc plin");
    for (QPushButton* button : {w.ui.BitBtn3, w.ui.BitBtn1}) {
        SCOPED_TRACE(button->text().toStdString());
        w.FormShow();
        fillPerson();
        withReceipt();
        modals.clear();
        if (button == w.ui.BitBtn1) {
            modals.handle([&](QWidget* preview) {
                auto* p = qobject_cast<report::PreviewWindow*>(preview);
                QTemporaryDir dir;
                EXPECT_TRUE(p->savePdf(dir.filePath("f.pdf")));  // the error box shows here
                EXPECT_FALSE(report.Printed);
                click(preview, "Inchidere");
            });
        }
        modals.answer("OK");
        button->click();
        EXPECT_EQ(modals.boxes().size(), 1u);
        EXPECT_EQ(modals.boxes().at(0).title, "Kovaline");
        EXPECT_TRUE(modals.boxes().at(0).text.contains("disc plin"));
        EXPECT_TRUE(invoices().isEmpty());
        EXPECT_TRUE(receipts().isEmpty());
        EXPECT_EQ(counters(), "7|3");
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(w.ui.Edit7->text(), "119.00");
        EXPECT_EQ(w.ui.Edit8->text(), "ION POPESCU");
    }
}

}  // namespace kov::test
