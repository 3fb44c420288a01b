#pragma once
// "Stergere document": deletes one recorded document of the selected company by its number,
// typed or picked from "Selectare document": an invoice with the receipt that settled it at
// issue, a fiscal receipt, a payment order, a receipt or a miscellaneous payment.

#include <array>

#include "ui/FormBase.h"
#include "ui_Stergeredocument.h"

class TFormStergere : public kov::FormDialog {
    Q_OBJECT
  public:
    explicit TFormStergere(QWidget* parent = nullptr);
    Ui::TFormStergere ui;

    void FormShow() override;
    void RadioButton1Click();  // Factura
    void RadioButton2Click();  // Bon fiscal
    void RadioButton3Click();  // Ordin de plata
    void RadioButton4Click();  // Chitanta
    void RadioButton5Click();  // Plati diverse
    void Button1Click();       // the "Selectare" buttons
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();
    void CheckBox1Click();  // looks up the receipt that settled the invoice at issue
    void BitBtn4Click();    // Stergere

  private:
    struct Row {
        QRadioButton* radio;
        QLabel* label;
        QLineEdit* edit;
        QPushButton* button;
    };
    void choose(size_t kind);
    void pick(size_t kind);
    void remove(size_t kind);
    long long pickedId(size_t kind) const;
    void setEditable(QLabel* label, QLineEdit* edit, bool editable);

    std::array<Row, 5> rows_;
    // The document picked from the list for each kind, while its edit still shows its number.
    std::array<long long, 5> picked_{};
    std::array<QString, 5> pickedNumber_;
};
