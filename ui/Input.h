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

// Window colour for a field that takes input, aqua for a computed one or a pick list in use,
// button-face colour for a switched-off one.
enum class Shade { Window, Aqua, ButtonFace };
void shade(QWidget* widget, Shade colour);

// The "Azi" buttons: today's date into a date field as "dd.mm.yyyy".
void fillToday(QLineEdit* date);

}  // namespace kov
