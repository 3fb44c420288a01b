#pragma once
// Issuing an invoice of the selected company to a firm of the partner register or to a private
// person, optionally with a cash receipt. "Salvare" records it at once ("Salvare e-Factura" also
// writes its e-Factura file); "Tiparire" shows the printout, which records it when the user
// prints.

#include <QString>
#include <optional>

#include "documents/AmountFields.h"
#include "sales/RaportFactura.h"
#include "ui/FormBase.h"
#include "ui/VatRateField.h"
#include "ui_Facturi.h"

class PartnerLookup;

class TFormFactura : public kov::FormDialog {
    Q_OBJECT
  public:
    explicit TFormFactura(QWidget* parent = nullptr);
    Ui::TFormFactura ui;
    PartnerLookup* Partners = nullptr;  // the chosen firm's details

    // The numbers to offer next, from numere.
    long long InvoiceCounter = 0;
    long long ReceiptCounter = 0;

    void FormShow() override;
    void Button1Click();
    void RadioButton1Click();
    void RadioButton2Click();
    void CheckBox1Click();
    void Edit5KeyUp();
    void Edit13KeyUp();
    void Edit15KeyUp();
    void Edit5Exit();
    void Edit15Exit();
    void ComboBox2Exit();
    void ComboBox3Exit();
    void ComboBox4Exit();
    void ComboBox2Change() { ComboBox2Exit(); }
    void ComboBox3Change() { ComboBox3Exit(); }
    void ComboBox4Change() { ComboBox4Exit(); }
    void Button2Click();
    void Button3Click();
    void ComboBox5Change();
    void BitBtn1Click();  // Tiparire
    void BitBtn3Click();  // Salvare
    void BitBtn4Click();  // Salvare e-Factura: records, then writes the invoice's file
    void BitBtn6Click();  // Factura A4: the invoice on a whole page, recorded when printed

  private:
    kov::AmountFields amounts() const;
    QList<QWidget*> personFields() const;
    void openingFields();
    void readCounters();
    void tellRenumbered(const QString& document, const QString& offered, const QString& given,
                        QLineEdit* field);
    void clearCashier();
    void setReceiptFields(bool on);
    void followTotal();
    // The checks before recording; the invoice to record, or nothing after a refusal.
    std::optional<kov::PendingInvoice> checked();
    // An issued invoice with the typed number exists: refused, true.
    bool numberUsed();
    QString breakdownValue();
    void fillPrintout(const kov::PendingInvoice& invoice);
    // Shows a printout of the invoice, which records it at its first printing; the window
    // closes once it is recorded.
    void previewRecording(kov::report::ReportForm& form, const kov::PendingInvoice& invoice);
    // The legal basis of a 0 % invoice is chosen only at 0 %, and only by a VAT payer.
    void basisFollowsRate();
    void reset();
    void save(bool eFactura);

    kov::VatRateField* rate_ = nullptr;  // owned by its edit
    bool vatPayer_ = true;               // the selected company, read at each showing
};
