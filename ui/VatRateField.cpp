#include "ui/VatRateField.h"

#include <QLineEdit>

#include "data/Values.h"
#include "data/VatRates.h"
#include "ui/Messages.h"

namespace kov {

VatRateField::VatRateField(QLineEdit* date, QLineEdit* rate, std::function<void()> afterChange)
    : QObject(rate), rate_(rate), afterChange_(std::move(afterChange)) {
    connect(rate, &QLineEdit::textEdited, this, [this] { userEdited_ = true; });
    // textChanged: the date may come from the keyboard or from a "today" button.
    connect(date, &QLineEdit::textChanged, this,
            [this](const QString& text) { guarded([&] { follow(text); }); });
}

void VatRateField::reset(const QDate& today) {
    userEdited_ = false;
    fromDocuments_ = false;
    rate_->setText(QString::number(standardVatRate(today)));
}

void VatRateField::takeRate(double rate) {
    if (userEdited_) {
        return;
    }
    fromDocuments_ = true;
    if (parseNumber(rate_->text()) == rate) {
        return;
    }
    rate_->setText(QString::number(rate));
    if (afterChange_) {
        afterChange_();
    }
}

void VatRateField::follow(const QString& dateText) {
    const auto day = parseDate(dateText);
    if (userEdited_ || fromDocuments_ || !day) {
        return;
    }
    const int wanted = standardVatRate(*day);
    if (parseNumber(rate_->text()) == static_cast<double>(wanted)) {
        return;
    }
    rate_->setText(QString::number(wanted));
    if (afterChange_) {
        afterChange_();
    }
}

}  // namespace kov
