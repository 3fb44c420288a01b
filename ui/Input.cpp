#include "ui/Input.h"

#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QLineEdit>
#include <QValidator>
#include <QWidget>

#include "data/Values.h"

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

void fillToday(QLineEdit* date) {
    date->setText(formatDate(QDate::currentDate()));
}

void shade(QWidget* widget, Shade colour) {
    const QPalette standard = QApplication::palette(widget);
    const QColor colours[] = {standard.color(QPalette::Base), QColor(Qt::cyan),
                              standard.color(QPalette::Button)};
    const QColor& c = colours[static_cast<int>(colour)];
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, c);
    if (qobject_cast<QComboBox*>(widget)) {
        palette.setColor(QPalette::Button, c);
    }
    widget->setPalette(palette);
}

}  // namespace kov
