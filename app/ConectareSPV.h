#pragma once
// "Conectare e-Factura": the application the user registered on the platform (environment,
// client id, secret, callback address) and its authorisation. "Autorizare" opens the browser on
// the sign-in page; the code comes back to a local listener when the callback address is on
// this computer, otherwise from the address the user pastes.

#include <QDialog>
#include <QUrl>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TFormConectareSPV : public QDialog {
    Q_OBJECT
  public:
    explicit TFormConectareSPV(QWidget* parent = nullptr);

    QComboBox* ComboBox1 = nullptr;  // test / productie
    QLineEdit* Edit1 = nullptr;      // client id
    QLineEdit* Edit2 = nullptr;      // client secret
    QLineEdit* Edit3 = nullptr;      // callback URL
    QLineEdit* Edit5 = nullptr;      // the address the browser reached, pasted
    QLabel* Label6 = nullptr;        // until when the authorisation holds
    QPushButton* BitBtn1 = nullptr;  // Autorizare
    QPushButton* BitBtn2 = nullptr;  // Inchidere

    // Opens the system browser; replaceable in tests.
    std::function<void(const QUrl&)> OpenBrowser;
    int ListenMs = 120000;  // how long the local listener waits for the browser

    void BitBtn1Click();

  private:
    void showValidity();
};
