#pragma once
// Entry fields that hold upper-case (or lower-case) text only, converted as the user types.

class QLineEdit;
class QComboBox;

namespace kov {

void forceUpperCase(QLineEdit* edit);
void forceUpperCase(QComboBox* combo);
void forceLowerCase(QLineEdit* edit);

}  // namespace kov
