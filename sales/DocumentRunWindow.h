#pragma once
// The window of several receipts or payment orders paying one issued invoice: each document
// gets its own number, date, amount and income category, and one movement row; the invoice is
// settled with their total. The two menu windows are this one with their document.

#include "books/Settlement.h"
#include "ui/FormBase.h"
#include "ui/VatRateField.h"
#include "ui_DocumentRunWindow.h"

class DocumentRunWindow : public kov::FormDialog {
    Q_OBJECT
  public:
    DocumentRunWindow(kov::Document document, const QString& caption, QWidget* parent = nullptr);
    Ui::DocumentRunWindow ui;

    bool StartValid = false;  // Edit10 holds a whole number
    bool EndValid = false;    // Edit11 holds a whole number
    QString EditedNumber;     // the row last taken for editing

    void FormShow() override;
    void Button1Click();  // Azi
    void Edit3Change();
    void Edit10KeyUp();
    void Edit11KeyUp();
    void BitBtn1Click();  // generate a run
    void Edit9KeyUp();
    void Edit12KeyUp();
    void Edit13KeyUp();
    void ListView1Click();
    void ListView1KeyUp();
    void BitBtn6Click();  // Adaugare
    void BitBtn7Click();  // Stergere
    void BitBtn8Click();  // Modificare
    void BitBtn4Click();  // Acceptare

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void reset();
    void runFlags();
    void editorFlags();
    void clearEditor();
    void addRow(const QStringList& columns);
    // The rows' checks before anything is written; false after a refusal.
    bool rowsReady();

    kov::Document document_;
    kov::VatRateField* rate_ = nullptr;  // owned by its edit
};
