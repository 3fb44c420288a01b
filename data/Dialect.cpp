#include "data/Dialect.h"

#include <QRegularExpression>
#include <vector>

#include "data/Database.h"
#include "data/Schema.h"
#include "data/Values.h"

namespace kov {

namespace {

const QRegularExpression& deleteStar() {
    static const QRegularExpression re(QStringLiteral("^(\\s*delete)\\s+\\*\\s+(from\\b)"),
                                       QRegularExpression::CaseInsensitiveOption);
    return re;
}

struct Token {
    enum Kind { Word, Text, Name, Placeholder, Open, Close, Comma, Semicolon, Other, Blank };
    Kind kind;
    QString text;
    bool is(const char* word) const {
        return kind == Word && text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    }
};

// Splits a statement into words, quoted texts and names, placeholders and punctuation; blanks
// are kept so that the statement is rebuilt as it was written.
std::vector<Token> tokens(const QString& sql) {
    std::vector<Token> out;
    qsizetype i = 0;
    const qsizetype n = sql.size();
    while (i < n) {
        const QChar c = sql[i];
        qsizetype j = i + 1;
        Token::Kind kind = Token::Other;
        if (c == u'\'' || c == u'"') {
            // A doubled quote stays inside the text.
            while (j < n && !(sql[j] == c && (j + 1 >= n || sql[j + 1] != c))) {
                j += sql[j] == c ? 2 : 1;
            }
            j = std::min(j + 1, n);
            kind = c == u'\'' ? Token::Text : Token::Name;
        } else if (c.isLetterOrNumber() || c == u'_') {
            while (j < n && (sql[j].isLetterOrNumber() || sql[j] == u'_' || sql[j] == u'.' ||
                             sql[j] == u'$')) {
                ++j;
            }
            kind = Token::Word;
        } else if (c.isSpace()) {
            while (j < n && sql[j].isSpace()) {
                ++j;
            }
            kind = Token::Blank;
        } else if (c == u'?') {
            kind = Token::Placeholder;
        } else if (c == u'(') {
            kind = Token::Open;
        } else if (c == u')') {
            kind = Token::Close;
        } else if (c == u',') {
            kind = Token::Comma;
        } else if (c == u';') {
            kind = Token::Semicolon;
        }
        out.push_back({kind, sql.mid(i, j - i)});
        i = j;
    }
    return out;
}

// The next token that is not a blank, from position i on; nullptr at the end.
const Token* nextSolid(const std::vector<Token>& t, size_t i) {
    for (; i < t.size(); ++i) {
        if (t[i].kind != Token::Blank) {
            return &t[i];
        }
    }
    return nullptr;
}

const Token* previousSolid(const std::vector<Token>& t, size_t i) {
    while (i-- > 0) {
        if (t[i].kind != Token::Blank) {
            return &t[i];
        }
    }
    return nullptr;
}

// A word that continues a statement after a table or subquery, rather than naming it.
bool isClauseWord(const Token& t) {
    for (const char* word : {"where",  "group",     "order", "having",  "limit", "offset", "union",
                             "except", "intersect", "join",  "left",    "right", "inner",  "cross",
                             "full",   "on",        "using", "natural", "for",   "window"}) {
        if (t.is(word)) {
            return true;
        }
    }
    return false;
}

// What the parts of an ORDER BY list end with: the embedded engine puts NULLs first in
// ascending order, the server last.
QString nullsOrder(const QString& lastWord) {
    return lastWord.compare(QLatin1String("desc"), Qt::CaseInsensitive) == 0
               ? QStringLiteral(" nulls last")
               : QStringLiteral(" nulls first");
}

QString pragma(const QString& sql) {
    static const QRegularExpression re(
        QStringLiteral("^\\s*pragma\\s+(\\w+)\\s*(?:=\\s*(\\w+))?\\s*;?\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = re.match(sql);
    const QString name = m.captured(1).toLower();
    const QString value = m.captured(2);
    // The file's journal and its syncing are the server's own business.
    if (name == QLatin1String("journal_mode") || name == QLatin1String("synchronous") ||
        name == QLatin1String("busy_timeout") || name == QLatin1String("foreign_keys")) {
        return {};
    }
    if (name == QLatin1String("user_version") && value.isEmpty()) {
        return QStringLiteral("select version as user_version from kov_version");
    }
    if (name == QLatin1String("query_only")) {
        const bool on = value == QLatin1String("1") ||
                        value.compare(QLatin1String("on"), Qt::CaseInsensitive) == 0 ||
                        value.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
        return QStringLiteral("set default_transaction_read_only = %1")
            .arg(on ? QLatin1String("on") : QLatin1String("off"));
    }
    throw DbError(
        QStringLiteral("Instructiunea nu se poate executa pe server: %1").arg(sql.simplified()));
}

}  // namespace

QString withoutRowLocks(const QString& sql) {
    if (!sql.contains(QLatin1String("for update"), Qt::CaseInsensitive)) {
        return sql;
    }
    static const QRegularExpression lock(QStringLiteral("\\s+for\\s+update\\b"),
                                         QRegularExpression::CaseInsensitiveOption);
    return QString(sql).remove(lock);
}

QString sqliteSql(const QString& sql) {
    QString out = withoutRowLocks(sql);
    out.replace(deleteStar(), QStringLiteral("\\1 \\2"));
    return out;
}

QString postgresSql(const QString& sql, bool inTransaction, int* placeholders) {
    static const QRegularExpression pragmaStart(QStringLiteral("^\\s*pragma\\b"),
                                                QRegularExpression::CaseInsensitiveOption);
    if (pragmaStart.match(sql).hasMatch()) {
        return pragma(sql);
    }
    static const QRegularExpression savepointStart(QStringLiteral("^\\s*savepoint\\b"),
                                                   QRegularExpression::CaseInsensitiveOption);
    if (!inTransaction && savepointStart.match(sql).hasMatch()) {
        return QStringLiteral("BEGIN");
    }
    QString source = sql;
    source.replace(deleteStar(), QStringLiteral("\\1 \\2"));
    const std::vector<Token> t = tokens(source);

    // Per parenthesis depth: inside a select list, inside an ORDER BY list.
    struct Level {
        bool fromSubquery = false;  // a select in FROM, which the server wants named
        bool selectList = false;
        bool orderBy = false;
        QString lastWord;  // the last word of the ORDER BY item being read
    };
    std::vector<Level> levels(1);
    QString out;
    out.reserve(source.size() + 32);
    int placeholder = 0;
    int subqueries = 0;
    const auto endOrderItem = [&out](Level& level) {
        if (level.orderBy && !level.lastWord.isEmpty() &&
            level.lastWord.compare(QLatin1String("nulls"), Qt::CaseInsensitive) != 0) {
            // Trailing blanks stay after the added words.
            qsizetype end = out.size();
            while (end > 0 && out[end - 1].isSpace()) {
                --end;
            }
            out.insert(end, nullsOrder(level.lastWord));
        }
        level.lastWord.clear();
    };
    for (size_t i = 0; i < t.size(); ++i) {
        const Token& tok = t[i];
        Level& level = levels.back();
        switch (tok.kind) {
            case Token::Placeholder:
                out += u'$' + QString::number(++placeholder);
                continue;
            case Token::Open: {
                out += tok.text;
                const Token* before = previousSolid(t, i);
                const Token* after = nextSolid(t, i + 1);
                levels.emplace_back();
                levels.back().fromSubquery = before && after && after->is("select") &&
                                             (before->is("from") || before->is("join"));
                continue;
            }
            case Token::Close: {
                endOrderItem(level);
                const bool named = level.fromSubquery;
                if (levels.size() > 1) {
                    levels.pop_back();
                }
                out += tok.text;
                const Token* after = nextSolid(t, i + 1);
                if (named && !(after && (after->is("as") ||
                                         (after->kind == Token::Word && !isClauseWord(*after))))) {
                    out += QStringLiteral(" as kov_") + QString::number(++subqueries);
                }
                continue;
            }
            case Token::Comma:
                endOrderItem(level);
                out += tok.text;
                continue;
            case Token::Semicolon:
                endOrderItem(level);
                level.orderBy = false;
                out += tok.text;
                continue;
            case Token::Word:
                break;
            default:
                if (level.orderBy && tok.kind != Token::Blank) {
                    level.lastWord = QStringLiteral("x");
                }
                out += tok.text;
                continue;
        }
        if (tok.is("select")) {
            level.selectList = true;
        } else if (tok.is("from")) {
            level.selectList = false;
        } else if (tok.is("by") && previousSolid(t, i) && previousSolid(t, i)->is("order")) {
            level.orderBy = true;
            out += tok.text;
            continue;
        } else if (level.orderBy && (tok.is("limit") || tok.is("offset") || tok.is("for") ||
                                     tok.is("union") || tok.is("except") || tok.is("intersect"))) {
            endOrderItem(level);
            level.orderBy = false;
        }
        if (tok.is("like")) {
            out += QStringLiteral("ilike");
        } else if (tok.is("rowid") && !(previousSolid(t, i) && previousSolid(t, i)->is("as"))) {
            const Token* next = nextSolid(t, i + 1);
            // A row id selected keeps its name; the column itself stays out of select *.
            const bool named = level.selectList && !(next && next->is("as"));
            out += QLatin1String(kRowIdColumn);
            if (named) {
                out += QStringLiteral(" as rowid");
            }
        } else {
            out += tok.text;
        }
        if (level.orderBy) {
            level.lastWord = tok.text;
        }
    }
    endOrderItem(levels.front());
    if (placeholders) {
        *placeholders = placeholder;
    }
    return out;
}

namespace {

bool isOperator(const Token& t) {
    static const QString chars = QStringLiteral("<>=!");
    return t.kind == Token::Other && chars.contains(t.text);
}

QString bareName(const QString& word) {
    return word.section(u'.', -1);
}

// The date column of the catalogue under this name in this table; empty when it is none.
QString dateColumn(const QString& table, const QString& column) {
    for (const TableInfo& t : schemaCatalogue()) {
        if (t.name.compare(table, Qt::CaseInsensitive) != 0) {
            continue;
        }
        for (const Column& c : t.columns) {
            if (c.kind == ColumnKind::Date && c.name.compare(column, Qt::CaseInsensitive) == 0) {
                return t.name + u'.' + c.name;
            }
        }
    }
    return {};
}

// The tokens of a statement without its blanks.
struct Solid {
    std::vector<Token> tokens;
};

Solid solidTokens(const QString& sql) {
    Solid out;
    for (Token& t : tokens(sql)) {
        if (t.kind != Token::Blank) {
            out.tokens.push_back(std::move(t));
        }
    }
    return out;
}

// The table a statement writes or reads first: after INTO, UPDATE or the first FROM.
QString tableOf(const std::vector<Token>& t) {
    for (size_t i = 0; i + 1 < t.size(); ++i) {
        if ((t[i].is("into") || t[i].is("update") || t[i].is("from")) &&
            t[i + 1].kind == Token::Word) {
            return bareName(t[i + 1].text);
        }
    }
    return {};
}

// The column an insert puts the value at token k into, by its place in its row of values.
QString insertColumn(const std::vector<Token>& t, size_t k, const QString& table) {
    size_t values = 0;
    while (values < t.size() && !t[values].is("values")) {
        ++values;
    }
    if (values >= k) {
        return {};
    }
    // The column list, when the insert gives one.
    QStringList columns;
    for (size_t i = 0; i < values; ++i) {
        if (t[i].kind == Token::Open) {
            for (size_t j = i + 1; j < values && t[j].kind != Token::Close; ++j) {
                if (t[j].kind == Token::Word) {
                    columns << t[j].text;
                }
            }
            break;
        }
    }
    if (columns.isEmpty()) {
        for (const TableInfo& info : schemaCatalogue()) {
            if (info.name.compare(table, Qt::CaseInsensitive) == 0) {
                for (const Column& c : info.columns) {
                    columns << c.name;
                }
            }
        }
    }
    int depth = 0;
    int item = 0;
    for (size_t i = values + 1; i < k; ++i) {
        if (t[i].kind == Token::Open) {
            ++depth;
            item = depth == 1 ? 0 : item;
        } else if (t[i].kind == Token::Close) {
            --depth;
        } else if (t[i].kind == Token::Comma && depth == 1) {
            ++item;
        }
    }
    return depth == 1 ? columns.value(item) : QString();
}

QString columnOfToken(const std::vector<Token>& t, size_t k) {
    const QString table = tableOf(t);
    if (!t.empty() && t.front().is("insert")) {
        return dateColumn(table, insertColumn(t, k, table));
    }
    size_t i = k;
    while (i > 0 && isOperator(t[i - 1])) {
        --i;
    }
    if (i == k || i == 0 || t[i - 1].kind != Token::Word) {
        return {};
    }
    return dateColumn(table, bareName(t[i - 1].text));
}

}  // namespace

QString placeholderDateColumn(const QString& sql, int placeholder) {
    const Solid s = solidTokens(sql);
    for (size_t k = 0; k < s.tokens.size(); ++k) {
        if (s.tokens[k].kind == Token::Placeholder && placeholder-- == 0) {
            return columnOfToken(s.tokens, k);
        }
    }
    return {};
}

QString nonIsoDateColumn(const QString& sql) {
    const Solid s = solidTokens(sql);
    for (size_t k = 0; k < s.tokens.size(); ++k) {
        const Token& tok = s.tokens[k];
        if (tok.kind != Token::Text) {
            continue;
        }
        const QString value =
            tok.text.mid(1, tok.text.size() - 2).replace(QStringLiteral("''"), QStringLiteral("'"));
        if (!parseIsoDate(value)) {
            if (const QString column = columnOfToken(s.tokens, k); !column.isEmpty()) {
                return column;
            }
        }
    }
    return {};
}

QString withValues(const QString& sql, const std::vector<Value>& values) {
    QString out;
    out.reserve(sql.size() + 16 * static_cast<qsizetype>(values.size()));
    size_t next = 0;
    for (const Token& tok : tokens(sql)) {
        if (tok.kind != Token::Placeholder || next >= values.size()) {
            out += tok.text;
            continue;
        }
        const Value& v = values[next++];
        if (const auto* i = std::get_if<long long>(&v)) {
            out += QString::number(*i);
        } else if (const auto* d = std::get_if<double>(&v)) {
            QString number = QString::number(*d, 'g', 15);
            if (!number.contains(u'.') && !number.contains(u'e') && !number.contains(u'n')) {
                number += QStringLiteral(".0");
            }
            out += number;
        } else if (const auto* text = std::get_if<QString>(&v)) {
            out += quoted(*text);
        } else {
            out += QStringLiteral("NULL");
        }
    }
    return out;
}

}  // namespace kov
