#include "reference/Adaugfirma.h"

#include <QStyle>

#include "data/Query.h"
#include "data/Values.h"
#include "efactura/Counties.h"
#include "ui/Input.h"
#include "ui/Messages.h"

namespace {

const QString kTitle = QStringLiteral("Atentie !");

}  // namespace

OpeningBalance openingBalance(const QString& debit, const QString& credit) {
    OpeningBalance b;
    const auto d = kov::parseNumber(debit);
    b.side = d ? QStringLiteral("D") : QStringLiteral("C");
    b.amount = d.value_or(0);
    if (b.amount == 0) {
        const auto c = kov::parseNumber(credit);
        b.side = c ? QStringLiteral("C") : QStringLiteral("D");
        b.amount = c.value_or(0);
    }
    return b;
}

TFormAdaugareFirma::TFormAdaugareFirma(QWidget* parent) : kov::FormDialog(parent) {
    ui.setupUi(this);
    ui.ComboBox1->addItems(kov::countyNames());
    for (QLineEdit* edit : findChildren<QLineEdit*>()) {
        kov::forceUpperCase(edit);
    }
    ui.BitBtn3->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    ui.BitBtn3->setToolTip(QStringLiteral("Salvare date delegat"));

    kov::onEvent(ui.Edit14, &QLineEdit::textChanged, this, &TFormAdaugareFirma::Edit14Change);
    kov::onEvent(ui.Edit15, &QLineEdit::textChanged, this, &TFormAdaugareFirma::Edit15Change);
    // Both buttons close with OK whatever their handler did; the callers rely on it.
    connect(ui.BitBtn1, &QPushButton::clicked, this, [this] {
        kov::guarded([this] { BitBtn1Click(); });
        accept();
    });
    connect(ui.BitBtn3, &QPushButton::clicked, this, [this] {
        kov::guarded([this] { BitBtn3Click(); });
        accept();
    });
    connect(ui.BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

QList<QWidget*> TFormAdaugareFirma::partnerFields() const {
    return {ui.Edit1, ui.Edit2, ui.Edit3, ui.Edit12, ui.Edit13, ui.Edit14, ui.Edit15};
}

// The address stays open to correction after the partner is added: the e-Factura file needs it.
QList<QWidget*> TFormAdaugareFirma::addressFields() const {
    return {ui.Edit5, ui.Edit4, ui.ComboBox1};
}

QList<QLineEdit*> TFormAdaugareFirma::delegateFields() const {
    return {ui.Edit6, ui.Edit7, ui.Edit8, ui.Edit9, ui.Edit10, ui.Edit11};
}

void TFormAdaugareFirma::FormShow() {
    if (AddMode) {
        for (QLineEdit* edit :
             {ui.Edit1, ui.Edit2, ui.Edit3, ui.Edit4, ui.Edit5, ui.Edit12, ui.Edit13}) {
            edit->clear();
        }
        for (QLineEdit* edit : delegateFields()) {
            edit->clear();
        }
        ui.ComboBox1->setCurrentIndex(1);  // ARAD
    } else {
        kov::Query q;
        q.setSql("select * from firme where cod=" + kov::quoted(ui.Edit1->text()));
        q.open();
        // A code that names no partner leaves the fields empty rather than showing stale data.
        const auto column = [&q](const char* name) {
            return q.eof() ? QString() : q.fieldByName(QLatin1String(name)).asString();
        };
        ui.Edit2->setText(column("DENUMIRE"));
        ui.Edit3->setText(column("CODFISCAL"));
        ui.Edit4->setText(column("LOC"));
        ui.Edit5->setText(column("ADRESA"));
        ui.Edit12->setText(column("CONTBANCA"));
        ui.Edit13->setText(column("DENBANCA"));
        ui.ComboBox1->setCurrentIndex(
            ui.ComboBox1->findText(column("JUDET"), Qt::MatchExactly | Qt::MatchCaseSensitive));
        ui.Edit6->setText(column("DELEGAT"));
        ui.Edit7->setText(column("BISERIA"));
        ui.Edit8->setText(column("BINR"));
        ui.Edit9->setText(column("BIELIB"));
        ui.Edit10->setText(column("TRANS"));
        ui.Edit11->setText(column("TRANSNR"));
        q.close();
    }
    // No opening balance on a fresh showing, whichever the mode.
    ui.Edit14->setText(QStringLiteral("0"));
    ui.Edit15->setText(QStringLiteral("0"));
    for (QWidget* field : partnerFields()) {
        field->setEnabled(AddMode);
    }
    for (QWidget* field : addressFields()) {
        field->setEnabled(true);
    }
    ui.BitBtn1->setEnabled(AddMode);
    ui.BitBtn3->setEnabled(!AddMode);
    ui.BitBtn2->setEnabled(true);
    (AddMode ? ui.Edit1 : ui.Edit6)->setFocus();
}

// A change of one balance side zeroes the other; the zeroing itself does not bounce back, so
// the side the user is typing in keeps its text.
void TFormAdaugareFirma::Edit14Change() {
    if (!settling_ && ui.Edit15->text() != QLatin1String("0")) {
        settling_ = true;
        ui.Edit15->setText(QStringLiteral("0"));
        settling_ = false;
    }
}

void TFormAdaugareFirma::Edit15Change() {
    if (!settling_ && ui.Edit14->text() != QLatin1String("0")) {
        settling_ = true;
        ui.Edit14->setText(QStringLiteral("0"));
        settling_ = false;
    }
}

void TFormAdaugareFirma::BitBtn1Click() {
    if (ui.Edit1->text().isEmpty() || ui.Edit2->text().isEmpty() || ui.Edit3->text().isEmpty()) {
        kov::message(QStringLiteral("Date incomplete!"), kTitle);
        return;
    }
    kov::guardedWith(QStringLiteral("Eroare baza de date!"), kTitle, [this] {
        const QString debit = ui.Edit14->text();
        const QString credit = ui.Edit15->text();
        const OpeningBalance balance = openingBalance(debit, credit);
        kov::Query q;
        q.setSql("select * from firme where cod=" + kov::quoted(ui.Edit1->text()) +
                 " or codfiscal=" + kov::quoted(ui.Edit3->text()));
        q.open();
        if (!q.eof()) {
            q.close();
            kov::message(QStringLiteral("In baza de date exista deja o firma cu acest cod sau cu "
                                        "acelasi cod fiscal. Introduceti un alt cod."),
                         kTitle);
            return;
        }
        // The balances go into the statement bare, as typed: only a number may go there.
        if (!kov::parseNumber(debit) || !kov::parseNumber(credit)) {
            throw kov::DbError(QStringLiteral("Soldul initial nu este un numar."));
        }
        q.setSql(
            "insert into firme (COD,DENUMIRE,DATAULMI,SOLDD,SOLDC,TIPSOLD,SOLD,OBS,CODFISCAL,"
            "LOC,CONTBANCA,DENBANCA,DELEGAT,JUDET,BISERIA,BINR,BIELIB,TRANS,TRANSNR,ADRESA) "
            "values(" +
            kov::quoted(ui.Edit1->text()) + "," + kov::quoted(ui.Edit2->text()) + ",'2003-06-30'," +
            debit + "," + credit + "," + kov::quoted(balance.side) + "," +
            kov::formatAmount(balance.amount) + ",''," + kov::quoted(ui.Edit3->text()) + "," +
            kov::quoted(ui.Edit4->text()) + "," + kov::quoted(ui.Edit12->text()) + "," +
            kov::quoted(ui.Edit13->text()) + "," + kov::quoted(ui.Edit6->text()) + "," +
            kov::quoted(ui.ComboBox1->currentText()) + "," + kov::quoted(ui.Edit7->text()) + "," +
            kov::quoted(ui.Edit8->text()) + "," + kov::quoted(ui.Edit9->text()) + "," +
            kov::quoted(ui.Edit10->text()) + "," + kov::quoted(ui.Edit11->text()) + "," +
            kov::quoted(ui.Edit5->text()) + ")");
        q.execSql();
        NewPartnerCode = ui.Edit1->text();
    });
}

void TFormAdaugareFirma::BitBtn3Click() {
    kov::Query q;
    q.setSql(
        "update firme set DELEGAT=" + kov::quoted(ui.Edit6->text()) + ", BISERIA=" +
        kov::quoted(ui.Edit7->text()) + ", BINR=" + kov::quoted(ui.Edit8->text()) + "," +
        " BIELIB=" + kov::quoted(ui.Edit9->text()) + ", TRANS=" + kov::quoted(ui.Edit10->text()) +
        ", TRANSNR=" + kov::quoted(ui.Edit11->text()) +
        ", ADRESA=" + kov::quoted(ui.Edit5->text()) + ", LOC=" + kov::quoted(ui.Edit4->text()) +
        // A county the list does not hold (typed by an older program) stays unless replaced.
        (ui.ComboBox1->currentIndex() < 0 ? QString()
                                          : ", JUDET=" + kov::quoted(ui.ComboBox1->currentText())) +
        " where cod=" + kov::quoted(ui.Edit1->text()));
    q.execSql();
}
