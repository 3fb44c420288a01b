#pragma once
// A company with one supplier and a few categories, and the driving of a purchase window by
// its component names: type into fields, pick the supplier, save and read what was inserted.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>

#include "ui/Globals.h"
#include "tests/Support.h"

namespace kov::test {

inline const QString kInvoice = QStringLiteral(
    "insert into facturi (CODFISCAL,NRFACTURA,DATA,SUMA,FARATVA,PROCENTTVA,TVA,PLATIT,RESTANT,"
    "CODCLIENT,FELFACTURA) values('RO1',");
inline const QString kPayment = QStringLiteral(
    "insert into operatiuni (CODFISCAL,DATA,NRDOC,FELOPERATIE,EXPLICATIE,SUMA,FARATVA,BANCA,"
    "DEFALCARE,TIP,OBSERVATII,REGISTRU) values('RO1',");

class PurchaseTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SelectedFiscalCode = QStringLiteral("RO1");
        t.exec("insert into firme (cod,codfiscal,denumire) values('A1','RO300','ZETA SRL')");
    }
    void TearDown() override { SelectedFiscalCode.clear(); }

    void category(int id, const QString& name, const char* kind = "c") {
        t.exec(QStringLiteral("insert into defalcari (id,denumire,tip) values(%1,'%2','%3')")
                   .arg(id)
                   .arg(name, QLatin1String(kind)));
    }

    // Shows the window active, so that leaving a field runs its exit handler.
    static void open(QWidget& w) {
        w.show();
        QApplication::setActiveWindow(&w);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    }

    template <class T = QLineEdit>
    static T* part(QWidget& w, const char* name) {
        T* found = w.findChild<T*>(QLatin1String(name));
        EXPECT_TRUE(found) << name;
        return found;
    }

    // Types as the user does: the field emptied, then key by key.
    static void type(QWidget& w, const char* name, const QString& text) {
        QLineEdit* edit = part(w, name);
        edit->setFocus();
        edit->clear();
        QTest::keyClicks(edit, text);
    }

    static void click(QWidget& w, const char* name) { part<QAbstractButton>(w, name)->click(); }

    // Picks the supplier by name; the lookup selects the code and the fiscal code.
    static void pickSupplier(QWidget& w) {
        auto* names = part<QComboBox>(w, "ComboBox4");
        const int index = names->findText(QStringLiteral("ZETA SRL"));
        names->setCurrentIndex(index);
        emit names->activated(index);
    }

    // Saves with the given answer to the question for another document; the inserts made.
    QStringList save(QWidget& w, const char* button = "BitBtn3", const char* next = "Nu") {
        t.db().clearLog();
        modals.answer(QLatin1String(next));
        // Clicked with the mouse, so that the field being left runs its exit handler first.
        QTest::mouseClick(part<QAbstractButton>(w, button), Qt::LeftButton);
        return inserts();
    }

    QStringList inserts() { return t.db().log().filter(QRegularExpression("^insert into")); }

    TempDatabase t;
    Modals modals;
};

}  // namespace kov::test
