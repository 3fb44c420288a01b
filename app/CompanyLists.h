#pragma once
// The name and fiscal-code lists of the own companies, kept in step; shared by the company
// selection dialog and the add/delete dialog.

#include <QString>
#include <functional>

class QComboBox;
class QLineEdit;

class CompanyLists {
  public:
    CompanyLists() = default;
    // showVat receives TVA of the picked company (1 = VAT payer).
    CompanyLists(QLineEdit* description, QComboBox* names, QComboBox* codes,
                 std::function<void(long long)> showVat);
    void fill();
    void pickName();
    void pickCode();

  private:
    void pick(const QString& column, QComboBox* from, QComboBox* other, const QString& otherColumn);

    QLineEdit* description_ = nullptr;
    QComboBox* names_ = nullptr;
    QComboBox* codes_ = nullptr;
    std::function<void(long long)> showVat_;
};
