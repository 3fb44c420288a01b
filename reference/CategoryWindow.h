#pragma once
// The breakdown categories of one kind ('c' expenses, 'v' incomes): add, rename, delete. The
// two menu windows are this one with their kind and title. Category numbers are drawn at
// random from 10000 to 29999 and recorded in iduridefalcari, so that none is issued twice,
// even after its category was deleted.

#include "ui/FormBase.h"

#include "ui_CategoryWindow.h"

class CategoryWindow : public kov::FormDialog {
    Q_OBJECT
  public:
    CategoryWindow(QChar kind, const QString& title, QWidget* parent = nullptr);
    Ui::CategoryWindow ui;

    QString OldName;  // the row last clicked

    QChar kind() const { return kind_; }

    void FormShow() override;
    void ListView1Click();
    void Edit1KeyUp();
    void BitBtn1Click();  // Adaugare
    void BitBtn2Click();  // Stergere
    void BitBtn3Click();  // Modificare

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void refresh();
    bool nameTaken(const QString& name) const;
    void refuseDuplicate();

    QChar kind_;
};
