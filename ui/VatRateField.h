#pragma once
// A document window's VAT rate field: it opens on the standard rate in force today and follows
// the document date while the user has not typed a rate of their own. A typed rate is never
// changed behind the user's back.

#include <QDate>
#include <QObject>
#include <functional>

class QLineEdit;

namespace kov {

class VatRateField : public QObject {
  public:
    // Owned by the rate edit. afterChange runs when the field changed the rate itself, so that
    // the window can recompute its amounts.
    VatRateField(QLineEdit* date, QLineEdit* rate, std::function<void()> afterChange = {});

    // Today's standard rate, and the field follows the date again.
    void reset(const QDate& today = QDate::currentDate());
    bool userEdited() const { return userEdited_; }
    // The rate of the documents being settled: taken unless the user typed a rate, and kept
    // from then on whatever the date; afterChange runs when the text changed.
    void takeRate(double rate);

  private:
    void follow(const QString& dateText);

    QLineEdit* rate_;
    std::function<void()> afterChange_;
    bool userEdited_ = false;
    bool fromDocuments_ = false;
};

}  // namespace kov
