#pragma once
// Pieces the purchase and payment windows are built from: field colours and exit handlers,
// the expense category choice, the input checks, the rows they write and the save sequence.

#include <QString>
#include <functional>
#include <initializer_list>

#include "ui/Input.h"
#include "documents/AmountFields.h"

class QComboBox;
class QDialog;
class QLineEdit;
class QRadioButton;
class QWidget;

namespace kov {

// Runs the action whenever the focus leaves the widget for another widget of the application
// (not when another window comes to the front or a drop-down opens).
void onExit(QWidget* widget, std::function<void()> action);

// The group "Defalcare operatiuni diverse": "Da" with the list of expense categories, "Nu".
class CategoryChoice {
  public:
    CategoryChoice(QRadioButton* yes, QRadioButton* no, QComboBox* list);
    // Refills the list from the expense categories, by name.
    void reload();
    // "Da": the list takes input and shows its first category; "Nu": no category.
    void choose(bool yes);
    // The number of the chosen category as text; "0" with "Nu", and when the list's text
    // names no expense category (an empty list, a category deleted meanwhile).
    QString id() const;
    QRadioButton* yes() const { return yes_; }

  private:
    QRadioButton* yes_;
    QRadioButton* no_;
    QComboBox* list_;
};

// The first row of an expense category whose name is like the pattern, or "0".
QString categoryLike(const QString& pattern);

// One input check: when it fails, its message titled "Eroare!" is shown and the focus goes to
// the field.
struct Check {
    bool fails;
    const char* text;
    QWidget* focus;
};
// True when every check passes; otherwise reports the first that fails.
bool passes(std::initializer_list<Check> checks);
// Reports a failed check and returns false.
bool refuse(const char* text, QWidget* focus);

// Typed numbers go into the statements bare, so a field is a number or the save stops.
bool isNumber(const QLineEdit* field);
bool isDate(const QLineEdit* field);

// A row of facturi for a received invoice (FELFACTURA 'I') of the selected company. The
// amounts are statement texts: typed numbers already checked, or computed and formatted.
struct ReceivedInvoice {
    QString number, date, total, net, rate, vat, paid, outstanding, supplier;
};
void insertInvoice(const ReceivedInvoice& row);

// A row of operatiuni for money paid out (TIP 'plata') by the selected company.
struct Payment {
    QString date, document, operation, total, net;
    int bank = 0;
    QString category = QStringLiteral("0");
    QString remarks;
    int inRegister = 1;
};
void insertPayment(const Payment& row);

// "Salvare" of a document window: the checks, then the rows in one transaction (a failure
// writes nothing and leaves the window as typed), then the question for another document.
// "Da" resets the window, "Nu" closes it with OK.
void saveDocument(QDialog* window, const std::function<bool()>& check,
                  const std::function<void()>& write, const QString& question,
                  const std::function<void()>& reset);

}  // namespace kov
