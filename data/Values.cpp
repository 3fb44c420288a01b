#include "data/Values.h"

#include "data/Database.h"

#include <QRegularExpression>

#include <cmath>
#include <cstdio>
#include <string>

namespace kov {

namespace {

// Value multiplied by 100 and rounded half away from zero, as decimal digits (no sign).
std::string centsOf(double magnitude) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", magnitude);  // d.dddddddddddddde+XX
    std::string text(buf);
    const auto ePos = text.find('e');
    std::string digits = text.substr(0, 1) + text.substr(2, ePos - 2);  // 15 digits
    const int exponent = std::stoi(text.substr(ePos + 1));
    // digits[0] has weight 10^exponent; keep those down to weight 10^-2.
    const int keep = exponent + 3;
    if (keep <= 0) {
        return (keep == 0 && digits[0] >= '5') ? "1" : "0";
    }
    std::string kept;
    bool roundUp = false;
    if (keep >= static_cast<int>(digits.size())) {
        kept = digits + std::string(keep - digits.size(), '0');
    } else {
        kept = digits.substr(0, keep);
        roundUp = digits[keep] >= '5';
    }
    if (roundUp) {
        int i = static_cast<int>(kept.size()) - 1;
        while (i >= 0 && kept[i] == '9') {
            kept[i] = '0';
            --i;
        }
        if (i < 0) {
            kept.insert(kept.begin(), '1');
        } else {
            ++kept[i];
        }
    }
    const auto first = kept.find_first_not_of('0');
    return first == std::string::npos ? "0" : kept.substr(first);
}

QString centsToFixed(const std::string& cents, bool negative, bool grouped) {
    std::string c = cents.size() < 3 ? std::string(3 - cents.size(), '0') + cents : cents;
    std::string whole = c.substr(0, c.size() - 2);
    if (grouped) {
        for (int i = static_cast<int>(whole.size()) - 3; i > 0; i -= 3) {
            whole.insert(static_cast<size_t>(i), ",");
        }
    }
    const bool zero = cents == "0";
    return QString::fromStdString((negative && !zero ? "-" : "") + whole + "." +
                                  c.substr(c.size() - 2));
}

bool allDigits(const QString& s) {
    if (s.isEmpty()) {
        return false;
    }
    for (QChar ch : s) {
        if (ch < u'0' || ch > u'9') {
            return false;
        }
    }
    return true;
}

}  // namespace

QString formatAmount(double value) {
    return centsToFixed(centsOf(std::fabs(value)), std::signbit(value), false);
}

QString displayAmount(double value) {
    return centsToFixed(centsOf(std::fabs(value)), std::signbit(value), true);
}

double roundAmount(double value) {
    return formatAmount(value).toDouble();
}

long long cents(double value) {
    const long long magnitude = std::stoll(centsOf(std::fabs(value)));
    return std::signbit(value) ? -magnitude : magnitude;
}

QString plainNumber(double value) {
    if (value == 0.0) {
        return QStringLiteral("0");
    }
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", value);
    return QString::fromLatin1(buf);
}

std::optional<double> parseNumber(const QString& text) {
    const QString t = text.trimmed();
    int i = 0;
    const int n = static_cast<int>(t.size());
    if (i < n && (t[i] == u'+' || t[i] == u'-')) {
        ++i;
    }
    int digits = 0;
    while (i < n && t[i].isDigit() && t[i].unicode() < 128) {
        ++i, ++digits;
    }
    if (i < n && t[i] == u'.') {
        ++i;
        while (i < n && t[i].unicode() >= '0' && t[i].unicode() <= '9') {
            ++i, ++digits;
        }
    }
    if (digits == 0) {
        return std::nullopt;
    }
    if (i != n) {
        return std::nullopt;
    }
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || std::fabs(v) > kLargestAmount) {
        return std::nullopt;
    }
    return v;
}

std::optional<long long> parseInteger(const QString& text) {
    QString t = text.trimmed();
    const bool negative = t.startsWith(u'-');
    if (negative || t.startsWith(u'+')) {
        t.remove(0, 1);
    }
    if (!allDigits(t)) {
        return std::nullopt;
    }
    bool ok = false;
    const long long v = t.toLongLong(&ok);
    if (!ok) {
        return std::nullopt;
    }
    return negative ? -v : v;
}

std::optional<QDate> parseDate(const QString& text) {
    const QStringList parts = text.trimmed().split(u'.');
    if (parts.size() != 3 || parts[0].size() > 2 || parts[1].size() > 2 || parts[2].size() != 4 ||
        !allDigits(parts[0]) || !allDigits(parts[1]) || !allDigits(parts[2])) {
        return std::nullopt;
    }
    const QDate date(parts[2].toInt(), parts[1].toInt(), parts[0].toInt());
    if (!date.isValid()) {
        return std::nullopt;
    }
    return date;
}

QString formatDate(const QDate& date) {
    return QStringLiteral("%1.%2.%3")
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.year(), 4, 10, QLatin1Char('0'));
}

QString isoDate(const QDate& date) {
    return QStringLiteral("%1-%2-%3")
        .arg(date.year(), 4, 10, QLatin1Char('0'))
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'));
}

QString storedDate(const QString& typed) {
    const auto date = parseDate(typed);
    return date ? isoDate(*date) : typed;
}

namespace {

char16_t unit(QChar c) {
    return c.unicode();
}
char16_t unit(char c) {
    return static_cast<unsigned char>(c);
}

// yyyy-mm-dd, a real calendar day; over QString and over engine bytes alike.
template <typename Text>
std::optional<QDate> isoDay(const Text& text) {
    if (text.size() != 10 || unit(text[4]) != u'-' || unit(text[7]) != u'-') {
        return std::nullopt;
    }
    // Read in place: the bulk paths check every date of a file with it.
    const auto number = [&text](qsizetype from, qsizetype length) {
        int n = 0;
        for (qsizetype i = from; i < from + length; ++i) {
            const char16_t digit = unit(text[i]);
            if (digit < u'0' || digit > u'9') {
                return -1;
            }
            n = n * 10 + (digit - u'0');
        }
        return n;
    };
    const int y = number(0, 4), m = number(5, 2), d = number(8, 2);
    if (y < 0 || m < 0 || d < 0) {
        return std::nullopt;
    }
    const QDate date(y, m, d);
    if (!date.isValid()) {
        return std::nullopt;
    }
    return date;
}

}  // namespace

std::optional<QDate> parseIsoDate(const QString& text) {
    return isoDay(QStringView(text));
}

bool isStoredDate(QByteArrayView utf8) {
    return isoDay(utf8).has_value();
}

QString sqlEscape(const QString& value) {
    QString out = value;
    out.replace(u'\'', QStringLiteral("''"));
    return out;
}

QString quoted(const QString& value) {
    return u'\'' + sqlEscape(value) + u'\'';
}

QString bare(const QString& number) {
    // A numeric literal as SQL reads it (the engine's own forms, 1e-05 included), no more.
    static const QRegularExpression literal(
        QStringLiteral("^\\s*[-+]?([0-9]+(\\.[0-9]*)?|\\.[0-9]+)([eE][-+]?[0-9]+)?\\s*$"));
    if (!literal.match(number).hasMatch()) {
        throw DbError(QStringLiteral("'%1' nu este un numar").arg(number));
    }
    return number;
}

}  // namespace kov
