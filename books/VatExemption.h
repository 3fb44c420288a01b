#pragma once
// The legal basis of an issued invoice at 0 % VAT, kept in facturi.TEMEI as a short code. This
// is the one place that knows the codes; the journal, the e-Factura file and the printed
// invoice each ask it what the basis means for them.
//
//   code  basis                                                     journal column
//   EXP   export, exempt with the right of deduction, art. 294 (1)  exempt with deduction
//   LIC   intra-Community supply, art. 294 (2)                      exempt with deduction
//   TI    reverse charge, art. 331                                  exempt with deduction
//   SFD   exempt without the right of deduction, art. 292           exempt without deduction
//
// An invoice at 0 % recorded before the basis was kept has none (null or empty).

#include <QString>
#include <QStringList>

namespace kov {

enum class ExemptionBasis { None, Export, IntraCommunity, ReverseCharge, NoDeduction };

// The four bases in the order the invoice window lists them.
inline constexpr ExemptionBasis kExemptionBases[] = {
    ExemptionBasis::Export, ExemptionBasis::IntraCommunity, ExemptionBasis::ReverseCharge,
    ExemptionBasis::NoDeduction};

QString exemptionCode(ExemptionBasis basis);         // empty for None
ExemptionBasis exemptionBasis(const QString& code);  // None for an unknown or empty code
// The choice as the lists show it.
QString exemptionCaption(ExemptionBasis basis);
QStringList exemptionCaptions();
// The mention printed on the invoice.
QString exemptionMention(ExemptionBasis basis);
// Only the exemption under art. 292 goes to the journal's column without the right of deduction.
bool withoutDeduction(ExemptionBasis basis);

}  // namespace kov
