#pragma once
// "Stare e-Factura": the selected company's issued invoices of a period with their state on the
// e-Factura platform and the last day they may reach it; the late ones marked. "Actualizare"
// asks the platform about the pending ones.

#include <QDate>
#include <QDialog>

class QLineEdit;
class QPushButton;
class QTableWidget;

class TFormStareEFactura : public QDialog {
    Q_OBJECT
  public:
    explicit TFormStareEFactura(QWidget* parent = nullptr);

    QLineEdit* Edit1 = nullptr;  // from (dd.mm.yyyy)
    QLineEdit* Edit2 = nullptr;  // to
    QTableWidget* StringGrid1 = nullptr;
    QPushButton* BitBtn1 = nullptr;  // Actualizare
    QPushButton* BitBtn2 = nullptr;  // Afisare
    QPushButton* BitBtn3 = nullptr;  // Inchidere

    // The day the deadlines are measured against; today, replaceable in tests.
    QDate Today = QDate::currentDate();

    void fill();          // the invoices of the period, with their states
    void BitBtn1Click();  // Actualizare
};
