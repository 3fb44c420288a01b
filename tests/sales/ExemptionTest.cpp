// The legal basis of a 0 % invoice drives its journal column, its e-Factura category and the
// mention on the A4 invoice; the A4 invoice printed from the invoice window records it, the
// reprint records nothing and sets the basis of an older invoice.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTest>

#include "books/InvoiceDocument.h"
#include "books/Journals.h"
#include "documents/Alegerefactura.h"
#include "documents/RaportFacturaA4.h"
#include "efactura/EFacturaSource.h"
#include "report_engine/PreviewWindow.h"
#include "reports/Reimprimarefactura.h"
#include "sales/Facturi.h"
#include "tests/app/AppFixture.h"
#include "tests/efactura/EFacturaCheck.h"

namespace kov::test {

namespace {

class ExemptionTest : public AppTest {
  protected:
    void SetUp() override {
        prepareDatabase({{"PFA", "ALFA CONSULT SRL", "1234567"}});
        start();
        showMain();
        ASSERT_EQ(SelectedFiscalCode, "1234567");
        runSql(
            "update datefirma set NRJ='J02/100/2001', SEDIU='BD. REVOLUTIEI NR. 5', LOC='ARAD', "
            "JUDET='ARAD', CONT='RO49AAAA1B31007593840000', BANCA='BANCA TRANSILVANIA'");
        runSql(
            "insert into firme (COD,DENUMIRE,CODFISCAL,ADRESA,LOC,JUDET,DELEGAT,BISERIA,BINR,"
            "TRANSNR) values "
            "('B1','BETA IMPEX SRL','RO7654321','STR. LUNGA NR. 2','BUCURESTI','BUC.SECTOR 3',"
            "'ION POPESCU','AR','123456','AR-01-ABC'),"
            "('D1','DELTA GMBH','DE123456789','HAUPTSTRASSE 1','ARAD','ARAD','','','',''),"
            "('E1','EPSILON LTD','GB987654321','HIGH STREET 1','ARAD','ARAD','','','','')");
        runSql("insert into numere (CODFISCAL,NRFACTURA,NRCHITANTA) values ('1234567',1,1)");
    }
    // The A4 preview's texts, saved as PDF into the folder, then closed.
    void savePreview(const QString& path, QStringList& texts, QString& title) {
        modals.handle([path, &texts, &title](QWidget* widget) {
            auto* preview = qobject_cast<report::PreviewWindow*>(widget);
            ASSERT_NE(preview, nullptr);
            ASSERT_EQ(preview->pageCount(), 1);
            texts = preview->model().pages[0].texts();
            title = preview->model().title;
            EXPECT_TRUE(preview->savePdf(path));
            click(preview, "Inchidere");
        });
    }
};

// The test whose files go through the national validator.
class ExemptionConformance : public ExemptionTest {};

// The tagged line of the invoice's XML (the category, the reason code).
QString element(const QByteArray& xml, const QString& name) {
    const QString text = QString::fromUtf8(xml);
    const qsizetype at = text.indexOf("<cbc:" + name + ">");
    return at < 0
               ? QString()
               : text.mid(at + name.size() + 6, text.indexOf('<', at + 1) - at - name.size() - 6);
}

}  // namespace

TEST_F(ExemptionConformance, EachBasisGoesToItsColumnItsCategoryAndItsMention) {
    QTemporaryDir dir;
    const struct {
        int basis;           // the list's item; -1: recorded without one, before the basis was kept
        const char* client;  // a partner code, or empty for a private person
        const char* code;    // TEMEI
        const char* journal;  // SCUTITTVA|SCUTITFARA
        const char* category;
        const char* reasonCode;
        const char* mention;
    } cases[] = {
        {0, "E1", "EXP", "100.00|", "G", "VATEX-EU-G",
         "Scutit cu drept de deducere conform art. 294 alin. (1) din Codul fiscal (export)"},
        {1, "D1", "LIC", "100.00|", "K", "VATEX-EU-IC",
         "Scutit cu drept de deducere conform art. 294 alin. (2) din Codul fiscal (livrare "
         "intracomunitara)"},
        {2, "B1", "TI", "100.00|", "AE", "VATEX-EU-AE",
         "Taxare inversa conform art. 331 din Codul fiscal"},
        {3, "", "SFD", "|100.00", "E", "",
         "Scutit fara drept de deducere conform art. 292 din Codul fiscal"},
        {-1, "B1", "", "100.00|", "E", "", "Scutit de TVA"},
    };
    int number = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        ++number;
        QStringList texts;
        QString title;
        if (c.basis < 0) {
            runSql(QStringLiteral("insert into facturi (CODFISCAL,NRFACTURA,DATA,SUMA,FARATVA,"
                                  "PROCENTTVA,TVA,PLATIT,RESTANT,CODCLIENT,FELFACTURA,EXPLICATIE)"
                                  " values ('1234567','%1','2025-10-05',100,100,0,0,0,100,'%2',"
                                  "'E','ONORARIU')")
                       .arg(number)
                       .arg(c.client));
            TFormReimprimareFactura* r = FormReimprimareFactura;
            r->show();
            typeText(r->ui.Edit1, QString::number(number));
            savePreview(dir.filePath("reprint.pdf"), texts, title);
            r->ui.BitBtn1->click();
            EXPECT_EQ(r->ui.ComboBox7->currentIndex(), -1);
            r->hide();
        } else {
            TFormFactura* w = FormFactura;
            w->show();
            typeText(w->ui.Edit1, "05.10.2025");
            if (*c.client) {
                w->ui.RadioButton1->click();
                const int index = w->ui.ComboBox2->findText(c.client);
                w->ui.ComboBox2->setCurrentIndex(index);
                emit w->ui.ComboBox2->activated(index);
            } else {
                typeText(w->ui.Edit8, "ana pop");
                typeText(w->ui.Edit9, "str. mare 1");
                typeText(w->ui.Edit18, "dej");
                w->ui.ComboBox1->setCurrentIndex(w->ui.ComboBox1->findText("CLUJ"));
                typeText(w->ui.Edit10, "2800101123456");
            }
            EXPECT_FALSE(w->ui.ComboBox7->isEnabled());  // at 19 %
            typeText(w->ui.Edit13, "0");
            typeText(w->ui.Edit5, "100");
            ASSERT_TRUE(w->ui.ComboBox7->isEnabled());
            if (c.basis == 0) {  // none chosen: refused, nothing shown
                modals.clear();
                modals.answer("OK");
                w->ui.BitBtn6->click();
                ASSERT_EQ(modals.boxes().size(), 1u);
                EXPECT_EQ(modals.boxes()[0].title, "Eroare!");
                EXPECT_EQ(modals.boxes()[0].text, "Alegeti temeiul scutirii de TVA!");
                EXPECT_EQ(w->focusWidget(), w->ui.ComboBox7);
            }
            w->ui.ComboBox7->setCurrentIndex(c.basis);
            savePreview(dir.filePath("a4.pdf"), texts, title);
            w->ui.BitBtn6->click();
            EXPECT_FALSE(w->isVisible());  // recorded by the PDF save
        }
        EXPECT_EQ(title, QStringLiteral("Factura %1 2025-10-05").arg(number));
        EXPECT_TRUE(texts.contains(c.mention)) << texts.join(" / ").toStdString();
        EXPECT_TRUE(texts.contains("FACTURA"));
        EXPECT_EQ(rows(QStringLiteral("select ifnull(TEMEI,'') from facturi where NRFACTURA='%1'")
                           .arg(number)),
                  QStringList{c.code});

        JournalTotals totals;
        fillRegister("1234567", u'E', 2025, 10, totals);
        EXPECT_EQ(rows(QStringLiteral("select SCUTITTVA, SCUTITFARA from registru where "
                                      "NRFACTURA='%1'")
                           .arg(number)),
                  QStringList{c.journal});

        const auto invoices =
            efactura::issuedInvoices("1234567", efactura::numberCondition(QString::number(number)));
        ASSERT_EQ(invoices.size(), 1u);
        const QByteArray xml = efactura::toXml(invoices[0]);
        EXPECT_TRUE(
            QString::fromUtf8(xml).contains("<cbc:ID>" + QString(c.category) + "</cbc:ID>"));
        EXPECT_EQ(element(xml, "TaxExemptionReasonCode"), c.reasonCode);
        const QStringList problems = efactura::problems(invoices[0]);
        if (c.basis < 0) {
            EXPECT_EQ(problems,
                      QStringList{QStringLiteral(
                                      "Factura %1: lipseste temeiul legal al scutirii de TVA (cota "
                                      "0 %); alegeti-l in \"Reimprimare factura\".")
                                      .arg(number)});
        } else {
            EXPECT_EQ(problems, QStringList());
            QFile file(dir.filePath(efactura::fileName(invoices[0])));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(xml);
        }
    }
    QStringList files;
    for (const QString& name : QDir(dir.path()).entryList({"*.xml"}, QDir::Files, QDir::Name)) {
        files << dir.filePath(name);
    }
    EXPECT_EQ(files.size(), 4);
    if (validatorPresent()) {
        EXPECT_EQ(nationalFindings(files), "");
    }
}

// The reprint records nothing; a number shared by two invoices asks which; the basis set on an
// older 0 % invoice lets it go to the e-Factura file and moves it to its journal column.
TEST_F(ExemptionTest, ReprintRecordsNothingAndSetsTheBasisOfAnOlderInvoice) {
    runSql(
        "insert into facturi (CODFISCAL,NRFACTURA,DATA,SUMA,FARATVA,PROCENTTVA,TVA,PLATIT,RESTANT,"
        "CODCLIENT,FELFACTURA,EXPLICATIE) values "
        "('1234567','7','2025-10-01',119,100,19,19,0,119,'B1','E','ONORARIU'),"
        "('1234567','7','2025-10-02',100,100,0,0,0,100,'B1','E','ONORARIU')");
    const QStringList before = rows("select * from facturi order by rowid");
    TFormReimprimareFactura* r = FormReimprimareFactura;
    r->show();
    typeText(r->ui.Edit1, "7");
    QStringList texts;
    QString title;
    modals.handle([](QWidget* w) {  // the choice window: the second invoice
        auto* choice = qobject_cast<TFormAlegereFactura*>(w);
        ASSERT_NE(choice, nullptr);
        choice->ui.ListView1->setCurrentItem(choice->ui.ListView1->topLevelItem(1));
        choice->ui.BitBtn1->click();
    });
    QTemporaryDir dir;
    savePreview(dir.filePath("f.pdf"), texts, title);
    r->ui.BitBtn1->click();
    EXPECT_EQ(title, "Factura 7 2025-10-02");
    EXPECT_TRUE(texts.contains("Scutit de TVA"));
    EXPECT_EQ(rows("select * from facturi order by rowid"), before);
    EXPECT_EQ(rows("select count(*) from operatiuni"), QStringList{"0"});

    modals.clear();
    modals.handle([](QWidget* w) {
        auto* choice = qobject_cast<TFormAlegereFactura*>(w);
        ASSERT_NE(choice, nullptr);
        choice->ui.ListView1->setCurrentItem(choice->ui.ListView1->topLevelItem(1));
        choice->ui.BitBtn1->click();
    });
    modals.answer("OK");
    r->ui.ComboBox7->setCurrentIndex(3);
    r->ui.BitBtn2->click();
    EXPECT_EQ(modals.texts(), QStringList{"Temeiul scutirii a fost salvat."});
    EXPECT_EQ(rows("select NRFACTURA, PROCENTTVA, ifnull(TEMEI,'') from facturi order by rowid"),
              QStringList({"7|19|", "7|0|SFD"}));
    r->hide();
}

}  // namespace kov::test
