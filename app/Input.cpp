#include "app/Input.h"

#include <QComboBox>
#include <QLineEdit>
#include <QValidator>
#include <QWidget>

namespace kov {

namespace {

class CaseValidator : public QValidator {
  public:
    CaseValidator(bool upper, QObject* parent) : QValidator(parent), upper_(upper) {}
    State validate(QString& input, int&) const override {
        input = upper_ ? input.toUpper() : input.toLower();
        return Acceptable;
    }

  private:
    bool upper_;
};

}  // namespace

void forceUpperCase(QLineEdit* edit) {
    edit->setValidator(new CaseValidator(true, edit));
}
void forceLowerCase(QLineEdit* edit) {
    edit->setValidator(new CaseValidator(false, edit));
}
void setAqua(QWidget* widget) {
    QPalette palette = widget->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Base, Qt::cyan);
        palette.setColor(group, QPalette::Button, Qt::cyan);
    }
    widget->setPalette(palette);
}

void forceUpperCase(QComboBox* combo) {
    combo->setValidator(new CaseValidator(true, combo));
}

}  // namespace kov
