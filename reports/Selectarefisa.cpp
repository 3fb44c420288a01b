#include "reports/Selectarefisa.h"

#include <QDate>

#include "books/Cards.h"
#include "books/Categories.h"
#include "books/Periods.h"
#include "reports/RaportOperatiuniDiverse.h"
#include "reports/ReportCommands.h"
#include "ui/Globals.h"
#include "ui/Messages.h"

namespace {

// The first year the books can hold; the lists run to next year.
constexpr int kFirstYear = 2002;

void fillYears(QComboBox* combo) {
    combo->clear();
    for (int year = kFirstYear; year <= QDate::currentDate().year() + 1; ++year) {
        combo->addItem(QString::number(year));
    }
}

void setCurrent(QComboBox* month, QComboBox* year) {
    const QDate today = QDate::currentDate();
    month->setCurrentIndex(today.month() - 1);
    year->setCurrentIndex(year->findText(QString::number(today.year())));
}

}  // namespace

TFormSelectareFisa::TFormSelectareFisa(QWidget* parent) : kov::FormDialog(parent) {
    ui.setupUi(this);
    setFixedSize(sizeHint().expandedTo(size()));
    kov::onEvent(ui.RadioButton1, &QRadioButton::clicked, this,
                 &TFormSelectareFisa::RadioButton1Click);
    kov::onEvent(ui.RadioButton2, &QRadioButton::clicked, this,
                 &TFormSelectareFisa::RadioButton2Click);
    kov::onEvent(ui.BitBtn1, &QPushButton::clicked, this, &TFormSelectareFisa::BitBtn1Click);
    connect(ui.BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormSelectareFisa::FormShow() {
    ui.ComboBox1->clear();
    ui.ComboBox1->addItems(kov::categoryNames(CardKind));
    for (QComboBox* combo : {ui.ComboBox3, ui.ComboBox4, ui.ComboBox6}) {
        fillYears(combo);
    }
    ui.RadioButton1->setChecked(true);
    setMonthMode(true);
    ui.ComboBox1->setCurrentIndex(ui.ComboBox1->count() > 0 ? 0 : -1);
    ui.ComboBox1->setFocus();
}

void TFormSelectareFisa::RadioButton1Click() {
    setMonthMode(ui.RadioButton1->isChecked());
}

void TFormSelectareFisa::RadioButton2Click() {
    setMonthMode(ui.RadioButton1->isChecked());
}

void TFormSelectareFisa::setMonthMode(bool oneMonth) {
    for (QWidget* w : {static_cast<QWidget*>(ui.ComboBox2), static_cast<QWidget*>(ui.ComboBox3),
                       static_cast<QWidget*>(ui.Label3)}) {
        w->setEnabled(oneMonth);
    }
    for (QWidget* w :
         std::initializer_list<QWidget*>{ui.ComboBox4, ui.ComboBox5, ui.ComboBox6, ui.ComboBox7,
                                         ui.Label2, ui.Label4, ui.Label5}) {
        w->setEnabled(!oneMonth);
    }
    // The lists of the other mode show nothing, so that only one period is ever in view.
    if (oneMonth) {
        setCurrent(ui.ComboBox2, ui.ComboBox3);
        for (QComboBox* c : {ui.ComboBox4, ui.ComboBox5, ui.ComboBox6, ui.ComboBox7}) {
            c->setCurrentIndex(-1);
        }
    } else {
        setCurrent(ui.ComboBox5, ui.ComboBox4);
        setCurrent(ui.ComboBox7, ui.ComboBox6);
        ui.ComboBox2->setCurrentIndex(-1);
        ui.ComboBox3->setCurrentIndex(-1);
    }
}

void TFormSelectareFisa::BitBtn1Click() {
    TRaportOperatiuniDiverse& form = *RaportOperatiuniDiverse;
    kov::reports::captionCompany(form, QStringLiteral("RLabel1"), QStringLiteral("RLabel2"));
    const QString name = ui.ComboBox1->currentText();
    const std::optional<long long> category = kov::findCategory(CardKind, name);
    if (!category) {
        kov::message("Nu exista defalcarea " + name + "!", QStringLiteral("Atentie!"));
        ui.ComboBox1->setFocus();
        return;
    }
    QString period;
    const bool oneMonth = ui.RadioButton1->isChecked();
    if (oneMonth) {
        form.setCaption(QStringLiteral("RLabel4"), "privind " + name + " - " +
                                                       ui.ComboBox2->currentText() + u' ' +
                                                       ui.ComboBox3->currentText());
        period =
            kov::inMonth(ui.ComboBox2->currentIndex() + 1, ui.ComboBox3->currentText().toInt());
    } else {
        form.setCaption(QStringLiteral("RLabel4"),
                        "privind " + name + " / " + ui.ComboBox5->currentText() + u' ' +
                            ui.ComboBox4->currentText() + " - " + ui.ComboBox7->currentText() +
                            u' ' + ui.ComboBox6->currentText());
        period =
            kov::monthRange(ui.ComboBox5->currentIndex() + 1, ui.ComboBox4->currentText().toInt(),
                            ui.ComboBox7->currentIndex() + 1, ui.ComboBox6->currentText().toInt());
    }
    form.query().setSql(kov::cardStatement(SelectedFiscalCode, *category, period));
    if (!kov::reports::previewReport(form)) {
        kov::message("Nu exista inregistrari la " + name +
                         (oneMonth ? QStringLiteral(" pe luna selectata!")
                                   : QStringLiteral(" pe perioada selectata!")),
                     QString());
    }
    done(1);
}
