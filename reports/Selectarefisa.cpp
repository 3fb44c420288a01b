#include "reports/Selectarefisa.h"

#include <QDate>

#include "ui/Globals.h"
#include "ui/Messages.h"
#include "data/Query.h"
#include "data/Values.h"
#include "reports/RaportOperatiuniDiverse.h"
#include "reports/ReportCommands.h"

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

// The documents whose month lies from the first month to the last, both included.
QString monthRange(int firstMonth, int firstYear, int lastMonth, int lastYear) {
    return QStringLiteral(
               " and ((month(data)>=%1 and year(data)=%2) or (year(data)>%2))"
               " and ((month(data)<=%3 and year(data)=%4) or (year(data)<%4))")
        .arg(QString::number(firstMonth), QString::number(firstYear), QString::number(lastMonth),
             QString::number(lastYear));
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
    kov::Query q;
    q.setSql("select * from defalcari where tip=" + kov::quoted(CardKind) + " order by denumire");
    for (q.open(); !q.eof(); q.next()) {
        ui.ComboBox1->addItem(q.fieldByName(QStringLiteral("DENUMIRE")).asString());
    }
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
    kov::Query category;
    category.setSql("select * from defalcari where denumire=" + kov::quoted(name) +
                    " and tip=" + kov::quoted(CardKind));
    category.open();
    if (category.eof()) {
        kov::message("Nu exista defalcarea " + name + "!", QStringLiteral("Atentie!"));
        ui.ComboBox1->setFocus();
        return;
    }
    const QString id = QString::number(category.fieldByName(QStringLiteral("ID")).asInteger());
    QString sql = "select * from operatiuni where codfiscal=" + kov::quoted(SelectedFiscalCode) +
                  " and defalcare=" + id;
    const bool oneMonth = ui.RadioButton1->isChecked();
    if (oneMonth) {
        form.setCaption(QStringLiteral("RLabel4"), "privind " + name + " - " +
                                                       ui.ComboBox2->currentText() + u' ' +
                                                       ui.ComboBox3->currentText());
        sql += kov::reports::inMonth(ui.ComboBox2->currentIndex() + 1,
                                     ui.ComboBox3->currentText().toInt());
    } else {
        form.setCaption(QStringLiteral("RLabel4"),
                        "privind " + name + " / " + ui.ComboBox5->currentText() + u' ' +
                            ui.ComboBox4->currentText() + " - " + ui.ComboBox7->currentText() +
                            u' ' + ui.ComboBox6->currentText());
        sql += monthRange(ui.ComboBox5->currentIndex() + 1, ui.ComboBox4->currentText().toInt(),
                          ui.ComboBox7->currentIndex() + 1, ui.ComboBox6->currentText().toInt());
    }
    form.query().setSql(sql + " order by data, nrdoc");
    if (!kov::reports::previewReport(form)) {
        kov::message("Nu exista inregistrari la " + name +
                         (oneMonth ? QStringLiteral(" pe luna selectata!")
                                   : QStringLiteral(" pe perioada selectata!")),
                     QString());
    }
    done(1);
}
