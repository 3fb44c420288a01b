#pragma once
// "Reimprimare factura": an issued invoice, found by its number, shown again on the A4 page
// (the preview records nothing), and the legal basis of a 0 % invoice set after the fact.

#include <optional>

#include "books/Settlement.h"
#include "ui/FormBase.h"
#include "ui_Reimprimarefactura.h"

class TFormReimprimareFactura : public kov::FormDialog {
    Q_OBJECT
  public:
    explicit TFormReimprimareFactura(QWidget* parent = nullptr);
    Ui::TFormReimprimareFactura ui;

    void FormShow() override;
    void BitBtn1Click();  // Previzualizare
    void BitBtn2Click();  // Salvare temei

  private:
    // The issued invoice with the typed number, chosen among several; nothing after a refusal
    // or a cancelled choice.
    std::optional<kov::InvoiceEntry> chosen();
};
