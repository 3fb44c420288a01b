// Report command figures: from the menu command to the first page of the preview, for a sales
// journal of 5,000 invoices in one month among 60,000 of five companies, and for the
// cumulative cards over 40 categories and 50,000 operations. The month dialog is answered as
// soon as it shows. The journal's fill is timed beside the same rows made by one set-based
// statement, the floor a row-by-row fill is measured against.
//
// With a folder argument it writes instead one PDF, XLSX and CSV of every report from a realistic
// month there (ledger card over a range, lists for a range and a day), for looking at the pages.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>

#include "bench/ServerSchema.h"
#include "books/Journals.h"
#include "data/Database.h"
#include "data/Query.h"
#include "data/Values.h"
#include "report_engine/Layout.h"
#include "report_engine/PreviewWindow.h"
#include "reports/CashRegister.h"
#include "reports/CumulativeCards.h"
#include "reports/DocumentLists.h"
#include "reports/Journals.h"
#include "reports/RaportChitante.h"
#include "reports/RaportFacturi.h"
#include "reports/RaportFiseCumulate.h"
#include "reports/RaportJurCumpN.h"
#include "reports/RaportJurVanzN.h"
#include "reports/RaportJurnal.h"
#include "reports/RaportOperatiuniDiverse.h"
#include "reports/Selectarefisa.h"
#include "reports/Selectluna.h"
#include "reports/Selectperioada.h"
#include "ui/Globals.h"
#include "ui/Progress.h"

using namespace kov;

namespace {

QRandomGenerator rng(2004);

void exec(const QString& sql) {
    Query q;
    q.setSql(sql);
    q.execSql();
}

void company(const QString& code, const QString& name, int tva) {
    exec("insert into datefirma (descriere,nume,codfiscal,tva) values('S.C.'," + quoted(name) +
         u',' + quoted(code) + u',' + QString::number(tva) + u')');
}

void partners(int n) {
    static const char* names[] = {"CONSTRUCT", "AGRO", "TRANS", "COM", "SERV", "DESIGN", "MED"};
    for (int i = 1; i <= n; ++i) {
        exec(QStringLiteral("insert into firme (COD,DENUMIRE,CODFISCAL) values('P%1','%2 "
                            "%3 S.R.L.','RO%4')")
                 .arg(i)
                 .arg(QLatin1String(names[i % 7]))
                 .arg(i)
                 .arg(1000000 + i * 37));
    }
}

void invoice(const QString& kind, const QString& code, int number, const QDate& date,
             const QString& client, double base, double rate) {
    const double vat = roundAmount(base * rate * 0.01);
    exec(
        "insert into facturi (CODFISCAL,NRFACTURA,DATA,SUMA,FARATVA,PROCENTTVA,TVA,PLATIT,"
        "RESTANT,CODCLIENT,FELFACTURA) values(" +
        quoted(code) + u',' + quoted(QString::number(number)) + u',' + quoted(isoDate(date)) +
        u',' + formatAmount(base + vat) + u',' + formatAmount(base) + u',' + plainNumber(rate) +
        u',' + formatAmount(vat) + ",1,0.00," + quoted(client) + u',' + quoted(kind) + u')');
}

void operation(const QString& code, const QDate& date, const QString& nrdoc, const QString& what,
               const QString& tip, int bank, double sum, double base, int category,
               int registru = 1) {
    exec(
        "insert into operatiuni (CODFISCAL,DATA,NRDOC,FELOPERATIE,EXPLICATIE,SUMA,FARATVA,BANCA,"
        "DEFALCARE,TIP,OBSERVATII,REGISTRU) values(" +
        quoted(code) + u',' + quoted(isoDate(date)) + u',' + quoted(nrdoc) + u',' + quoted(what) +
        ",''," + formatAmount(sum) + u',' + formatAmount(base) + u',' + QString::number(bank) +
        u',' + QString::number(category) + u',' + quoted(tip) + ",''," + QString::number(registru) +
        u')');
}

// CPU time of the process: the wall clock alone says little on a machine that is busy.
double cpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double amount() {
    return rng.bounded(1000, 500000) / 100.0;
}

double rate() {
    const int r = rng.bounded(10);
    return r < 7 ? 19 : (r < 9 ? 9 : 0);
}

// Answers whatever modal window shows next with the action for its kind.
class Answers {
  public:
    Answers() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            QWidget* w = QApplication::activeModalWidget();
            if (w && w != busy_ && w->isVisible() && action) {
                busy_ = w;
                action(w);
                busy_ = nullptr;
            }
        });
        timer_.start(0);
    }
    std::function<void(QWidget*)> action;

  private:
    QTimer timer_;
    QWidget* busy_ = nullptr;
};

void pickMonth(QWidget* w, int month, int year) {
    if (w == FormSelectLuna) {
        FormSelectLuna->ui.ComboBox1->setCurrentIndex(month - 1);
        FormSelectLuna->ui.ComboBox2->setCurrentText(QString::number(year));
        FormSelectLuna->BitBtn1Click();
    }
}

// The sales journal's rows for March 2004 of RO1 in one statement: the same partner look-up,
// rate columns and order as the fill, with amounts in plain notation.
const char* const kJournalAnchor =
    "insert into registru (DATA,NRFACTURA,DENUMIRE,CODFISCAL,SUMA,SCUTITTVA,FARATVA,VALTVA,"
    "FARATVA9,VALTVA9) "
    "select strftime('%d.%m.%Y',f.DATA), f.NRFACTURA, coalesce(p.DENUMIRE,'Persoana fizica'), "
    "coalesce(p.CODFISCAL,substr(f.CODCLIENT,4)), printf('%.2f',f.SUMA), "
    "case when f.PROCENTTVA=0 then printf('%.2f',f.SUMA) else '' end, "
    "case when f.PROCENTTVA=19 then printf('%.2f',f.FARATVA) else '' end, "
    "case when f.PROCENTTVA=19 then printf('%.2f',f.TVA) else '' end, "
    "case when f.PROCENTTVA not in (0,19) then printf('%.2f',f.FARATVA) else '' end, "
    "case when f.PROCENTTVA not in (0,19) then printf('%.2f',f.TVA) else '' end "
    "from facturi f left join firme p on p.COD=f.CODCLIENT "
    "where f.FELFACTURA='E' and f.CODFISCAL='RO1' and f.DATA>='2004-03-01' and "
    "f.DATA<'2004-04-01' order by f.DATA, f.NRFACTURA, f.CODCLIENT";

// Wall and CPU milliseconds of one call.
struct Timing {
    double wall = 0, cpu = 0;
};

template <class F>
Timing timed(F&& f) {
    QElapsedTimer clock;
    clock.start();
    const double cpu = cpuMs();
    f();
    return {clock.nsecsElapsed() / 1e6, cpuMs() - cpu};
}

int registerRows() {
    Query q;
    q.setSql("select count(*) as N from registru");
    q.open();
    return static_cast<int>(q.fieldByName("N").asInteger());
}

// The anchor's statement is the embedded engine's own SQL: on a server the fill is timed alone.
void journalFill(const char* engine, bool anchored) {
    for (int run = 1; run <= 3; ++run) {
        JournalTotals totals;
        int filled = 0;
        const Timing fill = timed([&] { filled = fillRegister("RO1", u'E', 2004, 3, totals); });
        if (!anchored) {
            std::printf("[%s] sales journal fill, %d of 60,000 invoices: %.1f ms (%.1f ms CPU)\n",
                        engine, filled, fill.wall, fill.cpu);
            continue;
        }
        const Timing anchor = timed([] {
            Transaction t;
            exec("delete from registru");
            exec(kJournalAnchor);
            t.commit();
        });
        std::printf(
            "[%s] sales journal fill, %d of 60,000 invoices: %.1f ms (%.1f ms CPU); set-based "
            "anchor %d rows %.1f ms (%.1f ms CPU); %.1fx the anchor in CPU (target within 3x)\n",
            engine, filled, fill.wall, fill.cpu, registerRows(), anchor.wall, anchor.cpu,
            fill.cpu / std::max(anchor.cpu, 0.001));
    }
}

// The figures of the books at a location: a file or a server's URI.
void benchmarks(const QString& location, const char* engine) {
    Database db(kMainDatabase);
    db.open(location, true);
    {
        Transaction t;
        for (int c = 1; c <= 5; ++c) {
            company(QStringLiteral("RO%1").arg(c), QStringLiteral("FIRMA %1 SRL").arg(c), 1);
        }
        partners(400);
        // 5,000 invoices of RO1 in March 2004, the other 55,000 in other months and companies.
        for (int i = 1; i <= 60000; ++i) {
            const bool march = i <= 5000;
            const int c = march ? 1 : 1 + i % 5;
            const QDate date = march ? QDate(2004, 3, 1 + i % 31)
                                     : QDate(2004, 1 + (i % 2 ? 1 : 3 + i % 9), 1 + i % 28);
            invoice(i % 4 ? "E" : (march ? "E" : "I"), QStringLiteral("RO%1").arg(c), i, date,
                    i % 10 ? QStringLiteral("P%1").arg(1 + i % 400) : "PF 1800101123456", amount(),
                    rate());
        }
        for (int k = 1; k <= 40; ++k) {
            exec(QStringLiteral("insert into defalcari (ID,DENUMIRE,TIP) values(%1,'categoria "
                                "%2','c')")
                     .arg(10000 + k)
                     .arg(k, 2, 10, QChar(u'0')));
        }
        for (int i = 1; i <= 50000; ++i) {
            const double sum = amount();
            operation(QStringLiteral("RO%1").arg(1 + i % 2), QDate(2004, 1 + i % 12, 1 + i % 28),
                      QStringLiteral("CH. %1").arg(i), "PLATA", "plata", 0, sum,
                      roundAmount(sum / 1.19), 10001 + i % 40);
        }
        t.commit();
    }
    db.execute("analyze");
    SelectedFiscalCode = "RO1";
    journalFill(engine, !db.isServer());
    Answers answers;
    for (int run = 1; run <= 3; ++run) {
        answers.action = [](QWidget* w) { pickMonth(w, 3, 2004); };
        const Timing first = timed([] {
            reports::salesJournal();
            QApplication::processEvents();  // the preview paints its first page
        });
        // The pages after the first are laid out while the window is open.
        const Timing rest = timed([] { RaportJurVanzN->previewWindow()->finishLayout(); });
        std::printf(
            "[%s] sales journal, %d lines of 60,000 invoices: %.1f ms to the first page, "
            "%.1f ms CPU (target < 150 ms); the other pages %.1f ms more (%.1f ms CPU), %d "
            "pages\n",
            engine, 5000, first.wall, first.cpu, rest.wall, rest.cpu,
            RaportJurVanzN->previewWindow()->pageCount());
    }
    {
        QElapsedTimer clock;
        clock.start();
        JournalTotals totals;
        fillRegister(SelectedFiscalCode, u'E', 2004, 3, totals);
        const double fill = clock.nsecsElapsed() / 1e6;
        clock.restart();
        RaportJurVanzN->query().open();
        const double open = clock.nsecsElapsed() / 1e6;
        clock.restart();
        report::LayoutJob(*RaportJurVanzN, RaportJurVanzN->query()).advanceTo(1);
        const double firstPage = clock.nsecsElapsed() / 1e6;
        clock.restart();
        RaportJurVanzN->layout();
        std::printf(
            "[%s]   of which: refill %.1f ms, query %.1f ms, first page %.1f ms; all pages at "
            "once %.1f ms\n",
            engine, fill, open, firstPage, clock.nsecsElapsed() / 1e6);
        RaportJurVanzN->query().close();
    }
    for (int run = 1; run <= 3; ++run) {
        QElapsedTimer clock;
        double ms = 0, cpu = 0;
        answers.action = [&](QWidget* w) {
            pickMonth(w, 6, 2004);
            if (auto* preview = qobject_cast<report::PreviewWindow*>(w)) {
                QApplication::processEvents();
                ms = clock.nsecsElapsed() / 1e6;
                cpu = cpuMs() - cpu;
                preview->close();
            }
        };
        clock.start();
        cpu = cpuMs();
        reports::cumulativeCards(u'c');
        std::printf(
            "[%s] cumulative cards, 40 categories over 50,000 operations: %.1f ms to the "
            "first page, %.1f ms CPU (target < 500 ms)\n",
            engine, ms, cpu);
    }
}

void pickDays(QWidget* w, const QString& on, const QString& from, const QString& to) {
    if (w != FormSelectData) {
        return;
    }
    if (on.isEmpty()) {
        FormSelectData->ui.RadioButton2->click();
        FormSelectData->ui.Edit1->setText(from);
        FormSelectData->ui.Edit2->setText(to);
    } else {
        FormSelectData->ui.Edit3->setText(on);
    }
    FormSelectData->BitBtn4Click();
}

// The report as PDF, and beside it as XLSX and CSV, so that the three can be compared.
void save(report::ReportForm& form, const QString& path) {
    auto* preview = form.previewWindow();
    const QString base = path.chopped(4);
    if (!preview || !preview->savePdf(path) || !preview->saveXlsx(base + ".xlsx") ||
        !preview->saveCsv(base + ".csv")) {
        std::printf("no preview for %s\n", qPrintable(path));
        return;
    }
    preview->close();
    std::printf("%s\n", qPrintable(path));
}

// A company's month as it is usually kept: a few dozen invoices and cash documents.
void samples(const QString& folder) {
    QTemporaryDir dir;
    Database db(kMainDatabase);
    db.open(dir.filePath("samples.db"), true);
    {
        Transaction t;
        company("RO1", "ALFA CONSULT SRL", 1);
        partners(30);
        exec(
            "insert into firme (COD,DENUMIRE,CODFISCAL) values('ON','O''NEIL TRADING "
            "S.R.L.','RO7777')");
        static const char* categories[] = {"chirie",   "telefon", "combustibil", "materiale",
                                           "protocol", "salarii", "utilitati",   "onorarii"};
        for (int k = 0; k < 8; ++k) {
            exec(QStringLiteral("insert into defalcari (ID,DENUMIRE,TIP) values(%1,'%2','%3')")
                     .arg(10001 + k)
                     .arg(QLatin1String(categories[k]))
                     .arg(k == 7 ? 'v' : 'c'));
        }
        for (int i = 1; i <= 45; ++i) {
            const QDate date(2004, 3, 1 + (i * 2) % 31);
            const QString client = i % 9 == 0   ? QStringLiteral("PF 1750312123456")
                                   : i % 7 == 0 ? QStringLiteral("ON")
                                                : QStringLiteral("P%1").arg(1 + i % 30);
            invoice("E", "RO1", 1000 + i, date, client, amount(), i % 11 == 0 ? 0 : rate());
            operation("RO1", date, QStringLiteral("F.%1 + CH.%2").arg(1000 + i).arg(500 + i),
                      "ONORARIU", "incasare", 0, 0, 0, 10008);
        }
        for (int i = 1; i <= 14; ++i) {
            invoice("I", "RO1", 7000 + i * 13, QDate(2004, 3, 2 * i), QStringLiteral("P%1").arg(i),
                    amount(), i == 5 ? 0 : rate());
        }
        for (int i = 1; i <= 30; ++i) {
            const double sum = amount();
            const int bank = i % 3 == 0;
            operation(
                "RO1", QDate(2004, 3 - (i % 4 == 0), 1 + i % 28),
                bank ? QStringLiteral("O.P. %1").arg(300 + i) : QStringLiteral("CH. %1").arg(i),
                i % 5 ? "PLATA FURNIZOR" : "PLATA D'ALE CASEI", i % 4 ? "plata" : "incasare", bank,
                sum, roundAmount(sum / 1.19), 10001 + i % 7);
        }
        exec("update operatiuni set suma=119, faratva=100 where suma=0");
        t.commit();
    }
    SelectedFiscalCode = "RO1";
    QDir().mkpath(folder);
    Answers answers;
    answers.action = [](QWidget* w) { pickMonth(w, 3, 2004); };
    reports::salesJournal();
    save(*RaportJurVanzN, folder + "/jurnal-vanzari.pdf");
    reports::purchaseJournal();
    save(*RaportJurCumpN, folder + "/jurnal-cumparari.pdf");
    reports::cashRegister();
    save(*RaportJurnal, folder + "/registru-jurnal.pdf");
    answers.action = [&](QWidget* w) {
        pickMonth(w, 3, 2004);
        if (auto* preview = qobject_cast<report::PreviewWindow*>(w)) {
            preview->savePdf(folder + "/fise-cumulate.pdf");
            std::printf("%s\n", qPrintable(folder + "/fise-cumulate.pdf"));
            preview->close();
        }
    };
    reports::cumulativeCards(u'c');
    answers.action = [](QWidget* w) {
        if (w == FormSelectareFisa) {
            auto& ui = FormSelectareFisa->ui;
            ui.ComboBox1->setCurrentText("chirie");
            ui.RadioButton2->click();
            ui.ComboBox5->setCurrentIndex(1);
            ui.ComboBox4->setCurrentText("2004");
            ui.ComboBox7->setCurrentIndex(2);
            ui.ComboBox6->setCurrentText("2004");
            FormSelectareFisa->BitBtn1Click();
        }
    };
    FormSelectareFisa->CardKind = "c";
    FormSelectareFisa->exec();
    save(*RaportOperatiuniDiverse, folder + "/fisa-operatiuni-diverse.pdf");
    answers.action = [](QWidget* w) { pickDays(w, {}, "1.3.2004", "31.3.2004"); };
    reports::documentList(reports::DocumentList::IssuedInvoices);
    save(*RaportFacturi, folder + "/facturi-emise.pdf");
    reports::documentList(reports::DocumentList::PaidReceipts);
    save(*RaportChitante, folder + "/chitante-achitate.pdf");
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    TFormSelectLuna selectLuna;
    TFormSelectData selectData;
    TFormProgress progress;
    TFormSelectareFisa selectFisa;
    TRaportJurVanzN jurVanz;
    TRaportJurCumpN jurCump;
    TRaportJurnal jurnal;
    TRaportOperatiuniDiverse card;
    TRaportFiseCumulate cumulate;
    TRaportFacturi facturi;
    TRaportChitante chitante;
    FormSelectLuna = &selectLuna;
    FormSelectData = &selectData;
    FormProgress = &progress;
    FormSelectareFisa = &selectFisa;
    RaportJurVanzN = &jurVanz;
    RaportJurCumpN = &jurCump;
    RaportJurnal = &jurnal;
    RaportOperatiuniDiverse = &card;
    RaportFiseCumulate = &cumulate;
    RaportFacturi = &facturi;
    RaportChitante = &chitante;
    if (argc > 1) {
        samples(QString::fromLocal8Bit(argv[1]));
    } else {
        QTemporaryDir dir;
        benchmarks(dir.filePath(QStringLiteral("bench.db")), "fisier");
        // The same books on a server, when one is named, in the same run.
        const bench::ServerSchema server;
        if (!server.uri().isEmpty()) {
            benchmarks(server.uri(), "server");
        }
    }
    return 0;
}
