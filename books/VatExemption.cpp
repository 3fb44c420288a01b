#include "books/VatExemption.h"

namespace kov {

namespace {

struct Entry {
    ExemptionBasis basis;
    const char* code;
    const char* caption;
    const char* mention;
};

const Entry kEntries[] = {
    {ExemptionBasis::Export, "EXP",
     "Scutit cu drept de deducere - export (art. 294 alin. (1) Cod fiscal)",
     "Scutit cu drept de deducere conform art. 294 alin. (1) din Codul fiscal (export)"},
    {ExemptionBasis::IntraCommunity, "LIC",
     "Scutit cu drept de deducere - livrare intracomunitara (art. 294 alin. (2) Cod fiscal)",
     "Scutit cu drept de deducere conform art. 294 alin. (2) din Codul fiscal (livrare "
     "intracomunitara)"},
    {ExemptionBasis::ReverseCharge, "TI", "Taxare inversa (art. 331 Cod fiscal)",
     "Taxare inversa conform art. 331 din Codul fiscal"},
    {ExemptionBasis::NoDeduction, "SFD", "Scutit fara drept de deducere (art. 292 Cod fiscal)",
     "Scutit fara drept de deducere conform art. 292 din Codul fiscal"},
};

const Entry* entryOf(ExemptionBasis basis) {
    for (const Entry& e : kEntries) {
        if (e.basis == basis) {
            return &e;
        }
    }
    return nullptr;
}

QString textOf(ExemptionBasis basis, const char* Entry::*text) {
    const Entry* e = entryOf(basis);
    return e ? QString::fromLatin1(e->*text) : QString();
}

}  // namespace

QString exemptionCode(ExemptionBasis basis) {
    return textOf(basis, &Entry::code);
}

ExemptionBasis exemptionBasis(const QString& code) {
    for (const Entry& e : kEntries) {
        if (code.trimmed() == QLatin1String(e.code)) {
            return e.basis;
        }
    }
    return ExemptionBasis::None;
}

QString exemptionCaption(ExemptionBasis basis) {
    return textOf(basis, &Entry::caption);
}

QStringList exemptionCaptions() {
    QStringList out;
    for (ExemptionBasis basis : kExemptionBases) {
        out << exemptionCaption(basis);
    }
    return out;
}

QString exemptionMention(ExemptionBasis basis) {
    return textOf(basis, &Entry::mention);
}

bool withoutDeduction(ExemptionBasis basis) {
    return basis == ExemptionBasis::NoDeduction;
}

}  // namespace kov
