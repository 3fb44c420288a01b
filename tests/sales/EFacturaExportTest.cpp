// e-Factura files from the books: the data the file needs kept by the windows, the invoice
// window's "Salvare e-Factura" and the "Export e-Factura" command, checked by the national
// validator where it is installed.
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QTest>

#include "app/Datefirma.h"
#include "data/Settings.h"
#include "reports/Selectperioada.h"
#include "sales/Facturi.h"
#include "tests/app/AppFixture.h"
#include "tests/efactura/EFacturaCheck.h"

namespace kov::test {

namespace {

class EFacturaExportTest : public AppTest {
  protected:
    void SetUp() override {
        prepareDatabase({{"PFA", "ALFA CONSULT SRL", "1234567"}});
        start();
        showMain();
        ASSERT_EQ(SelectedFiscalCode, "1234567");
        runSql(
            "insert into firme (COD,DENUMIRE,CODFISCAL,ADRESA,LOC,JUDET) values "
            "('B1','BETA IMPEX SRL','RO7654321','STR. LUNGA NR. 2','BUCURESTI','BUC.SECTOR 3'),"
            "('G1','GAMA SRL','RO7654321','','DEJ','CLUJ')");
        runSql("insert into numere (CODFISCAL,NRFACTURA,NRCHITANTA) values ('1234567',1,1)");
    }
    static void choose(QComboBox* list, const QString& text) {
        const int index = list->findText(text);
        list->setCurrentIndex(index);
        emit list->activated(index);
    }
    // The own company's data through "Date firma", as the user types them.
    void fillCompany(const QString& iban) {
        FormDateFirma->show();
        Ui::TFormDateFirma& ui = FormDateFirma->ui;
        typeText(ui.Edit1, "j02/100/2001");
        typeText(ui.Edit2, "bd. revolutiei nr. 5");
        typeText(ui.Edit3, "arad");
        ui.ComboBox1->setCurrentIndex(ui.ComboBox1->findText("ARAD"));
        typeText(ui.Edit4, iban);
        typeText(ui.Edit5, "banca transilvania");
        ui.BitBtn1->click();
    }
    // Answers the folder dialog with this folder.
    void pickFolder(const QString& folder) {
        modals.handle([folder](QWidget* w) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            if (!dialog) {
                ADD_FAILURE() << "not the folder dialog: " << w->metaObject()->className() << " "
                              << w->windowTitle().toStdString();
                static_cast<QDialog*>(w)->reject();
                return;
            }
            dialog->setDirectory(folder);
            auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
            ASSERT_NE(name, nullptr);
            name->setText(folder);
            static_cast<QDialog*>(dialog)->accept();
        });
    }
    static QStringList files(const QString& folder) {
        QStringList out;
        for (const QString& name : QDir(folder).entryList(QDir::Files, QDir::Name)) {
            out << QDir(folder).filePath(name);
        }
        return out;
    }
    static void expectValid(const QStringList& paths) {
        if (!validatorPresent()) {
            std::cout << "e-Factura validator not found: files not validated\n";
            return;
        }
        EXPECT_EQ(nationalFindings(paths), "");
    }
};

// The tests whose files go through the national validator.
class EFacturaExportConformance : public EFacturaExportTest {};

const QString kHint =
    "\n\nDatele firmei proprii se completeaza din Fisier - Date firma, ale clientului din "
    "fereastra firmei (Modificare delegat).";

}  // namespace

TEST_F(EFacturaExportTest, DateFirmaKeepsTheSellerDataAndRefusesAWrongIban) {
    const struct {
        const char* iban;
        QStringList boxes;
        const char* stored;  // CONT afterwards
    } cases[] = {{"RO49 AAAA 1B31 0075 9384 0001", {"Contul introdus nu este un IBAN valid!"}, ""},
                 {"ro49 aaaa 1b31 0075 9384 0000", {}, "RO49AAAA1B31007593840000"}};
    for (const auto& c : cases) {
        modals.clear();
        if (!c.boxes.isEmpty()) {
            modals.answer("OK");
        }
        fillCompany(c.iban);
        EXPECT_EQ(modals.texts(), c.boxes);
        EXPECT_EQ(FormDateFirma->isVisible(), !c.boxes.isEmpty());
        FormDateFirma->hide();
        EXPECT_EQ(rows("select NRJ, SEDIU, LOC, JUDET, CONT, BANCA from datefirma"),
                  QStringList{c.boxes.isEmpty()
                                  ? QString("J02/100/2001|BD. REVOLUTIEI NR. 5|ARAD|ARAD|") +
                                        c.stored + "|BANCA TRANSILVANIA"
                                  : QString("|||||")});
    }
    // Shown again, the dialog holds what was saved.
    FormDateFirma->show();
    EXPECT_EQ(FormDateFirma->ui.Edit3->text(), "ARAD");
    EXPECT_EQ(FormDateFirma->ui.ComboBox1->currentText(), "ARAD");
    EXPECT_EQ(FormDateFirma->ui.Edit4->text(), "RO49AAAA1B31007593840000");
    FormDateFirma->hide();
}

// Invoices issued through the window with "Salvare e-Factura": the line's text and the person
// stay with the invoice, and the file written passes the national validator.
TEST_F(EFacturaExportConformance, SalvareEFacturaRecordsTheInvoiceAndWritesAValidFile) {
    fillCompany("RO49AAAA1B31007593840000");
    QTemporaryDir folder;
    const struct {
        bool person;
        const char* date;
        const char* amount;
        const char* rate;
        bool receipt;
    } cases[] = {{false, "05.10.2025", "1002.50", "21", false},
                 {true, "06.10.2025", "100.55", "11", true}};
    for (const auto& c : cases) {
        TFormFactura* w = FormFactura;
        w->show();
        typeText(w->ui.Edit1, c.date);
        typeText(w->ui.Edit6, "consultanta fiscala");
        if (c.person) {
            w->ui.RadioButton2->click();
            typeText(w->ui.Edit8, "ion o'neil");
            typeText(w->ui.Edit9, "str. mare 1");
            typeText(w->ui.Edit18, "rm. vilcea");
            w->ui.ComboBox1->setCurrentIndex(w->ui.ComboBox1->findText("VILCEA"));
            typeText(w->ui.Edit10, "1800101123456");
        } else {
            w->ui.RadioButton1->click();
            choose(w->ui.ComboBox2, "B1");
        }
        typeText(w->ui.Edit13, c.rate);
        typeText(w->ui.Edit5, c.amount);
        if (c.receipt) {
            w->ui.CheckBox1->click();
            w->ui.ComboBox5->setCurrentIndex(-1);
        }
        modals.clear();
        if (!c.receipt) {
            pickFolder(folder.path());  // the first time only: the folder is kept
        }
        modals.answer("OK").answer("Nu");
        w->ui.BitBtn4->click();
        EXPECT_EQ(modals.texts(),
                  QStringList({"A fost scris 1 fisier e-Factura in " + folder.path() + ".",
                               "Mai introduceti alte facturi?"}));
        EXPECT_EQ(modals.boxes().at(0).icon, QMessageBox::Information);
        EXPECT_EQ(modals.pending(), 0u);
        EXPECT_FALSE(w->isVisible());
    }
    EXPECT_EQ(rows("select NRFACTURA, CODCLIENT, SUMA, EXPLICATIE, NUMEPF, ADRESAPF, LOCPF, "
                   "JUDETPF, CNPPF from facturi order by rowid"),
              QStringList({"1|B1|1213.03|CONSULTANTA FISCALA|||||",
                           "2|PF 1800101123456|111.61|CONSULTANTA FISCALA|ION O'NEIL|STR. MARE 1|"
                           "RM. VILCEA|VILCEA|1800101123456"}));
    EXPECT_EQ(rows("select typeof(NUMEPF) from facturi where NRFACTURA='1'"), QStringList{"null"});
    const QStringList written = files(folder.path());
    EXPECT_EQ(written, QStringList({folder.filePath("1_2025-10-05.xml"),
                                    folder.filePath("2_2025-10-06.xml")}));
    const QString cash = QString::fromUtf8([&] {
        QFile f(folder.filePath("2_2025-10-06.xml"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }());
    EXPECT_TRUE(cash.contains("<cbc:PaymentMeansCode>10</cbc:PaymentMeansCode>"))
        << cash.toStdString();
    EXPECT_TRUE(cash.contains("<cbc:CityName>RM. VILCEA</cbc:CityName>"));
    expectValid(written);
}

// The command over a period: one file per invoice of the period, an existing file kept when the
// user says so, and an invoice the platform would refuse listed with the partner and field.
TEST_F(EFacturaExportConformance, ExportOverAPeriodWritesTheValidFilesAndListsTheRefusedOne) {
    fillCompany("RO49AAAA1B31007593840000");
    const QString insert =
        "insert into facturi (CODFISCAL,NRFACTURA,DATA,SUMA,FARATVA,PROCENTTVA,TVA,PLATIT,"
        "RESTANT,CODCLIENT,FELFACTURA,EXPLICATIE,NUMEPF,ADRESAPF,LOCPF,JUDETPF,CNPPF,TEMEI) "
        "values ";
    runSql(insert +
           "('1234567','F 10','2025-10-01',121,100,21,21,0,121,'B1','E','ONORARIU',null,null,"
           "null,null,null,null),"
           "('1234567','F 11','2025-10-02',119.5,107.66,11,11.84,0,119.5,'G1','E','ONORARIU',"
           "null,null,null,null,null,null),"
           "('1234567','F 12','2025-10-03',50,50,0,0,0,50,'PF ','E','CHIRIE','ANA POP',"
           "'STR. A 1','DEJ','CLUJ','','SFD'),"
           "('1234567','F 13','2025-10-04',10,10,0,0,0,10,'B1','E','ONORARIU',null,null,null,"
           "null,null,'SFD'),"
           "('1234567','F 9','2025-09-30',10,10,0,0,0,10,'B1','E','ONORARIU',null,null,null,null,"
           "null,null),"
           "('1234567','X 1','2025-10-02',10,10,0,0,0,10,'B1','I',null,null,null,null,null,"
           "null,null)");
    // Recorded before the person's data and the line's text were kept: the text is found on its
    // receipt, the person is missing.
    runSql(insert +
           "('1234567','F 14','2025-10-05',100,100,0,0,1,0,'PF 1800101123456','E',null,null,"
           "null,null,null,null,'SFD')");
    runSql(
        "insert into operatiuni (CODFISCAL,DATA,NRDOC,FELOPERATIE,EXPLICATIE,SUMA,FARATVA,TIP) "
        "values ('1234567','2025-10-05','F.F 14 + CH.3','ONORARIU','',100,100,'incasare')");
    QTemporaryDir folder;
    QFile old(folder.filePath("F 13_2025-10-04.xml"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("vechi") == 5);
    old.close();

    modals.handle([](QWidget* w) {
        auto* period = qobject_cast<TFormSelectData*>(w);
        ASSERT_NE(period, nullptr);
        period->ui.RadioButton2->click();
        period->ui.Edit1->setText("01.10.2025");
        period->ui.Edit2->setText("31.10.2025");
        period->ui.BitBtn4->click();
    });
    pickFolder(folder.path());
    modals.answer("Nu").answer("OK");
    FormMain->action("ExporteFactura1")->trigger();
    ASSERT_EQ(modals.texts().size(), 2);
    EXPECT_EQ(modals.texts()[0],
              "Fisierul " + folder.filePath("F 13_2025-10-04.xml") + " exista deja. Il inlocuiti?");
    EXPECT_EQ(modals.texts()[1],
              "Au fost scrise 2 fisiere e-Factura in " + folder.path() +
                  ".\nFisiere existente pastrate: 1.\n\nNu au putut fi exportate:\n"
                  "Factura F 11 din 02.10.2025:\n  Clientul \"GAMA SRL\": lipseste adresa.\n"
                  "Factura F 14 din 05.10.2025:\n  Persoana fizica: lipseste numele.\n"
                  "  Persoana fizica: lipseste adresa.\n  Persoana fizica: lipseste judetul.\n"
                  "  Persoana fizica: lipseste localitatea." +
                  kHint);
    EXPECT_EQ(modals.boxes()[1].title, "Export e-Factura");
    EXPECT_EQ(modals.boxes()[1].icon, QMessageBox::Warning);  // some invoices were left out
    EXPECT_EQ(modals.pending(), 0u);
    QStringList written = files(folder.path());
    EXPECT_EQ(written, QStringList({folder.filePath("F 10_2025-10-01.xml"),
                                    folder.filePath("F 12_2025-10-03.xml"),
                                    folder.filePath("F 13_2025-10-04.xml")}));
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "vechi");
    written.removeAll(folder.filePath("F 13_2025-10-04.xml"));
    expectValid(written);
}

// "Salvare e-Factura" knows its folder before it records: the kept one, or the one picked the
// first time (then kept); a folder that cannot be written refuses with nothing recorded.
TEST_F(EFacturaExportTest, TheFolderIsKnownAndWritableBeforeTheInvoiceIsRecorded) {
    fillCompany("RO49AAAA1B31007593840000");
    QTemporaryDir scratch;
    const QString file = scratch.filePath("fisier");  // a regular file where a folder should be
    QFile(file).open(QIODevice::WriteOnly);
    const QString picked = scratch.filePath("ales");
    const QString later = scratch.filePath("nou/e-Factura");  // made when missing
    QDir().mkpath(picked);
    const QString written = " fisier e-Factura in ";
    const struct {
        const char* name;
        QString kept;
        const char* dialog;  // the folder dialog's answer; nullptr: not shown
        QStringList boxes;
        int invoices;  // recorded so far
        QString keptAfter;
    } cases[] = {
        {"a file in the folder's place",
         file,
         nullptr,
         {"Dosarul e-Factura nu poate fi scris: " + file},
         0,
         file},
        {"a folder under a file",
         file + "/e",
         nullptr,
         {"Dosarul e-Factura nu poate fi scris: " + file + "/e"},
         0,
         file + "/e"},
        {"none kept, the dialog cancelled", "", "cancel", {}, 0, ""},
        {"none kept, one picked",
         "",
         "pick",
         {"A fost scris 1" + written + picked + ".", "Mai introduceti alte facturi?"},
         1,
         picked},
        {"a kept folder not yet made",
         later,
         nullptr,
         {"A fost scris 1" + written + later + ".", "Mai introduceti alte facturi?"},
         2,
         later},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SettingsStore().setValue("EFactura", "Dosar", c.kept);
        TFormFactura* w = FormFactura;
        w->show();
        typeText(w->ui.Edit1, "05.10.2025");
        w->ui.RadioButton1->click();
        choose(w->ui.ComboBox2, "B1");
        typeText(w->ui.Edit5, "100");
        modals.clear();
        if (c.dialog == QStringLiteral("pick")) {
            pickFolder(picked);
        } else if (c.dialog) {
            modals.handle([](QWidget* dialog) { static_cast<QDialog*>(dialog)->reject(); });
        }
        for (qsizetype box = 0; box < c.boxes.size(); ++box) {
            modals.answer(box == 0 ? "OK" : "Nu");
        }
        w->ui.BitBtn4->click();
        EXPECT_EQ(modals.texts(), c.boxes);
        EXPECT_EQ(modals.pending(), 0u);
        if (!c.boxes.isEmpty()) {
            EXPECT_EQ(modals.boxes()[0].icon,
                      c.invoices > 0 ? QMessageBox::Information : QMessageBox::Warning);
        }
        EXPECT_EQ(rows("select count(*) from facturi").value(0).toInt(), c.invoices);
        EXPECT_EQ(SettingsStore().value("EFactura", "Dosar"), c.keptAfter);
        w->hide();
    }
    EXPECT_EQ(files(picked).size(), 1);
    EXPECT_EQ(files(later).size(), 1);
}

}  // namespace kov::test
