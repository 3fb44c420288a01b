#include "tests/reports/ReportFixture.h"

#include <QTest>

#include "data/Values.h"
#include "report_engine/PreviewWindow.h"
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

namespace kov::test {

namespace {

template <class T>
void make(T*& global) {
    global = new T;
}
template <class T>
void drop(T*& global) {
    delete global;
    global = nullptr;
}

}  // namespace

ReportTest::ReportTest() {
    make(FormSelectLuna);
    make(FormSelectData);
    make(FormProgress);
    make(FormSelectareFisa);
    make(RaportJurVanzN);
    make(RaportJurCumpN);
    make(RaportJurnal);
    make(RaportOperatiuniDiverse);
    make(RaportFiseCumulate);
    make(RaportFacturi);
    make(RaportChitante);
    SelectedFiscalCode = "RO100";
    db.exec(
        "insert into datefirma (descriere,nume,codfiscal,tva) values('S.C.','ALFA "
        "SRL','RO100',1)");
    db.exec(
        "insert into datefirma (descriere,nume,codfiscal,tva) values('','BETA "
        "SRL','RO200',1)");
}

ReportTest::~ReportTest() {
    drop(RaportChitante);
    drop(RaportFacturi);
    drop(RaportFiseCumulate);
    drop(RaportOperatiuniDiverse);
    drop(RaportJurnal);
    drop(RaportJurCumpN);
    drop(RaportJurVanzN);
    drop(FormSelectareFisa);
    drop(FormProgress);
    drop(FormSelectData);
    drop(FormSelectLuna);
    SelectedFiscalCode.clear();
}

void ReportTest::pickMonth(int month, int year) {
    modals.handle([month, year](QWidget* w) {
        FormSelectLuna->ui.ComboBox1->setCurrentIndex(month - 1);
        FormSelectLuna->ui.ComboBox2->setCurrentText(QString::number(year));
        click(w, "Acceptare");
    });
}

void ReportTest::pickDay(const QString& day) {
    modals.handle([day](QWidget* w) {
        QTest::keyClicks(FormSelectData->ui.Edit3, day);
        click(w, "Acceptare");
    });
}

void ReportTest::pickRange(const QString& from, const QString& to) {
    modals.handle([from, to](QWidget* w) {
        FormSelectData->ui.RadioButton2->click();
        QTest::keyClicks(FormSelectData->ui.Edit1, from);
        QTest::keyClicks(FormSelectData->ui.Edit2, to);
        click(w, "Acceptare");
    });
}

void ReportTest::invoice(const QString& kind, const QString& number, const QString& date,
                         const QString& client, double base, double rate, const QString& company) {
    const double vat = roundAmount(base * rate * 0.01);
    db.exec(
        "insert into facturi (CODFISCAL,NRFACTURA,DATA,SUMA,FARATVA,PROCENTTVA,TVA,PLATIT,"
        "RESTANT,CODCLIENT,FELFACTURA) values(" +
        quoted(company) + u',' + quoted(number) + u',' + quoted(storedDate(date)) + u',' +
        formatAmount(base + vat) + u',' + formatAmount(base) + u',' + plainNumber(rate) + u',' +
        formatAmount(vat) + ",0," + formatAmount(base + vat) + u',' + quoted(client) + u',' +
        quoted(kind) + u')');
}

void ReportTest::operation(const QString& date, const QString& nrdoc, const QString& tip, int banca,
                           double suma, double faratva, int registru, int defalcare,
                           const QString& what, const QString& company) {
    db.exec(
        "insert into operatiuni (CODFISCAL,DATA,NRDOC,FELOPERATIE,EXPLICATIE,SUMA,FARATVA,"
        "BANCA,DEFALCARE,TIP,OBSERVATII,REGISTRU) values(" +
        quoted(company) + u',' + quoted(storedDate(date)) + u',' + quoted(nrdoc) + u',' +
        quoted(what) + ",''," + formatAmount(suma) + u',' + formatAmount(faratva) + u',' +
        QString::number(banca) + u',' + QString::number(defalcare) + u',' + quoted(tip) +
        ",'OBS'," + QString::number(registru) + u')');
}

bool ReportTest::saidOnly(const QString& message, const QString& title) {
    if (message.isEmpty()) {
        EXPECT_TRUE(modals.boxes().empty()) << modals.texts().join(", ").toStdString();
        return false;
    }
    EXPECT_EQ(modals.texts(), QStringList{message});
    if (!modals.boxes().empty()) {
        EXPECT_EQ(modals.boxes()[0].title, title);
    }
    return true;
}

std::vector<QStringList> detailLines(const report::PageModel& model) {
    std::vector<QStringList> out;
    for (const report::Page& page : model.pages) {
        double top = -1;
        for (const report::PlacedItem* item : page.fromBand(report::BandKind::Detail)) {
            if (!item->isText()) {
                continue;
            }
            if (item->rect.top() != top) {
                top = item->rect.top();
                out.emplace_back();
            }
            out.back() << item->text;
        }
    }
    return out;
}

QString textOf(const report::PageModel& model, const QString& name) {
    for (auto page = model.pages.rbegin(); page != model.pages.rend(); ++page) {
        const auto found = page->find(name);
        if (!found.empty()) {
            return found.front()->text;
        }
    }
    return "(none)";
}

report::PageModel previewed(report::ReportForm& form) {
    return form.previewWindow() ? form.previewWindow()->model() : report::PageModel{};
}

}  // namespace kov::test
