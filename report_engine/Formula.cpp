#include "report_engine/Formula.h"

#include <QRegularExpression>
#include <variant>

#include "data/Query.h"
#include "data/Values.h"

namespace kov::report {

QString Context::field(const QString& name) const {
    if (!rows || !rows->isOpen() || rows->eof()) {
        return {};
    }
    return rows->fieldByName(name).asString();
}

double Context::sum(const QString& field) const {
    return sums ? sums->value(field.toUpper(), 0.0) : 0.0;
}

QString applyMask(const QString& text, Mask mask) {
    if (mask == Mask::Amount) {
        if (const auto value = parseNumber(text)) {
            return displayAmount(*value);
        }
    }
    return text;
}

std::optional<double> amountOf(const QString& text) {
    if (text.trimmed().isEmpty()) {
        return 0.0;
    }
    if (const auto value = parseNumber(text)) {
        return value;
    }
    static const QRegularExpression grouped(
        QStringLiteral("^\\s*-?\\d{1,3}(,\\d{3})*(\\.\\d*)?\\s*$"));
    if (grouped.match(text).hasMatch()) {
        return parseNumber(QString(text).remove(u','));
    }
    return std::nullopt;
}

namespace {

bool identStart(QChar c) {
    return c.isLetter() || c == u'_';
}
bool identChar(QChar c) {
    return c.isLetterOrNumber() || c == u'_';
}

[[noreturn]] void invalid(const QString& source) {
    throw ReportError(QStringLiteral("Expresie invalida in raport: %1").arg(source));
}

// Reads the terms joined by "+".
class Parser {
  public:
    explicit Parser(const QString& source) : s_(source) {}

    void skipBlanks() {
        while (i_ < s_.size() && s_[i_].isSpace()) {
            ++i_;
        }
    }
    bool atEnd() {
        skipBlanks();
        return i_ >= s_.size();
    }
    bool take(QChar c) {
        skipBlanks();
        if (i_ < s_.size() && s_[i_] == c) {
            ++i_;
            return true;
        }
        return false;
    }
    QString identifier() {
        skipBlanks();
        if (i_ >= s_.size() || !identStart(s_[i_])) {
            invalid(s_);
        }
        const qsizetype start = i_;
        while (i_ < s_.size() && identChar(s_[i_])) {
            ++i_;
        }
        return s_.mid(start, i_ - start);
    }
    QString literal() {  // after the opening quote; '' stands for one quote
        QString out;
        while (i_ < s_.size()) {
            const QChar c = s_[i_++];
            if (c != u'\'') {
                out += c;
            } else if (i_ < s_.size() && s_[i_] == u'\'') {
                out += c;
                ++i_;
            } else {
                return out;
            }
        }
        invalid(s_);
    }
    std::optional<double> number() {
        skipBlanks();
        qsizetype end = i_;
        while (end < s_.size() && (s_[end].isDigit() || s_[end] == u'.')) {
            ++end;
        }
        if (end == i_) {
            return std::nullopt;
        }
        const auto value = parseNumber(s_.mid(i_, end - i_));
        if (!value) {
            invalid(s_);
        }
        i_ = end;
        return value;
    }
    QChar peek() {
        skipBlanks();
        return i_ < s_.size() ? s_[i_] : QChar();
    }

  private:
    const QString& s_;
    qsizetype i_ = 0;
};

}  // namespace

Formula::Formula(const QString& source) : source_(source) {
    Parser p(source_);
    do {
        Term term{Term::Kind::Text, {}, {}, 0};
        if (p.take(u'\'')) {
            term.text = p.literal();
        } else if (const auto n = p.number()) {
            term.kind = Term::Kind::Number;
            term.number = *n;
        } else {
            QString name = p.identifier();
            if (name.compare(QLatin1String("PAGENUMBER"), Qt::CaseInsensitive) == 0) {
                term.kind = Term::Kind::PageNumber;
            } else {
                const bool sum =
                    name.compare(QLatin1String("SUM"), Qt::CaseInsensitive) == 0 && p.take(u'(');
                if (sum) {
                    name = p.identifier();
                }
                term.kind = sum ? Term::Kind::Sum : Term::Kind::Field;
                term.text = name;
                if (p.take(u'.')) {
                    term.dataSet = name;
                    term.text = p.identifier();
                }
                if (sum && !p.take(u')')) {
                    invalid(source_);
                }
            }
        }
        terms_.push_back(std::move(term));
    } while (p.take(u'+'));
    if (!p.atEnd()) {
        invalid(source_);
    }
}

QStringList Formula::sumFields() const {
    QStringList out;
    for (const Term& t : terms_) {
        if (t.kind == Term::Kind::Sum && !out.contains(t.text.toUpper())) {
            out << t.text.toUpper();
        }
    }
    return out;
}

QString Formula::evaluate(const Context& context, Mask mask) const {
    // "+" adds two numbers and joins anything else as text.
    std::variant<double, QString> acc;
    bool first = true;
    for (const Term& t : terms_) {
        if (!t.dataSet.isEmpty() && t.dataSet.compare(context.dataSet, Qt::CaseInsensitive) != 0) {
            throw ReportError(
                QStringLiteral(
                    "Expresia %1 se refera la setul de date %2, care nu exista in raport")
                    .arg(source_, t.dataSet));
        }
        std::variant<double, QString> value;
        switch (t.kind) {
            case Term::Kind::Text:
                value = t.text;
                break;
            case Term::Kind::Number:
                value = t.number;
                break;
            case Term::Kind::Field:
                value = context.field(t.text);
                break;
            case Term::Kind::Sum:
                value = context.sum(t.text);
                break;
            case Term::Kind::PageNumber:
                value = static_cast<double>(context.page);
                break;
        }
        if (first) {
            acc = std::move(value);
            first = false;
        } else if (std::holds_alternative<double>(acc) && std::holds_alternative<double>(value)) {
            acc = std::get<double>(acc) + std::get<double>(value);
        } else {
            const auto text = [](const std::variant<double, QString>& v) {
                return std::holds_alternative<double>(v) ? plainNumber(std::get<double>(v))
                                                         : std::get<QString>(v);
            };
            acc = text(acc) + text(value);
        }
    }
    if (const auto* number = std::get_if<double>(&acc)) {
        return mask == Mask::Amount ? displayAmount(*number) : plainNumber(*number);
    }
    return applyMask(std::get<QString>(acc), mask);
}

}  // namespace kov::report
