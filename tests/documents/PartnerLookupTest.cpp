#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include "ui/Globals.h"
#include "data/Values.h"
#include "reference/Adaugfirma.h"
#include "documents/PartnerLookup.h"
#include "tests/Support.h"

namespace kov::test {

namespace {

// A document window as the real ones plug into the lookup: its own handlers forward to it.
class HostWindow : public QDialog {
  public:
    HostWindow(bool invoiceLike) {
        auto* layout = new QVBoxLayout(this);
        GroupBox1 = new QGroupBox(this);
        auto* lists = new QVBoxLayout(GroupBox1);
        for (QComboBox** c : {&ComboBox2, &ComboBox3, &ComboBox4}) {
            *c = new QComboBox(GroupBox1);
            lists->addWidget(*c);
        }
        Button2 = new QPushButton(QStringLiteral("Adaugare firma"), GroupBox1);
        lists->addWidget(Button2);
        if (invoiceLike) {
            Button3 = new QPushButton(QStringLiteral("Modificare delegat"), GroupBox1);
            lists->addWidget(Button3);
        }
        layout->addWidget(GroupBox1);
        Edit15 = new QLineEdit(this);
        Other = new QLineEdit(this);
        layout->addWidget(Edit15);
        layout->addWidget(Other);
        const PartnerLookupConfig config =
            invoiceLike ? PartnerLookupConfig{"Date platitor", Edit15, nullptr, true}
                        : PartnerLookupConfig{"Date furnizor", Edit15, Edit15, false};
        partners = new PartnerLookup(
            {GroupBox1, ComboBox2, ComboBox3, ComboBox4, Button2, Button3, {}}, config, this);
        partners->connectHandlers({.ComboBox2Exit = [this] { ComboBox2Exit(); },
                                   .ComboBox3Exit =
                                       [this] {
                                           ++exits;
                                           partners->ComboBox3Exit();
                                       },
                                   .ComboBox4Exit = [this] { partners->ComboBox4Exit(); }});
    }
    void ComboBox2Exit() { partners->ComboBox2Exit(); }

    QGroupBox* GroupBox1;
    QComboBox *ComboBox2, *ComboBox3, *ComboBox4;
    QPushButton* Button2;
    QPushButton* Button3 = nullptr;
    QLineEdit *Edit15, *Other;
    PartnerLookup* partners;
    int exits = 0;
};

class PartnerLookupTest : public ::testing::Test {
  protected:
    void SetUp() override {
        FormAdaugareFirma = &dialog;
        // Sorted by code, fiscal code and name, each list is in another order.
        partner("A1", "RO300", "ZETA SRL", "TIMIS");
        partner("B2", "RO100", "ALFA SRL", "CLUJ");
        partner("C3", "RO200", "ALFA SRL", "ALBA");
        partner("D'4", "RO'400", "O'HARA", "ARAD");
    }
    void TearDown() override { FormAdaugareFirma = nullptr; }

    void partner(const QString& code, const QString& fiscal, const QString& name,
                 const QString& county) {
        t.exec(
            "insert into firme (cod, codfiscal, denumire, loc, judet, contbanca, denbanca, "
            "delegat, biseria, binr, trans, transnr) values(" +
            kov::quoted(code) + "," + kov::quoted(fiscal) + "," + kov::quoted(name) + "," +
            kov::quoted("LOC " + code) + "," + kov::quoted(county) + ",'BANCA','CONT'," +
            kov::quoted("DELEGAT " + code) + ",'AR','1','AUTO','NR')");
    }

    void open(HostWindow& w) {
        w.show();
        activate(w);
        w.Other->setFocus();
        w.partners->load();
    }

    // The offscreen platform gives a window back its activation only when asked.
    static void activate(QWidget& w) {
        QApplication::setActiveWindow(&w);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    }

    static void pick(QComboBox* list, int index) {
        list->setFocus();
        list->setCurrentIndex(index);
        emit list->activated(index);
    }

    static QString details(const PartnerLookup& p) {
        return QStringList({p.COD, p.CODFISCAL, p.DENUMIRE, p.LOC, p.JUDET, p.CONTBANCA, p.DENBANCA,
                            p.DELEGAT, p.BISERIA, p.BINR, p.TRANS, p.TRANSNR})
            .join(u'|');
    }

    static QString selection(const HostWindow& w) {
        return w.ComboBox2->currentText() + u'|' + w.ComboBox3->currentText() + u'|' +
               w.ComboBox4->currentText();
    }

    qsizetype lookups() { return t.db().log().filter("select * from firme where").size(); }

    TempDatabase t;
    Modals modals;
    TFormAdaugareFirma dialog;
};

}  // namespace

TEST_F(PartnerLookupTest, EachListFillsTheDetailsAndSelectsThePartnerInTheOtherTwo) {
    HostWindow w(false);
    open(w);
    EXPECT_EQ(w.GroupBox1->title(), "Date furnizor");
    EXPECT_EQ(w.ComboBox2->itemText(0), "A1");
    EXPECT_EQ(w.ComboBox3->itemText(0), "RO'400");
    EXPECT_EQ(w.ComboBox4->itemText(0), "ALFA SRL");
    EXPECT_EQ(selection(w), "||");

    // By code: every column but the code itself.
    pick(w.ComboBox2, w.ComboBox2->findText("A1"));
    EXPECT_EQ(details(*w.partners),
              "|RO300|ZETA SRL|LOC A1|TIMIS|BANCA|CONT|DELEGAT A1|AR|1|AUTO|NR");
    EXPECT_EQ(selection(w), "A1|RO300|ZETA SRL");
    EXPECT_TRUE(w.focusWidget() == w.Edit15);

    // By fiscal code, with apostrophes in every value: all but the fiscal code.
    w.partners->CODFISCAL = "X";
    pick(w.ComboBox3, w.ComboBox3->findText("RO'400"));
    EXPECT_EQ(details(*w.partners),
              "D'4|X|O'HARA|LOC D'4|ARAD|BANCA|CONT|DELEGAT D'4|AR|1|AUTO|NR");
    EXPECT_EQ(selection(w), "D'4|RO'400|O'HARA");

    // By name: all twelve; two partners of one name both load the first one stored.
    for (int index : {0, 1}) {
        pick(w.ComboBox4, index);
        EXPECT_EQ(details(*w.partners),
                  "B2|RO100|ALFA SRL|LOC B2|CLUJ|BANCA|CONT|DELEGAT B2|AR|1|AUTO|NR");
        EXPECT_EQ(w.ComboBox2->currentText(), "B2");
        EXPECT_EQ(w.ComboBox3->currentText(), "RO100");
        EXPECT_EQ(w.ComboBox4->currentIndex(), index);
    }
    EXPECT_TRUE(modals.boxes().empty());
}

TEST_F(PartnerLookupTest, LeavingAListRunsItsLookupButOpeningItsDropDownDoesNot) {
    HostWindow w(false);
    open(w);
    w.ComboBox3->setFocus();
    const auto before = lookups();
    w.ComboBox3->showPopup();
    w.ComboBox3->hidePopup();
    EXPECT_EQ(lookups(), before);
    activate(w);
    w.ComboBox3->setFocus();

    // The user moves on without picking: an empty value, nothing found, the focus still moves.
    w.Other->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(w.exits, 1);
    EXPECT_EQ(lookups(), before + 1);
    EXPECT_TRUE(t.db().log().contains("select * from firme where codfiscal=''"));
    EXPECT_EQ(details(*w.partners), "|||||||||||");
    EXPECT_TRUE(w.focusWidget() == w.Edit15);

    w.ComboBox3->setFocus();
    w.ComboBox3->setCurrentIndex(w.ComboBox3->findText("RO200"));
    w.Other->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(selection(w), "C3|RO200|ALFA SRL");
    EXPECT_EQ(w.partners->COD, "C3");
    EXPECT_EQ(lookups(), before + 2);  // the lookup's own focus move runs no second one

    // An empty register: nothing to look up, the focus stays where the user put it.
    t.exec("delete from firme");
    w.partners->load();
    EXPECT_EQ(w.ComboBox2->count(), 0);
    w.ComboBox2->setFocus();
    w.Other->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(w.focusWidget() == w.Other);
    EXPECT_EQ(lookups(), before + 2);
}

TEST_F(PartnerLookupTest, AddingAPartnerSelectsItAndCancellingChangesNothing) {
    HostWindow w(false);
    open(w);
    pick(w.ComboBox2, w.ComboBox2->findText("B2"));
    const QString chosen = details(*w.partners);

    // Cancelled: a partner stored meanwhile does not appear, the choice stays.
    partner("E5", "RO500", "ELSEWHERE", "ALBA");
    modals.answer("Renuntare");
    w.Button2->click();
    EXPECT_EQ(w.ComboBox2->count(), 4);
    EXPECT_EQ(selection(w), "B2|RO100|ALFA SRL");
    EXPECT_EQ(details(*w.partners), chosen);

    modals.handle([](QWidget* d) {
        auto* dialog = static_cast<TFormAdaugareFirma*>(d);
        QTest::keyClicks(dialog->ui.Edit1, "n'6");
        QTest::keyClicks(dialog->ui.Edit2, "nou srl");
        QTest::keyClicks(dialog->ui.Edit3, "ro600");
        QTest::keyClicks(dialog->ui.Edit6, "vasile");
        click(dialog, "Adaugare");
    });
    w.Other->setFocus();
    w.Button2->click();
    EXPECT_TRUE(dialog.AddMode);
    EXPECT_EQ(w.ComboBox2->count(), 6);
    EXPECT_EQ(selection(w), "N'6|RO600|NOU SRL");
    EXPECT_EQ(details(*w.partners), "|RO600|NOU SRL||ARAD|||VASILE||||");
    EXPECT_TRUE(w.focusWidget() == w.Edit15);
    EXPECT_EQ(modals.pending(), 0u);
    EXPECT_TRUE(modals.boxes().empty());
}

TEST_F(PartnerLookupTest, InvoiceWindowEditsTheDelegateAndSwitchesItsListsOff) {
    HostWindow w(true);
    open(w);
    EXPECT_EQ(w.GroupBox1->title(), "Date platitor");
    pick(w.ComboBox4, w.ComboBox4->findText("O'HARA"));
    ASSERT_EQ(w.ComboBox2->currentText(), "D'4");

    modals.handle([](QWidget* d) {
        auto* dialog = static_cast<TFormAdaugareFirma*>(d);
        EXPECT_EQ(dialog->ui.Edit1->text(), "D'4");
        EXPECT_EQ(dialog->ui.Edit6->text(), "DELEGAT D'4");
        dialog->ui.Edit6->clear();
        QTest::keyClicks(dialog->ui.Edit6, "ion");
        dialog->ui.BitBtn3->click();
    });
    w.Button3->click();
    EXPECT_FALSE(dialog.AddMode);
    EXPECT_EQ(t.value("select delegat from firme where cod='D''4'"), "ION");
    EXPECT_EQ(w.partners->DELEGAT, "DELEGAT D'4");  // nothing refreshed

    // A refused add leaves NewPartnerCode empty: nothing selected, the focus not moved.
    // Clicked from a later event: a box opened inside a handler could not be answered.
    modals.handle([](QWidget* d) { QTimer::singleShot(0, d, [d] { click(d, "Adaugare"); }); })
        .answer("OK");
    w.Other->setFocus();
    w.Button2->click();
    EXPECT_EQ(modals.texts(), QStringList({"Date incomplete!"}));
    EXPECT_EQ(selection(w), "||");
    EXPECT_TRUE(w.focusWidget() == w.Other);

    pick(w.ComboBox2, 0);
    w.partners->setListsEnabled(false);
    EXPECT_EQ(selection(w), "||");
    EXPECT_FALSE(w.ComboBox3->isEnabled());
    EXPECT_FALSE(w.Button3->isEnabled());
    w.partners->setListsEnabled(true);
    EXPECT_TRUE(w.Button2->isEnabled());
}

}  // namespace kov::test
