#include "purchases/PurchaseParts.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QRadioButton>

#include "books/Categories.h"
#include "books/Settlement.h"
#include "data/Values.h"
#include "ui/Messages.h"

namespace kov {

CategoryChoice::CategoryChoice(QRadioButton* yes, QRadioButton* no, QComboBox* list)
    : yes_(yes), no_(no), list_(list) {
    list_->setEditable(false);
}

void CategoryChoice::reload() {
    const QStringList names = categoryNames(kPayment.categoryKind);
    list_->clear();
    list_->addItems(names);
}

void CategoryChoice::choose(bool yes) {
    (yes ? yes_ : no_)->setChecked(true);
    list_->setEnabled(yes);
    list_->setCurrentIndex(yes && list_->count() > 0 ? 0 : -1);
    shade(list_, yes ? Shade::Aqua : Shade::ButtonFace);
}

std::optional<QString> CategoryChoice::chosen() const {
    if (!yes_->isChecked() || list_->currentIndex() < 0) {
        return std::nullopt;
    }
    return list_->currentText();
}

bool isNumber(const QLineEdit* field) {
    return parseNumber(field->text()).has_value();
}

bool isDate(const QLineEdit* field) {
    return parseDate(field->text()).has_value();
}

void saveDocument(QDialog* window, const std::function<bool()>& check,
                  const std::function<void()>& write, const QString& question,
                  const std::function<void()>& reset) {
    if (!check()) {
        return;
    }
    write();
    if (message(question, QString(), Buttons::YesNo) == Answer::Yes) {
        reset();
    } else {
        window->accept();
    }
}

}  // namespace kov
