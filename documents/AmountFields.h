#pragma once
// The amount fields of a document window: amount without VAT, VAT rate, VAT and total, kept in
// step on every edit. The windows differ in which field drives which, so each handler of theirs
// calls one of these steps; the arithmetic itself is data/Vat.h.

class QLineEdit;

namespace kov {

struct AmountFields {
    QLineEdit* net = nullptr;  // amount without VAT
    QLineEdit* rate = nullptr;
    QLineEdit* vat = nullptr;
    QLineEdit* total = nullptr;
};

// Total and VAT from the amount without VAT. A net or rate that is not a number (or a rate of
// -100 or less) changes nothing and returns false.
bool amountsFromNet(const AmountFields& fields);

// Amount without VAT and VAT from the total, under the same conditions.
bool amountsFromTotal(const AmountFields& fields);

// A field's own number rewritten with two decimals; other text is left as it is.
void reformatAmount(QLineEdit* field);

}  // namespace kov
