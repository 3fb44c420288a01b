#include "maintenance/Stergeredocument.h"

#include <QHash>
#include <algorithm>
#include <vector>

#include "ui/Globals.h"
#include "ui/Input.h"
#include "ui/Messages.h"
#include "data/Query.h"
#include "data/Values.h"
#include "maintenance/Selectaredocument.h"

using kov::quoted;

namespace {

const QString kNoReceipt = QStringLiteral("Nu are");

// Rows removed by one kind of document: the number as typed, behind the kind's prefix.
struct Target {
    QString table;
    QString column;
    QString prefix;
};

// The kinds in the order of the radio buttons, with the list that "Selectare" shows.
struct DocumentKind {
    QString listSql;  // completed by the quoted fiscal code and the order
    QString order;
    QString numberColumn;
    int prefixLength;  // cut from the stored number in the list
    bool invoices;     // the list shows the partner rather than the explanation
    std::vector<Target> targets;
};

const std::array<DocumentKind, 5>& kinds() {
    static const QString notPrefixed = QStringLiteral(
        "select * from operatiuni where nrdoc not like 'CH. %' and nrdoc not like 'O.P. %' and "
        "nrdoc not like 'BF. %' and nrdoc not like 'F.%' and codfiscal=");
    static const std::array<DocumentKind, 5> all{{
        {"select * from facturi where nrfactura not like 'BF.%' and codfiscal=",
         " order by data, nrfactura",
         "NRFACTURA",
         0,
         true,
         {{"facturi", "nrfactura", ""}}},
        {"select * from facturi where nrfactura like 'BF.%' and codfiscal=",
         " order by data, nrfactura",
         "NRFACTURA",
         4,
         true,
         {{"facturi", "nrfactura", "BF. "}, {"operatiuni", "nrdoc", "BF. "}}},
        {"select * from operatiuni where nrdoc like 'O.P. %' and codfiscal=",
         " order by data, nrdoc",
         "NRDOC",
         5,
         false,
         {{"operatiuni", "nrdoc", "O.P. "}}},
        {"select * from operatiuni where nrdoc like 'CH. %' and codfiscal=",
         " order by data, nrdoc",
         "NRDOC",
         4,
         false,
         {{"operatiuni", "nrdoc", "CH. "}}},
        {notPrefixed, " order by data, nrdoc", "NRDOC", 0, false, {{"operatiuni", "nrdoc", ""}}},
    }};
    return all;
}

QString companyCondition() {
    return " and codfiscal=" + quoted(SelectedFiscalCode);
}

QString whereNumber(const Target& target, const QString& number) {
    return " where " + target.column + "=" + quoted(target.prefix + number) + companyCondition();
}

int countRows(const QString& sql) {
    kov::Query q;
    q.setSql(sql);
    q.open();
    return q.recordCount();
}

void run(const QString& sql) {
    kov::Query q;
    q.setSql(sql);
    q.execSql();
}

// A private person's code stands for itself; a firm is shown by its name.
class PartnerNames {
  public:
    QString of(const QString& code) {
        if (code.left(2) == QLatin1String("PF")) {
            return code;
        }
        const auto it = names_.constFind(code);
        if (it != names_.constEnd()) {
            return *it;
        }
        kov::Query q;
        q.setSql("select * from firme where cod=" + quoted(code));
        q.open();
        const QString name =
            q.eof() ? QString() : q.fieldByName(QStringLiteral("DENUMIRE")).asString();
        names_.insert(code, name);
        return name;
    }

  private:
    QHash<QString, QString> names_;
};

}  // namespace

TFormStergere::TFormStergere(QWidget* parent) : kov::FormDialog(parent) {
    ui.setupUi(this);
    rows_ = {{{ui.RadioButton1, ui.Label1, ui.Edit1, ui.Button1},
              {ui.RadioButton2, ui.Label3, ui.Edit3, ui.Button3},
              {ui.RadioButton3, ui.Label4, ui.Edit4, ui.Button4},
              {ui.RadioButton4, ui.Label5, ui.Edit5, ui.Button5},
              {ui.RadioButton5, ui.Label6, ui.Edit6, ui.Button6}}};
    using F = TFormStergere;
    const std::array<void (F::*)(), 5> radios{&F::RadioButton1Click, &F::RadioButton2Click,
                                              &F::RadioButton3Click, &F::RadioButton4Click,
                                              &F::RadioButton5Click};
    const std::array<void (F::*)(), 5> buttons{&F::Button1Click, &F::Button3Click, &F::Button4Click,
                                               &F::Button5Click, &F::Button6Click};
    for (size_t i = 0; i < rows_.size(); ++i) {
        kov::onEvent(rows_[i].radio, &QRadioButton::clicked, this, radios[i]);
        kov::onEvent(rows_[i].button, &QPushButton::clicked, this, buttons[i]);
    }
    kov::onEvent(ui.CheckBox1, &QCheckBox::clicked, this, &F::CheckBox1Click);
    kov::onEvent(ui.BitBtn4, &QPushButton::clicked, this, &F::BitBtn4Click);
    connect(ui.BitBtn5, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormStergere::FormShow() {
    ui.RadioButton1->setChecked(true);
    choose(0);
    ui.Edit1->setFocus();
}

// Disabled edits take the button face, so that the row in use stands out.
void TFormStergere::setEditable(QLabel* label, QLineEdit* edit, bool editable) {
    label->setEnabled(editable);
    edit->setEnabled(editable);
    kov::shade(edit, editable ? kov::Shade::Window : kov::Shade::ButtonFace);
}

void TFormStergere::choose(size_t kind) {
    for (size_t i = 0; i < rows_.size(); ++i) {
        setEditable(rows_[i].label, rows_[i].edit, i == kind);
        rows_[i].button->setEnabled(i == kind);
        rows_[i].edit->clear();
    }
    ui.CheckBox1->setEnabled(kind == 0);
    ui.CheckBox1->setChecked(false);
    setEditable(ui.Label2, ui.Edit2, false);
    ui.Edit2->clear();
}

void TFormStergere::RadioButton1Click() {
    choose(0);
}
void TFormStergere::RadioButton2Click() {
    choose(1);
}
void TFormStergere::RadioButton3Click() {
    choose(2);
}
void TFormStergere::RadioButton4Click() {
    choose(3);
}
void TFormStergere::RadioButton5Click() {
    choose(4);
}

void TFormStergere::pick(size_t kind) {
    const DocumentKind& k = kinds()[kind];
    FormSelectareDocument->clearRows();
    kov::Query q;
    q.setSql(k.listSql + quoted(SelectedFiscalCode) + k.order);
    q.open();
    PartnerNames partners;
    for (; !q.eof(); q.next()) {
        const QString counterpart =
            k.invoices ? partners.of(q.fieldByName(QStringLiteral("CODCLIENT")).asString())
                       : q.fieldByName(QStringLiteral("FELOPERATIE")).asString();
        FormSelectareDocument->addRow(q.fieldByName(k.numberColumn).asString().mid(k.prefixLength),
                                      q.fieldByName(QStringLiteral("DATA")).asString(),
                                      counterpart);
    }
    if (FormSelectareDocument->exec() == 1) {
        rows_[kind].edit->setText(FormSelectareDocument->ChosenNumber);
    }
}

void TFormStergere::Button1Click() {
    pick(0);
    CheckBox1Click();
}
void TFormStergere::Button3Click() {
    pick(1);
}
void TFormStergere::Button4Click() {
    pick(2);
}
void TFormStergere::Button5Click() {
    pick(3);
}
void TFormStergere::Button6Click() {
    pick(4);
}

void TFormStergere::CheckBox1Click() {
    const bool ticked = ui.CheckBox1->isChecked();
    setEditable(ui.Label2, ui.Edit2, ticked);
    ui.Edit2->clear();
    if (!ticked || ui.Edit1->text().isEmpty()) {
        return;
    }
    for (const QString& marker : {QStringLiteral("CH."), QStringLiteral("BF.")}) {
        kov::Query q;
        q.setSql("select * from operatiuni where nrdoc like " +
                 quoted("F." + ui.Edit1->text() + " + " + marker + "%") + companyCondition());
        q.open();
        if (!q.eof()) {
            const QString number = q.fieldByName(QStringLiteral("NRDOC")).asString();
            ui.Edit2->setText(number.mid(number.indexOf(marker) + marker.size()));
            return;
        }
    }
    ui.Edit2->setText(kNoReceipt);
    ui.Edit2->setEnabled(false);
}

// Deletes the document of one kind whose number its edit holds. A number shared by several
// documents (twelve monthly "CHIRIE" payments) is only deleted once the user agrees.
void TFormStergere::remove(size_t kind) {
    const QString number = rows_[kind].edit->text();
    if (number.isEmpty()) {
        return;
    }
    const DocumentKind& k = kinds()[kind];
    int count = 0;
    for (const Target& t : k.targets) {
        count = std::max(count, countRows("select * from " + t.table + whereNumber(t, number)));
    }
    if (count > 1 &&
        kov::message("Vor fi sterse " + QString::number(count) + " documente cu numarul " + number +
                         ". Continuati?",
                     QStringLiteral("Atentie!"), kov::Buttons::YesNo) != kov::Answer::Yes) {
        return;
    }
    kov::Transaction unit;
    for (const Target& t : k.targets) {
        run("delete from " + t.table + whereNumber(t, number));
    }
    const QString receipt = ui.Edit2->text();
    if (kind == 0 && ui.CheckBox1->isChecked() && !receipt.isEmpty() && receipt != kNoReceipt) {
        run("delete from operatiuni where (nrdoc=" + quoted("F." + number + " + CH." + receipt) +
            " or nrdoc=" + quoted("F." + number + " + BF." + receipt) + ")" + companyCondition());
    }
    unit.commit();
}

void TFormStergere::BitBtn4Click() {
    for (size_t kind = 0; kind < rows_.size(); ++kind) {
        remove(kind);
    }
    if (kov::message(QStringLiteral("Mai stergeti alte documente?"), QString(),
                     kov::Buttons::YesNo) == kov::Answer::Yes) {
        FormShow();
    } else {
        done(1);
    }
}
