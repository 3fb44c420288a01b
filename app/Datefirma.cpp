#include "app/Datefirma.h"

#include "data/Query.h"
#include "data/Values.h"
#include "efactura/Counties.h"
#include "ui/Globals.h"
#include "ui/Input.h"
#include "ui/Messages.h"

namespace {

// The fields and the columns they hold, in the dialog's order (the county is the list).
struct Bound {
    QLineEdit* Ui::TFormDateFirma::*edit;
    const char* column;
};

const Bound kFields[] = {{&Ui::TFormDateFirma::Edit1, "NRJ"},
                         {&Ui::TFormDateFirma::Edit2, "SEDIU"},
                         {&Ui::TFormDateFirma::Edit3, "LOC"},
                         {&Ui::TFormDateFirma::Edit4, "CONT"},
                         {&Ui::TFormDateFirma::Edit5, "BANCA"}};

// An IBAN as the platform takes it: letters and digits only, 15 to 34 of them, the two check
// digits right (ISO 13616: the rearranged number modulo 97 is 1).
bool validIban(const QString& text) {
    if (text.size() < 15 || text.size() > 34 || !text.at(0).isLetter() || !text.at(1).isLetter()) {
        return false;
    }
    int rest = 0;
    const QString rearranged = text.mid(4) + text.left(4);
    for (const QChar c : rearranged) {
        const char ch = c.toLatin1();
        if (ch >= '0' && ch <= '9') {
            rest = (rest * 10 + (ch - '0')) % 97;
        } else if (ch >= 'A' && ch <= 'Z') {
            rest = (rest * 100 + (ch - 'A' + 10)) % 97;
        } else {
            return false;
        }
    }
    return rest == 1;
}

}  // namespace

TFormDateFirma::TFormDateFirma(QWidget* parent) : kov::FormDialog(parent) {
    ui.setupUi(this);
    ui.ComboBox1->addItems(kov::countyNames());
    for (const Bound& field : kFields) {
        kov::forceUpperCase(ui.*field.edit);
    }
    kov::onEvent(ui.BitBtn1, &QPushButton::clicked, this, &TFormDateFirma::BitBtn1Click);
    connect(ui.BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormDateFirma::FormShow() {
    kov::Query q;
    q.setSql("select * from datefirma where codfiscal=" + kov::quoted(SelectedFiscalCode));
    q.open();
    const auto column = [&q](const char* name) {
        return q.eof() ? QString() : q.fieldByName(QLatin1String(name)).asString();
    };
    ui.Label7->setText(column("NUME") + QStringLiteral("   CF: ") + SelectedFiscalCode);
    for (const Bound& field : kFields) {
        (ui.*field.edit)->setText(column(field.column));
    }
    ui.ComboBox1->setCurrentIndex(
        ui.ComboBox1->findText(column("JUDET"), Qt::MatchExactly | Qt::MatchCaseSensitive));
    ui.Edit1->setFocus();
}

void TFormDateFirma::BitBtn1Click() {
    const QString iban = ui.Edit4->text().remove(QLatin1Char(' '));
    if (!iban.isEmpty() && !validIban(iban)) {
        kov::message(QStringLiteral("Contul introdus nu este un IBAN valid!"),
                     QStringLiteral("Eroare!"));
        ui.Edit4->setFocus();
        return;
    }
    ui.Edit4->setText(iban);
    QStringList sets;
    for (const Bound& field : kFields) {
        sets << QLatin1String(field.column) + u'=' +
                    kov::quoted((ui.*field.edit)->text().trimmed());
    }
    // A county the list does not hold, kept from before, stays unless one is chosen.
    if (ui.ComboBox1->currentIndex() >= 0) {
        sets << "JUDET=" + kov::quoted(ui.ComboBox1->currentText());
    }
    kov::Query q;
    q.setSql("update datefirma set " + sets.join(u',') +
             " where codfiscal=" + kov::quoted(SelectedFiscalCode));
    q.execSql();
    accept();
}
