#pragma once
// What the purchase document windows (received invoice, fuel, fiscal receipt, simple receipt)
// share: a date and a document number, the supplier chosen through the partner lookup, a total
// split into the amount without VAT and the VAT at a rate, the VAT typed by hand after
// "Modificare TVA", and "Salvare". Most of them also take an explanation, remarks and an
// expense category. Each window tells its differences: its arithmetic, its checks, its rows,
// its question and its reset.

#include <QString>
#include <memory>

#include "books/Purchases.h"
#include "documents/PartnerLookup.h"
#include "purchases/PurchaseParts.h"
#include "ui/FormBase.h"
#include "ui/VatRateField.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The window's components by what they do; those a window lacks stay nullptr.
struct PurchaseWidgets {
    QLineEdit* date = nullptr;
    QPushButton* Button1 = nullptr;  // "Azi"
    QLineEdit* number = nullptr;
    QLineEdit* explanation = nullptr;
    QLineEdit* remarks = nullptr;
    QLineEdit* Edit15 = nullptr;     // total
    QLineEdit* Edit5 = nullptr;      // amount without VAT
    QLineEdit* Edit13 = nullptr;     // VAT rate
    QLineEdit* Edit14 = nullptr;     // VAT
    QPushButton* Button3 = nullptr;  // "Modificare TVA"
    QPushButton* BitBtn3 = nullptr;  // "Salvare"
    QPushButton* BitBtn2 = nullptr;  // "Renuntare"
    PartnerWidgets partners;
    QRadioButton* RadioButton5 = nullptr;  // category "Da"
    QRadioButton* RadioButton6 = nullptr;  // category "Nu"
    QComboBox* ComboBox5 = nullptr;        // expense categories
};

// The components that every purchase window's form names alike.
template <class Ui>
PurchaseWidgets commonWidgets(Ui& ui) {
    PurchaseWidgets w;
    w.Button1 = ui.Button1;
    w.Edit15 = ui.Edit15;
    w.Edit5 = ui.Edit5;
    w.Edit13 = ui.Edit13;
    w.Edit14 = ui.Edit14;
    w.Button3 = ui.Button3;
    w.BitBtn3 = ui.BitBtn3;
    w.BitBtn2 = ui.BitBtn2;
    w.partners = {ui.GroupBox1,
                  ui.ComboBox2,
                  ui.ComboBox3,
                  ui.ComboBox4,
                  ui.Button2,
                  nullptr,
                  {ui.Label9, ui.Label10, ui.Label11}};
    return w;
}

// The forms with an explanation, remarks and a category: these last are named alike too.
template <class Ui>
PurchaseWidgets documentWidgets(Ui& ui, QLineEdit* date, QLineEdit* number, QLineEdit* explanation,
                                QLineEdit* remarks) {
    PurchaseWidgets w = commonWidgets(ui);
    w.date = date;
    w.number = number;
    w.explanation = explanation;
    w.remarks = remarks;
    w.RadioButton5 = ui.RadioButton5;
    w.RadioButton6 = ui.RadioButton6;
    w.ComboBox5 = ui.ComboBox5;
    return w;
}

class PurchaseWindow : public kov::FormDialog {
    Q_OBJECT
  public:
    PartnerLookup* partners() const { return partners_; }

    void FormShow() override;
    void Button1Click();
    void Button3Click();
    void Edit15KeyUp() { amountsChanged(); }
    void Edit13KeyUp() { amountsChanged(); }
    void Edit14KeyUp();
    void Edit14Exit();
    void RadioButton5Click();
    void RadioButton6Click();
    void ComboBox2Exit() { partners_->ComboBox2Exit(); }
    void ComboBox3Exit() { partners_->ComboBox3Exit(); }
    void ComboBox4Exit() { partners_->ComboBox4Exit(); }
    void ComboBox2Change() { partners_->ComboBox2Change(); }
    void ComboBox3Change() { partners_->ComboBox3Change(); }
    void ComboBox4Change() { partners_->ComboBox4Change(); }
    void Button2Click() { partners_->Button2Click(); }
    void BitBtn3Click();

  protected:
    using kov::FormDialog::FormDialog;

    // Called by each window once its components exist.
    void setup(const PurchaseWidgets& widgets, const PartnerLookupConfig& partnerConfig);

    // The amounts after a key in the total or the rate.
    virtual void amountsChanged() = 0;
    // The amount that the VAT and the amount without it split: the total, except for fuel.
    virtual QLineEdit* vatBase() const { return w_.Edit15; }
    virtual bool check() = 0;
    virtual void write() = 0;
    virtual QString question() const = 0;
    // The fields after opening and after a save answered "Da".
    virtual void reset();
    // The edits of the document and its amounts as a new document has them.
    void clearFields();
    // Refills the category list (first category chosen) and the supplier lists (none chosen).
    void reloadLists();

    // The total split at the rate: net and VAT shown with two decimals. Texts that are not
    // numbers (or a rate at or below -100) leave the fields as they are.
    void splitTotal();
    // Checks shared by the windows, each with its message and focus.
    kov::Check dateCheck() const;
    kov::Check totalCheck() const;
    kov::Check rateCheck() const;
    kov::Check typedVatCheck() const;
    kov::Check supplierCheck() const;
    kov::Check explanationCheck() const;
    // The document as typed and shown: the date, number, supplier and amounts, and where the
    // window has them the explanation, remarks and category.
    kov::Purchase purchase() const;

    PurchaseWidgets w_;
    PartnerLookup* partners_ = nullptr;
    std::unique_ptr<kov::CategoryChoice> category_;
    kov::VatRateField* rate_ = nullptr;  // owned by its edit
};
