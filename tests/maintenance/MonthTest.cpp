// One month of one company's books kept through the windows, first on a file opened here, then
// on the test's database: every stored row and every printed total must come out the same.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QTest>
#include <algorithm>

#include "data/Schema.h"
#include "data/Settings.h"
#include "documents/RaportFacturaA4.h"
#include "maintenance/Discheta.h"
#include "purchases/Facturiintrare.h"
#include "purchases/Platachitanta.h"
#include "reference/Adaugfirma.h"
#include "reports/CashRegister.h"
#include "reports/Journals.h"
#include "reports/RaportJurCumpN.h"
#include "reports/RaportJurVanzN.h"
#include "reports/RaportJurnal.h"
#include "reports/Selectluna.h"
#include "sales/Facturi.h"
#include "sales/Incasarechitanta.h"
#include "sales/Incasareordine.h"
#include "sales/RaportFactura.h"
#include "tests/reports/ReportFixture.h"
#include "tests/sales/SettleDriver.h"
#include "ui/Progress.h"

namespace kov::test {

namespace {

// A window or report form that the others reach through its global while it lives.
template <class Form>
struct Bound {
    explicit Bound(Form*& global) : global_(global) { global_ = &form; }
    ~Bound() { global_ = nullptr; }
    Form form;

  private:
    Form*& global_;
};

// Every window the month opens, the choices and reports they call on included.
struct Windows {
    Bound<TFormAdaugareFirma> partnerDialog{FormAdaugareFirma};
    Bound<TFormAlegereFactura> chooser{FormAlegereFactura};
    Bound<TRaportFactura> invoicePrint{RaportFactura};
    Bound<TRaportFacturaA4> invoiceA4{RaportFacturaA4};
    Bound<TFormSelectLuna> month{FormSelectLuna};
    Bound<TFormProgress> progress{FormProgress};
    Bound<TRaportJurVanzN> salesJournal{RaportJurVanzN};
    Bound<TRaportJurCumpN> purchaseJournal{RaportJurCumpN};
    Bound<TRaportJurnal> cashRegister{RaportJurnal};
    TFormFactura invoice;
    TFormIncasareChitanta receipt;
    TFormIncasareOrdine order;
    TFormFacturaIntrare purchase;
    TFormPlataChitanta payment;
};

// The company's register, partners, cashier and categories, as set up before the month.
void referenceData() {
    for (const char* sql : {
             "insert into datefirma (descriere,nume,codfiscal,tva) "
             "values('S.C.','ALFA SRL','RO1',1)",
             "insert into numere values('RO1',1,1)",
             "insert into firme (cod,codfiscal,denumire,loc,judet,adresa) values"
             "('A1','RO7654321','BETA IMPEX SRL','BUCURESTI','BUC.SECTOR 3','STR. LUNGA 2'),"
             "('E1','GB987654321','EPSILON LTD','LONDRA','','HIGH STREET 1'),"
             "('S1','RO300','ZETA SRL','TIMISOARA','TIMIS','STR. A 1')",
             "insert into casieri values('MARIA POP','2800101123456')",
             "insert into defalcari values(10001,'ONORARII','v'),(10002,'CHIRIE','c')",
             "insert into iduridefalcari values(10001),(10002)",
         }) {
        runSql(QString::fromLatin1(sql));
    }
}

// Shows a window active, so that leaving a field runs its exit handler.
void open(QWidget& w) {
    w.show();
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
}

class MonthTest : public ::testing::Test {
  protected:
    // The second set of books (another home, another file) of company RO9, with a sale and a
    // paid purchase of October, saved to the floppy folder that both months restore from.
    void makeFloppy() {
        TempHome home;
        SettingsStore().setValue("Drives", "A", floppy.path());
        Database other(kMainDatabase);
        other.open(home.path("alta.db"), true);
        for (const char* sql : {
                 // A partner code these books share with the month's, under another name.
                 "insert into firme (cod,codfiscal,denumire) "
                 "values('A1','RO7654321','BETA SRL'),('P9','RO999','OMEGA SRL')",
                 "insert into facturi (CODFISCAL,NRFACTURA,DATA,SUMA,FARATVA,PROCENTTVA,TVA,"
                 "PLATIT,RESTANT,CODCLIENT,FELFACTURA,EXPLICATIE) values"
                 "('RO9','90','2025-10-28',121.00,100.00,21,21.00,0,121.00,'P9','E','CHIRIE'),"
                 "('RO9','F9','2025-10-16',55.50,50.00,11,5.50,1,0.00,'P9','I','MARFA')",
                 "insert into operatiuni (CODFISCAL,DATA,NRDOC,FELOPERATIE,EXPLICATIE,SUMA,"
                 "FARATVA,BANCA,DEFALCARE,TIP,OBSERVATII,REGISTRU) values"
                 "('RO9','2025-10-16','F.F9 + CH.4','MARFA','',55.50,50.00,0,10002,'plata','',1)",
             }) {
            runSql(QString::fromLatin1(sql));
        }
        SelectedFiscalCode = "RO9";
        Database backup(kBackupDatabase);
        modals.answer("Da").answer("OK");
        saveToFloppy(backup, status());
        ASSERT_EQ(modals.texts().last(), "Copiere incheiata.");
        modals.clear();
    }

    void TearDown() override { SelectedFiscalCode.clear(); }

    StatusLine status() {
        return {[] { return QStringLiteral("ALFA SRL"); }, [](const QString&) {}};
    }

    // The next month dialog picks October 2025.
    void pickOctober() {
        modals.handle([](QWidget* w) {
            FormSelectLuna->ui.ComboBox1->setCurrentIndex(9);
            FormSelectLuna->ui.ComboBox2->setCurrentText("2025");
            click(w, "Acceptare");
        });
    }

    // The month of company RO1 on the main database, whichever it is; keeps the printed totals.
    void runMonth() {
        SettingsStore().setValue("Drives", "A", floppy.path());
        referenceData();
        SelectedFiscalCode = "RO1";
        Windows w;
        issueInvoices(w.invoice);
        collect(w);
        purchase(w);
        {  // the second books come in beside the month's own rows
            Database backup(kBackupDatabase);
            modals.answer("Da").answer("OK");
            loadFromFloppy(backup, status());
            EXPECT_EQ(modals.texts().last(),
                      "Transfer efectuat cu succes\nParteneri cu cod existent pastrati: 1");
        }
        printReports();
        EXPECT_EQ(modals.pending(), 0u);
        EXPECT_TRUE(std::none_of(modals.boxes().begin(), modals.boxes().end(), [](const Box& b) {
            return !b.expected;
        })) << modals.texts().join(" / ").toStdString();
        SelectedFiscalCode.clear();
    }

    // Five invoices, one after another in the window: a firm at 21 %, a person at 11 % with
    // its receipt, an export at 0 % with its basis, and two more for the firm.
    void issueInvoices(TFormFactura& f) {
        struct Sale {
            const char* day;
            const char* client;  // a partner code; empty for the private person
            const char* net;
            const char* rate;
        } const sales[] = {{"06.10.2025", "A1", "1000", "21"},
                           {"07.10.2025", "", "100", "11"},
                           {"08.10.2025", "E1", "500", "0"},
                           {"09.10.2025", "A1", "200", "21"},
                           {"10.10.2025", "A1", "100", "11"}};
        open(f);
        QStringList offered;
        for (const Sale& s : sales) {
            offered << f.ui.Edit2->text();
            typeText(f.ui.Edit1, s.day);
            if (*s.client) {
                f.ui.RadioButton1->click();
                const int index = f.ui.ComboBox2->findText(s.client);
                f.ui.ComboBox2->setCurrentIndex(index);
                emit f.ui.ComboBox2->activated(index);
            } else {
                typeText(f.ui.Edit8, "ion popescu");
                typeText(f.ui.Edit9, "str. mare 1");
                typeText(f.ui.Edit10, "1800101123456");
                f.ui.CheckBox1->click();  // paid at once, by receipt
                f.ui.ComboBox5->setCurrentIndex(0);
                emit f.ui.ComboBox5->activated(0);
            }
            typeText(f.ui.Edit13, s.rate);
            typeText(f.ui.Edit5, s.net);
            if (QString(s.rate) == "0") {
                f.ui.ComboBox7->setCurrentIndex(0);  // export
            }
            f.ui.Edit1->setFocus();
            modals.answer(&s == std::end(sales) - 1 ? "Nu" : "Da");
            f.ui.BitBtn3->click();
        }
        EXPECT_EQ(offered, QStringList({"1", "2", "3", "4", "5"}));
        EXPECT_FALSE(f.isVisible());
    }

    // A receipt for part of the export (3), a bank order settling 4 and 1, and a receipt over
    // what 5 owes, which the user confirms. The collection windows settle at one rate only.
    void collect(Windows& w) {
        struct Collection {
            SettleWindow& window;
            const char* day;
            const char* number;
            const char* total;
            QStringList invoices;
            const char* overpaid;  // the answer to the overpaying question; nullptr: not asked
        } const collections[] = {{w.receipt, "15.10.2025", "2", "200", {"3"}, nullptr},
                                 {w.order, "20.10.2025", "7", "1452", {"4", "1"}, nullptr},
                                 {w.receipt, "22.10.2025", "3", "150", {"5"}, "Da"}};
        for (const Collection& c : collections) {
            c.window.show();
            retype(c.window.ui.Edit1, c.day);
            retype(c.window.ui.Edit2, c.number);
            retype(c.window.ui.Edit15, c.total);
            for (const QString& n : c.invoices) {
                retype(c.window.ui.Edit4, n);
                c.window.ui.BitBtn1->click();
            }
            if (c.overpaid) {
                modals.answer(c.overpaid);
            }
            modals.answer("Nu");
            c.window.ui.BitBtn4->click();
            EXPECT_FALSE(c.window.isVisible()) << c.number;
        }
        EXPECT_EQ(rows(kMainDatabase,
                       "select nrfactura, platit, restant from facturi where felfactura='E' and "
                       "codfiscal='RO1' order by data"),
                  QStringList({"1|1|0", "2|1|0", "3|0|300", "4|1|0", "5|1|0"}));
    }

    // Two supplier invoices, the second partly paid at once; then one receipt pays the rest.
    void purchase(Windows& w) {
        TFormFacturaIntrare& p = w.purchase;
        open(p);
        const struct {
            const char* day;
            const char* number;
            const char* total;
            const char* rate;
            const char* paid;  // by receipt 45; nullptr: owed
        } bought[] = {{"03.10.2025", "f101", "1210", "21", nullptr},
                      {"12.10.2025", "f102", "242", "21", "50"}};
        for (const auto& b : bought) {
            typeText(p.ui.Edit1, b.day);
            typeText(p.ui.Edit2, b.number);
            typeText(p.ui.Edit6, "marfa");
            const int index = p.ui.ComboBox4->findText("ZETA SRL");
            p.ui.ComboBox4->setCurrentIndex(index);
            emit p.ui.ComboBox4->activated(index);
            typeText(p.ui.Edit13, b.rate);
            typeText(p.ui.Edit15, b.total);
            if (b.paid) {
                p.ui.CheckBox1->click();
                typeText(p.ui.Edit4, "45");
                typeText(p.ui.Edit7, b.paid);
            }
            modals.answer(b.paid ? "Nu" : "Da");
            // Clicked with the mouse, so that the field being left runs its exit handler.
            QTest::mouseClick(p.ui.BitBtn3, Qt::LeftButton);
        }
        EXPECT_FALSE(p.isVisible());

        w.payment.show();
        retype(w.payment.ui.Edit1, "25.10.2025");
        retype(w.payment.ui.Edit2, "8");
        retype(w.payment.ui.Edit15, "1402");
        for (const QString n : {"F101", "F102"}) {
            retype(w.payment.ui.Edit4, n);
            w.payment.ui.BitBtn1->click();
        }
        modals.answer("Nu");
        w.payment.ui.BitBtn4->click();
        EXPECT_EQ(rows(kMainDatabase,
                       "select nrfactura, platit, restant from facturi where felfactura='I' and "
                       "codfiscal='RO1' order by data"),
                  QStringList({"F101|1|0", "F102|1|0"}));
    }

    // The sales and purchase journals and the cash register of October: their totals as printed.
    void printReports() {
        const struct {
            void (*command)();
            report::ReportForm* form;
            QStringList labels;
        } reports[] = {
            {reports::salesJournal,
             RaportJurVanzN,
             {"LTotal", "LScutit", "LFaraTVA", "LTVA", "LFaraTVA9", "LTVA9"}},
            {reports::purchaseJournal,
             RaportJurCumpN,
             {"LTotal", "LScutit", "LFaraTVA", "LTVA", "LFaraTVA9", "LTVA9"}},
            {reports::cashRegister, RaportJurnal, {"RLabel8", "RLabel9", "RLabel12", "RLabel13"}},
        };
        for (const auto& r : reports) {
            pickOctober();
            r.command();
            const report::PageModel model = previewed(*r.form);
            QStringList totals;
            for (const QString& label : r.labels) {
                totals << textOf(model, label);
            }
            printed << totals.join(u'|');
        }
    }

    // Every stored row of every table the books keep, sorted here so that no engine's order
    // counts, then the printed totals.
    QStringList snapshot() {
        QStringList out;
        for (const TableInfo& table : schemaCatalogue()) {
            if (scratchTables().contains(table.name)) {
                continue;
            }
            QStringList columns;
            for (const Column& c : table.columns) {
                columns << c.name;
            }
            QStringList stored =
                rows(kMainDatabase, "select " + columns.join(u',') + " from " + table.name);
            std::sort(stored.begin(), stored.end());
            for (const QString& row : stored) {
                out << table.name + ": " + row;
            }
        }
        return out + printed;
    }

    QTemporaryDir floppy;
    Modals modals;
    QStringList printed;
};

}  // namespace

TEST_F(MonthTest, AMonthThroughTheWindowsStoresAndPrintsTheSameOnAFileAndOnTheTestDatabase) {
    makeFloppy();
    QStringList onFile;
    {
        TempHome home;
        Database db(kMainDatabase);
        db.open(home.path("luna.db"), true);
        runMonth();
        onFile = snapshot();
    }
    printed.clear();
    modals.clear();
    TempDatabase t;
    runMonth();
    EXPECT_EQ(snapshot(), onFile);

    // The month did what a month does: the journals' totals, 21 % then 11 %, the restored
    // sale and purchase among them; the register's cash and bank receipts and payments.
    EXPECT_EQ(printed, QStringList({"2,295.00|500.00|1,300.00|273.00|200.00|22.00",
                                    "1,507.50||1,200.00|252.00|50.00|5.50",
                                    "435.14|1,200.00|1,250.00|0.00"}));
    EXPECT_EQ(t.rows("select nrfactura, nrchitanta from numere where codfiscal='RO1'"),
              QStringList({"6|2"}));
    EXPECT_EQ(t.value("select count(*) from facturi where codfiscal='RO1'"), "9");
}

}  // namespace kov::test
