#pragma once
// Value forms shared by every statement and every window: amounts, numbers typed by the user,
// dates, and text values placed between quotes in SQL.

#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <optional>

namespace kov {

// Two decimals, rounded half away from zero on the value's 15-significant-digit decimal form,
// so that 1.005 gives "1.01" (plain printf would see 1.00499999... and give "1.00").
QString formatAmount(double value);

// Shortest general notation with up to 15 significant digits: 1234.5, 100, 0.
QString plainNumber(double value);

// Display form "#,##0.00": 1,234.50.
QString displayAmount(double value);

// The amount rounded as formatAmount rounds it.
double roundAmount(double value);

// The largest amount the books take: the amount forms keep 15 significant digits exactly.
inline constexpr double kLargestAmount = 999999999999.99;

// A number as the user may type it: optional blanks and sign, digits with an optional decimal
// point. No exponent, no thousands separators, nothing beyond kLargestAmount.
std::optional<double> parseNumber(const QString& text);

// A whole number as the user may type it.
std::optional<long long> parseInteger(const QString& text);

// A date typed under "dd.MM.yyyy": day and month of one or two digits, a four-digit year,
// separated by dots, surrounding blanks allowed; only real calendar days.
std::optional<QDate> parseDate(const QString& text);

// "dd.mm.yyyy", always padded: 05.03.2004.
QString formatDate(const QDate& date);

// Storage form of date columns, which sorts chronologically: 2004-03-05.
QString isoDate(const QDate& date);
std::optional<QDate> parseIsoDate(const QString& text);
// Whether a text's UTF-8 bytes, as the engine holds them, are a date in the stored form.
bool isStoredDate(QByteArrayView utf8);

// The stored form of a date as the windows accept it typed (parseDate): "5.3.2004" gives
// "2004-03-05". Any other text goes on unchanged, for the date column to refuse (a date already
// in the stored form is kept).
QString storedDate(const QString& typed);

// A text value ready to go between single quotes: apostrophes doubled.
QString sqlEscape(const QString& value);

// A text value as a statement literal: between single quotes, apostrophes doubled. Every
// statement builds its text values through this, so that no value can end the literal.
QString quoted(const QString& value);

// A number going into a statement bare, as it stands: refuses (with the data layer's error)
// any text that is not a plain number, so that no value can change the statement.
QString bare(const QString& number);

// An amount in whole cents, rounded as formatAmount rounds it. Amounts are compared in cents:
// 123.80 - 100.00 - 23.80 is not exactly 0 in floating point.
long long cents(double value);

}  // namespace kov
