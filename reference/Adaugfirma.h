#pragma once
// The partner register dialog. The document windows open it in add mode (AddMode yes; on the
// OK result they reload their partner lists and select NewPartnerCode) or in delegate mode
// (AddMode no, the partner's code put into Edit1 before showing; the delegate and the address
// can be changed).

#include <QString>
#include <QStringList>
#include "ui/FormBase.h"

#include "ui_Adaugfirma.h"

// Side and amount of a partner's opening balance, from the two balance fields as typed.
struct OpeningBalance {
    QString side;  // "D" or "C"
    double amount = 0;
};
OpeningBalance openingBalance(const QString& debit, const QString& credit);

class TFormAdaugareFirma : public kov::FormDialog {
    Q_OBJECT
  public:
    explicit TFormAdaugareFirma(QWidget* parent = nullptr);
    Ui::TFormAdaugareFirma ui;

    bool AddMode = true;
    QString NewPartnerCode;  // the partner added last; a refused add leaves it as it was

    void FormShow() override;
    void Edit14Change();
    void Edit15Change();
    void BitBtn1Click();  // Adaugare
    void BitBtn3Click();  // saves the delegate data

  private:
    QList<QWidget*> partnerFields() const;
    QList<QWidget*> addressFields() const;
    QList<QLineEdit*> delegateFields() const;
    bool settling_ = false;
};
