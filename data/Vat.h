#pragma once
// VAT arithmetic of the document windows, written once. Each result is rounded to cents on
// its own, from the unrounded input, as the windows show and store it.

#include <QString>
#include <optional>

namespace kov {

struct VatAmounts {
    double net = 0;  // amount without VAT
    double vat = 0;
    double total = 0;  // amount with VAT
};

// From an amount without VAT n at rate r: total = (r + 100) * n * 0.01, VAT = r * n * 0.01.
VatAmounts vatFromNet(double net, double rate);

// From a total t at rate r: net = t * 100 / (r + 100); VAT = r * (net rounded) * 0.01. The
// total is t rounded.
VatAmounts vatFromTotal(double total, double rate);

// The part of an amount with VAT that is without VAT: a * 100 / (r + 100), rounded.
double netOfTotal(double total, double rate);

// A VAT rate as typed, when it is one the statements and the splits can take: a number above
// -100 (at -100 every split divides by zero).
std::optional<double> parseRate(const QString& text);

}  // namespace kov
