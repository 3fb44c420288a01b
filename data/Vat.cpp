#include "data/Vat.h"

#include "data/Values.h"

namespace kov {

VatAmounts vatFromNet(double net, double rate) {
    return {roundAmount(net), roundAmount(rate * net * 0.01),
            roundAmount((rate + 100) * net * 0.01)};
}

double netOfTotal(double total, double rate) {
    return roundAmount(total * 100 / (rate + 100));
}

VatAmounts vatFromTotal(double total, double rate) {
    const double net = netOfTotal(total, rate);
    return {net, roundAmount(rate * net * 0.01), roundAmount(total)};
}

std::optional<double> parseRate(const QString& text) {
    const auto rate = parseNumber(text);
    if (!rate || *rate <= -100) {
        return std::nullopt;
    }
    return rate;
}

}  // namespace kov
