#include "documents/AmountFields.h"

#include <QLineEdit>

#include "data/Values.h"
#include "data/Vat.h"

namespace kov {

bool amountsFromNet(const AmountFields& f) {
    const auto net = parseNumber(f.net->text());
    const auto rate = parseRate(f.rate->text());
    if (!net || !rate) {
        return false;
    }
    const VatAmounts a = vatFromNet(*net, *rate);
    f.total->setText(formatAmount(a.total));
    f.vat->setText(formatAmount(a.vat));
    return true;
}

bool amountsFromTotal(const AmountFields& f) {
    const auto total = parseNumber(f.total->text());
    const auto rate = parseRate(f.rate->text());
    if (!total || !rate) {
        return false;
    }
    const VatAmounts a = vatFromTotal(*total, *rate);
    f.net->setText(formatAmount(a.net));
    f.vat->setText(formatAmount(a.vat));
    return true;
}

void reformatAmount(QLineEdit* field) {
    if (const auto value = parseNumber(field->text())) {
        field->setText(formatAmount(*value));
    }
}

}  // namespace kov
