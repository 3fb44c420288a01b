#pragma once
// Pieces the purchase and payment windows are built from: the expense category choice, the
// input checks and the save sequence.

#include <QString>
#include <functional>
#include <optional>

#include "documents/AmountFields.h"
#include "ui/Checks.h"
#include "ui/Input.h"

class QComboBox;
class QDialog;
class QLineEdit;
class QRadioButton;

namespace kov {

// The group "Defalcare operatiuni diverse": "Da" with the list of expense categories, "Nu".
class CategoryChoice {
  public:
    CategoryChoice(QRadioButton* yes, QRadioButton* no, QComboBox* list);
    // Refills the list from the expense categories, by name.
    void reload();
    // "Da": the list takes input and shows its first category; "Nu": no category.
    void choose(bool yes);
    // The name of the chosen category; nothing with "Nu" or an empty list. A name that no
    // longer names an expense category (deleted meanwhile) is recorded as no category.
    std::optional<QString> chosen() const;
    QRadioButton* yes() const { return yes_; }

  private:
    QRadioButton* yes_;
    QRadioButton* no_;
    QComboBox* list_;
};

// Typed numbers go into the statements bare, so a field is a number or the save stops.
bool isNumber(const QLineEdit* field);
bool isDate(const QLineEdit* field);

// "Salvare" of a document window: the checks, then the rows (recorded in one transaction: a
// failure writes nothing and leaves the window as typed), then the question for another
// document. "Da" resets the window, "Nu" closes it with OK.
void saveDocument(QDialog* window, const std::function<bool()>& check,
                  const std::function<void()>& write, const QString& question,
                  const std::function<void()>& reset);

}  // namespace kov
