#pragma once
// The window of one receipt or payment order settling several invoices: collections of issued
// invoices and payments of received ones, by cash or by bank. The four menu windows are this
// one with their flow, document and caption.

#include "books/Settlement.h"
#include "ui/FormBase.h"
#include "ui/VatRateField.h"
#include "ui_SettleWindow.h"

struct SettleWindowKind {
    const kov::Flow& flow;
    kov::Document document;
    QString caption;
    bool registerChoice;  // false: every document enters the cash register
};

class SettleWindow : public kov::FormDialog {
    Q_OBJECT
  public:
    explicit SettleWindow(const SettleWindowKind& kind, QWidget* parent = nullptr);
    Ui::SettleWindow ui;

    // Readiness: "Acceptare" is enabled exactly when all four hold.
    bool DateValid = false;
    bool NumberGiven = false;
    bool AmountValid = false;
    bool ListFilled = false;

    void FormShow() override;
    void Button1Click();  // Azi
    void Edit1KeyUp();
    void Edit2KeyUp();
    void Edit15KeyUp();
    void Edit13KeyUp();
    void BitBtn1Click();  // Adaugare
    void BitBtn2Click();  // Stergere
    void ListView1Click();
    void RadioButton5Click();
    void RadioButton6Click();
    void BitBtn4Click();  // Acceptare

  private:
    void reset();
    void splitVat();
    void updateAccept();
    std::vector<kov::ListedInvoice> listed() const;
    // Settles the invoices and writes the document's movement; inside the caller's transaction.
    void record(const std::vector<kov::ListedInvoice>& invoices, double amount, double rate);

    kov::VatRateField* rate_ = nullptr;  // owned by its edit
    const kov::Flow& flow_;
    kov::Document document_;
    bool registerChoice_;
};
