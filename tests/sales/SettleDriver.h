#pragma once
// Drives the settling windows as a user does, on a test database of company RO1.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "documents/Alegerefactura.h"
#include "documents/SettleWidgets.h"
#include "documents/SettleWindow.h"
#include "tests/Support.h"
#include "ui/Globals.h"

namespace kov::test {

// Replaces a field's text by typing, so that its key handler runs.
inline void retype(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    if (text.isEmpty()) {
        QTest::keyClick(edit, Qt::Key_Backspace);
    }
    QTest::keyClicks(edit, text);
}

// The statement that rewrites the paid state of the invoice inserted row-th (rowid).
inline QString update(int row, const QString& paid, const QString& owed) {
    return "update facturi set platit=" + paid + ", restant=" + owed +
           " where rowid=" + QString::number(row) + " and codfiscal='RO1'";
}

// The statement that records a movement with these values.
inline QString movement(const QString& values) {
    return "insert into operatiuni (CODFISCAL,DATA,NRDOC,FELOPERATIE,EXPLICATIE,SUMA,FARATVA,"
           "BANCA,DEFALCARE,TIP,OBSERVATII,REGISTRU) values(" +
           values + ")";
}

class SettleTest : public ::testing::Test {
  protected:
    SettleTest() {
        SelectedFiscalCode = QStringLiteral("RO1");
        FormAlegereFactura = &chooser;
    }
    ~SettleTest() override {
        FormAlegereFactura = nullptr;
        SelectedFiscalCode.clear();
    }

    // An invoice of a company ("E" issued, "I" received) owing an amount.
    void invoice(const QString& number, const QString& owed, const QString& kind = "E",
                 int paid = 0, const QString& company = "RO1") {
        t.exec(
            "insert into facturi (CODFISCAL,NRFACTURA,DATA,SUMA,FARATVA,PROCENTTVA,TVA,PLATIT,"
            "RESTANT,CODCLIENT,FELFACTURA) values('" +
            company + "','" + number + "','2007-03-01',500,420.17,19,79.83," +
            QString::number(paid) + "," + owed + ",'C1','" + kind + "')");
    }

    // Date, number, total and listed invoices typed in; the register and category as opened.
    void fill(SettleWindow& w, const QString& total, const QStringList& invoices,
              const QString& number = "7") {
        retype(w.ui.Edit1, "05.03.2007");
        retype(w.ui.Edit2, number);
        retype(w.ui.Edit15, total);
        for (const QString& n : invoices) {
            retype(w.ui.Edit4, n);
            w.ui.BitBtn1->click();
        }
    }

    // The paid flag and outstanding amount of every invoice, by kind and number.
    QStringList invoices() {
        return t.rows(
            "select felfactura, nrfactura, platit, restant from facturi order by "
            "felfactura, nrfactura, codfiscal");
    }

    // The statements that wrote the books, in order.
    QStringList writes() {
        QStringList out;
        for (const QString& sql : t.db().log()) {
            if (sql.startsWith("update facturi") || sql.startsWith("insert into operatiuni")) {
                out << sql;
            }
        }
        return out;
    }

    TempDatabase t;
    Modals modals;
    TFormAlegereFactura chooser;
};

}  // namespace kov::test
