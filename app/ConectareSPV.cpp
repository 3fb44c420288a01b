#include "app/ConectareSPV.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "data/Values.h"
#include "efactura/CallbackListener.h"
#include "efactura/SpvConnection.h"
#include "ui/Messages.h"

namespace {

const QString kTitle = QStringLiteral("Conectare e-Factura");

QLineEdit* edit(const char* name, QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    return e;
}

}  // namespace

TFormConectareSPV::TFormConectareSPV(QWidget* parent)
    : QDialog(parent), OpenBrowser([](const QUrl& url) { QDesktopServices::openUrl(url); }) {
    setObjectName(QStringLiteral("FormConectareSPV"));
    setWindowTitle(kTitle);
    auto* form = new QFormLayout(this);
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->addItems({QStringLiteral("test"), QStringLiteral("productie")});
    Edit1 = edit("Edit1", this);
    Edit2 = edit("Edit2", this);
    Edit2->setEchoMode(QLineEdit::Password);
    Edit3 = edit("Edit3", this);
    Edit3->setPlaceholderText(QStringLiteral("https://localhost:8765/efactura"));
    Edit5 = edit("Edit5", this);
    Edit5->setPlaceholderText(QStringLiteral("adresa din browser dupa autentificare"));
    Label6 = new QLabel(this);
    Label6->setObjectName(QStringLiteral("Label6"));
    form->addRow(QStringLiteral("Mediu:"), ComboBox1);
    form->addRow(QStringLiteral("Client ID:"), Edit1);
    form->addRow(QStringLiteral("Client secret:"), Edit2);
    form->addRow(QStringLiteral("Callback URL:"), Edit3);
    form->addRow(QStringLiteral("Adresa primita:"), Edit5);
    form->addRow(Label6);
    auto* buttons = new QHBoxLayout;
    BitBtn1 = new QPushButton(QStringLiteral("Autorizare"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn2 = new QPushButton(QStringLiteral("Inchidere"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    form->addRow(buttons);
    kov::onEvent(BitBtn1, &QPushButton::clicked, this, &TFormConectareSPV::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

    auto c = kov::efactura::loadConnection();
    ComboBox1->setCurrentIndex(c.production ? 1 : 0);
    Edit1->setText(c.app.clientId);
    Edit2->setText(c.app.clientSecret);
    Edit3->setText(c.app.redirectUri);
    // The authorisation is renewed before it ends, without the user.
    if (c.tokens.valid()) {
        try {
            kov::efactura::freshTokens(c);
        } catch (const kov::efactura::SpvError&) {
            // Shown as it stands; the user may authorise again.
        }
    }
    showValidity();
}

void TFormConectareSPV::showValidity() {
    const auto tokens = kov::efactura::loadConnection().tokens;
    Label6->setText(tokens.valid() ? QStringLiteral("Autorizare valabila pana la %1")
                                         .arg(kov::formatDate(tokens.accessUntil.date()))
                                   : QStringLiteral("Neautorizat"));
}

void TFormConectareSPV::BitBtn1Click() {
    kov::efactura::Connection c = kov::efactura::loadConnection();
    c.production = ComboBox1->currentIndex() == 1;
    c.app = {Edit1->text().trimmed(), Edit2->text().trimmed(), Edit3->text().trimmed()};
    if (c.app.clientId.isEmpty() || c.app.clientSecret.isEmpty() || c.app.redirectUri.isEmpty()) {
        kov::message(QStringLiteral("Completati Client ID, Client secret si Callback URL, asa "
                                    "cum au fost inregistrate pe site-ul platformei."),
                     kTitle);
        return;
    }
    kov::efactura::saveConnection(c);
    QString code = kov::efactura::codeFromAddress(Edit5->text());
    if (code.isEmpty()) {
        const QUrl callback(c.app.redirectUri);
        OpenBrowser(kov::efactura::authorizeUrl(c.app));
        if (!kov::efactura::isLocalCallback(callback)) {
            kov::inform(QStringLiteral("Autentificati-va in browser cu certificatul calificat, "
                                       "apoi copiati adresa la care a ajuns browserul in campul "
                                       "\"Adresa primita\" si apasati din nou Autorizare."),
                        kTitle);
            return;
        }
        QString error;
        code = kov::efactura::waitForCode(callback, ListenMs, &error);
        if (code.isEmpty()) {
            kov::message(error.isEmpty() ? QStringLiteral("Browserul nu a adus codul de "
                                                          "autorizare. Reincercati.")
                                         : error,
                         kTitle);
            return;
        }
    }
    try {
        c.tokens = kov::efactura::exchangeCode(c.app, code);
        kov::efactura::saveConnection(c);
    } catch (const kov::efactura::SpvError& e) {
        kov::message(e.message(), kTitle);
        return;
    }
    Edit5->clear();
    showValidity();
    kov::inform(QStringLiteral("Conexiunea e-Factura este autorizata."), kTitle);
}
