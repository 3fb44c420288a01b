#include <gtest/gtest.h>

#include <QApplication>
#include <QDate>
#include <QTest>

#include "data/Values.h"
#include "reports/Selectluna.h"
#include "reports/Selectperioada.h"
#include "tests/Support.h"

using kov::test::Modals;

namespace {

QStringList items(const QComboBox* combo) {
    QStringList out;
    for (int i = 0; i < combo->count(); ++i) {
        out << combo->itemText(i);
    }
    return out;
}

void type(QLineEdit* edit, const QString& text) {
    edit->clear();
    QTest::keyClicks(edit, text);
}

QColor base(const QLineEdit* edit) {
    return edit->palette().color(QPalette::Base);
}

}  // namespace

TEST(SelectLuna, OpensOnTheCurrentMonthAndYearEachTime) {
    const QDate today = QDate::currentDate();
    const QString year = QString::number(today.year());
    TFormSelectLuna dialog;
    Modals modals;
    modals.handle([&](QWidget* w) {
        ASSERT_EQ(w, &dialog);
        EXPECT_EQ(dialog.ui.ComboBox1->currentIndex(), today.month() - 1);
        EXPECT_EQ(dialog.focusWidget(), dialog.ui.ComboBox1);
        const QStringList years = items(dialog.ui.ComboBox2);
        EXPECT_EQ(years.first(), "2002");
        EXPECT_EQ(years.last(), QString::number(today.year() + 1));
        EXPECT_EQ(years.size(), today.year() + 1 - 2002 + 1);
        EXPECT_EQ(dialog.ui.ComboBox2->currentText(), year);
        dialog.ui.ComboBox1->setCurrentIndex(today.month() == 12 ? 0 : 11);
        dialog.ui.ComboBox2->setCurrentIndex(1);
        kov::test::click(w, "Acceptare");
    });
    ASSERT_EQ(dialog.exec(), 1);
    EXPECT_EQ(dialog.SelectedMonth, today.month() == 12 ? 1 : 12);
    EXPECT_EQ(dialog.SelectedYear, 2003);

    // Shown again: back on today, the year list not doubled; a cancel stores nothing.
    modals.handle([&](QWidget* w) {
        EXPECT_EQ(dialog.ui.ComboBox1->currentIndex(), today.month() - 1);
        EXPECT_EQ(dialog.ui.ComboBox2->currentText(), year);
        EXPECT_EQ(dialog.ui.ComboBox2->count(), today.year() + 1 - 2002 + 1);
        dialog.ui.ComboBox2->setCurrentIndex(0);
        kov::test::click(w, "Renuntare");
    });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_EQ(dialog.SelectedYear, 2003);

    modals.handle([&](QWidget* w) { kov::test::click(w, "Acceptare"); });
    ASSERT_EQ(dialog.exec(), 1);
    EXPECT_EQ(dialog.SelectedMonth, today.month());
    EXPECT_EQ(dialog.SelectedYear, today.year());
    EXPECT_TRUE(modals.boxes().empty());
}

TEST(SelectData, OneDayAcceptsEmptyOrValidDatesAsTypedAndRefusesOthers) {
    TFormSelectData dialog;
    Modals modals;
    dialog.show();
    EXPECT_TRUE(dialog.ui.RadioButton1->isChecked());
    EXPECT_TRUE(dialog.ui.Edit3->isEnabled());
    EXPECT_FALSE(dialog.ui.Edit1->isEnabled());
    EXPECT_FALSE(dialog.ui.Button2->isEnabled());
    EXPECT_FALSE(dialog.ui.Label1->isEnabled());
    EXPECT_EQ(base(dialog.ui.Edit3), QApplication::palette().color(QPalette::Base));
    EXPECT_EQ(base(dialog.ui.Edit1), QApplication::palette().color(QPalette::Button));

    for (const QString bad : {"31.02.2004", "12/03/2004", "ieri", "5.3.04"}) {
        modals.answer("OK");
        type(dialog.ui.Edit3, bad);
        dialog.ui.BitBtn4->click();
        ASSERT_TRUE(dialog.isVisible()) << bad.toStdString();
        EXPECT_EQ(dialog.focusWidget(), dialog.ui.Edit3);
        EXPECT_EQ(dialog.DateOn, "");
    }
    ASSERT_EQ(modals.boxes().size(), 4u);
    EXPECT_EQ(modals.boxes()[0].title, "Eroare!");
    EXPECT_EQ(modals.boxes()[0].text, "Data introdusa gresit!");

    type(dialog.ui.Edit3, "5.3.2004");
    dialog.ui.BitBtn4->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 1);
    EXPECT_EQ(dialog.DateOn, "5.3.2004");

    // Shown again the edit starts empty, and empty means no limit.
    dialog.show();
    EXPECT_EQ(dialog.ui.Edit3->text(), "");
    dialog.ui.Button1->click();
    EXPECT_EQ(dialog.ui.Edit3->text(), kov::formatDate(QDate::currentDate()));
    dialog.ui.Edit3->clear();
    dialog.ui.BitBtn4->click();
    EXPECT_EQ(dialog.result(), 1);
    EXPECT_EQ(dialog.DateOn, "");
    EXPECT_EQ(modals.boxes().size(), 4u);
}

TEST(SelectData, RangeStopsAtTheFirstBadEndAndKeepsWhatWasStored) {
    TFormSelectData dialog;
    Modals modals;
    dialog.show();
    dialog.ui.RadioButton2->click();
    ASSERT_TRUE(dialog.ui.Edit1->isEnabled());

    modals.answer("OK");
    type(dialog.ui.Edit1, "1.3.2004");
    type(dialog.ui.Edit2, "32.03.2004");
    dialog.ui.BitBtn4->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.focusWidget(), dialog.ui.Edit2);
    EXPECT_EQ(dialog.DateFrom, "1.3.2004");
    EXPECT_EQ(dialog.DateTo, "");

    modals.answer("OK");
    type(dialog.ui.Edit1, "x");
    type(dialog.ui.Edit2, "31.03.2004");
    dialog.ui.BitBtn4->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.focusWidget(), dialog.ui.Edit1);
    EXPECT_EQ(dialog.DateFrom, "1.3.2004");
    EXPECT_EQ(dialog.DateTo, "");
    EXPECT_EQ(modals.texts(), QStringList({"Data introdusa gresit!", "Data introdusa gresit!"}));

    // A reversed range is taken as typed.
    type(dialog.ui.Edit1, "31.03.2004");
    type(dialog.ui.Edit2, "01.03.2004");
    dialog.ui.BitBtn4->click();
    EXPECT_EQ(dialog.result(), 1);
    EXPECT_EQ(dialog.DateFrom, "31.03.2004");
    EXPECT_EQ(dialog.DateTo, "01.03.2004");

    // Both ends open, through the modal run the report commands use.
    modals.handle([&](QWidget* w) {
        dialog.ui.RadioButton2->click();
        kov::test::click(w, "Acceptare");
    });
    ASSERT_EQ(dialog.exec(), 1);
    EXPECT_FALSE(dialog.ui.RadioButton1->isChecked());
    EXPECT_EQ(dialog.DateFrom, "");
    EXPECT_EQ(dialog.DateTo, "");
}

TEST(SelectData, SwitchingTheModeEmptiesEveryEdit) {
    TFormSelectData dialog;
    dialog.show();
    type(dialog.ui.Edit3, "01.01.2004");
    dialog.ui.RadioButton2->click();
    EXPECT_EQ(dialog.ui.Edit3->text(), "");
    EXPECT_FALSE(dialog.ui.Edit3->isEnabled());
    EXPECT_FALSE(dialog.ui.Button1->isEnabled());
    EXPECT_EQ(base(dialog.ui.Edit3), QApplication::palette().color(QPalette::Button));
    EXPECT_EQ(base(dialog.ui.Edit2), QApplication::palette().color(QPalette::Base));
    EXPECT_TRUE(dialog.ui.Button3->isEnabled());
    EXPECT_TRUE(dialog.ui.Label1->isEnabled());

    dialog.ui.Button2->click();
    type(dialog.ui.Edit2, "02.01.2004");
    EXPECT_EQ(dialog.ui.Edit1->text(), kov::formatDate(QDate::currentDate()));
    dialog.ui.RadioButton1->click();
    EXPECT_TRUE(dialog.ui.RadioButton1->isChecked());
    EXPECT_EQ(dialog.ui.Edit1->text(), "");
    EXPECT_EQ(dialog.ui.Edit2->text(), "");
    EXPECT_FALSE(dialog.ui.Edit2->isEnabled());

    // Back in range mode nothing typed before comes back.
    dialog.ui.RadioButton2->click();
    dialog.ui.BitBtn4->click();
    EXPECT_EQ(dialog.result(), 1);
    EXPECT_EQ(dialog.DateFrom, "");
    EXPECT_EQ(dialog.DateTo, "");
}
