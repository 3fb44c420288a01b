#pragma once
// Entry fields that hold upper-case (or lower-case) text only, converted as the user types.

class QLineEdit;
class QComboBox;
class QWidget;

namespace kov {

void forceUpperCase(QLineEdit* edit);
void forceUpperCase(QComboBox* combo);
void forceLowerCase(QLineEdit* edit);

// The aqua background of drop-down lists and read-only amounts; disabled, the widget is drawn
// as any disabled one.
void setAqua(QWidget* widget);

}  // namespace kov
