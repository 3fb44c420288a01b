#include "data/VatRates.h"

#include <algorithm>

namespace kov {

namespace {

struct Period {
    QDate from;  // first day in force
    QDate to;    // last day in force; null: still in force
    int rate;
};

// Standard rate.
const Period kStandard[] = {
    // Legea 571/2003 (Codul fiscal), art. 140 alin. (1).
    {QDate(), QDate(2010, 6, 30), 19},
    // Legea 118/2010, art. XIV: 24 % from 1 July 2010.
    {QDate(2010, 7, 1), QDate(2015, 12, 31), 24},
    // Legea 227/2015 (Codul fiscal), art. 291 alin. (1) lit. a): 20 % in 2016.
    {QDate(2016, 1, 1), QDate(2016, 12, 31), 20},
    // Legea 227/2015, art. 291 alin. (1) lit. b): 19 % from 1 January 2017.
    {QDate(2017, 1, 1), QDate(2025, 7, 31), 19},
    // Legea 141/2025, art. LXI: 21 % from 1 August 2025.
    {QDate(2025, 8, 1), QDate(), 21},
};

// Reduced rates.
const Period kReduced[] = {
    // Legea 571/2003, art. 140 alin. (2), then Legea 227/2015, art. 291 alin. (2).
    {QDate(), QDate(2025, 7, 31), 9},
    // Legea 571/2003, art. 140 alin. (2^1), 5 % for social housing, as amended from
    // 1 December 2008; kept by Legea 227/2015, art. 291 alin. (3).
    {QDate(2008, 12, 1), QDate(2025, 7, 31), 5},
    // Legea 141/2025, art. LXI: a single reduced rate of 11 % from 1 August 2025.
    {QDate(2025, 8, 1), QDate(), 11},
};

bool inForce(const Period& p, const QDate& day) {
    return (!p.from.isValid() || day >= p.from) && (!p.to.isValid() || day <= p.to);
}

// Before this month the journals had fixed columns; they must print as they always did.
const QDate kFirstMonthByTable(2010, 7, 1);

}  // namespace

int standardVatRate(const QDate& day) {
    for (const Period& p : kStandard) {
        if (inForce(p, day)) {
            return p.rate;
        }
    }
    return kStandard[0].rate;
}

QList<int> reducedVatRates(const QDate& day) {
    QList<int> rates;
    for (const Period& p : kReduced) {
        if (inForce(p, day)) {
            rates.append(p.rate);
        }
    }
    std::sort(rates.begin(), rates.end());
    return rates;
}

VatColumn vatColumn(double rate, const QDate& invoiceDay) {
    if (rate == 0) {
        return VatColumn::Exempt;
    }
    return rate == standardVatRate(invoiceDay) ? VatColumn::Standard : VatColumn::Reduced;
}

QString standardVatCaption(int year, int month) {
    return QStringLiteral("cota %1 %").arg(standardVatRate(QDate(year, month, 1)));
}

QString reducedVatCaption(int year, int month) {
    const QDate first(year, month, 1);
    if (first < kFirstMonthByTable) {
        return QStringLiteral("cota 9 %");
    }
    // Reduced rates change on the first of a month, so the month's first day tells them all.
    const QList<int> rates = reducedVatRates(first);
    return rates.size() == 1 ? QStringLiteral("cota %1 %").arg(rates.front())
                             : QStringLiteral("cota redusa");
}

}  // namespace kov
