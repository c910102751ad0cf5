#include "SqlSecrets.h"

#include <QList>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

struct Token {
    enum Kind { Word, Literal, Symbol } kind;
    qsizetype start;
    qsizetype end; // one past the last character
    QString text;  // words lower-cased without back-quotes; symbols as written
};

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'$' || c == u'.' || c == u'`';
}

// A literal ends at its unescaped closing quote; a doubled quote and a backslash escape stay inside.
qsizetype literalEnd(const QString& sql, qsizetype i)
{
    const QChar quote = sql.at(i);
    for (++i; i < sql.size(); ++i) {
        if (sql.at(i) == u'\\') {
            ++i;
        } else if (sql.at(i) == quote) {
            if (i + 1 < sql.size() && sql.at(i + 1) == quote)
                ++i;
            else
                return i + 1;
        }
    }
    return sql.size();
}

QList<Token> tokens(const QString& sql)
{
    QList<Token> out;
    qsizetype i = 0;
    while (i < sql.size()) {
        const QChar c = sql.at(i);
        if (c.isSpace()) {
            ++i;
        } else if (c == u'\'' || c == u'"') {
            const qsizetype end = literalEnd(sql, i);
            out.append({Token::Literal, i, end, {}});
            i = end;
        } else if (isWordChar(c)) {
            qsizetype end = i;
            while (end < sql.size() && isWordChar(sql.at(end)))
                ++end;
            QString word = sql.mid(i, end - i).toLower();
            word.remove(u'`');
            out.append({Token::Word, i, end, word.mid(word.lastIndexOf(u'.') + 1)});
            i = end;
        } else {
            qsizetype end = i + 1;
            if ((c == u'<' || c == u'!') && end < sql.size() && (sql.at(end) == u'>' || sql.at(end) == u'='))
                ++end;
            out.append({Token::Symbol, i, end, sql.mid(i, end - i)});
            i = end;
        }
    }
    return out;
}

bool isWord(const QList<Token>& t, qsizetype i, const QString& word)
{
    return i >= 0 && i < t.size() && t[i].kind == Token::Word && t[i].text == word;
}

bool isSymbol(const QList<Token>& t, qsizetype i, const QString& symbol)
{
    return i >= 0 && i < t.size() && t[i].kind == Token::Symbol && t[i].text == symbol;
}

bool isComparison(const QList<Token>& t, qsizetype i)
{
    return isSymbol(t, i, u"="_s) || isSymbol(t, i, u"<>"_s) || isSymbol(t, i, u"!="_s) || isWord(t, i, u"like"_s);
}

// Literals of an account statement or compared with / assigned to a password column.
bool secretByContext(const QList<Token>& t, qsizetype i)
{
    if (isWord(t, i - 1, u"by"_s) && isWord(t, i - 2, u"identified"_s))
        return true;
    if (isWord(t, i - 1, u"password"_s) && isWord(t, i - 2, u"by"_s))
        return true;
    if (isWord(t, i - 1, u"using"_s))
        return true;
    if (isSymbol(t, i - 1, u"("_s) && isWord(t, i - 2, u"password"_s))
        return true;
    return isComparison(t, i - 1) && i >= 2 && t[i - 2].kind == Token::Word && SqlSecrets::isSecretColumn(t[i - 2].text);
}

// The value positions of "INSERT|REPLACE INTO table (columns) VALUES (...), (...)" that fill a
// password column.
void markInsertedSecrets(const QList<Token>& t, QList<bool>& secret)
{
    for (qsizetype i = 0; i + 1 < t.size(); ++i) {
        if (!isWord(t, i, u"into"_s) || t[i + 1].kind != Token::Word || !isSymbol(t, i + 2, u"("_s))
            continue;
        QStringList columns;
        qsizetype j = i + 3;
        for (; j < t.size() && !isSymbol(t, j, u")"_s); ++j) {
            if (t[j].kind == Token::Word)
                columns << t[j].text;
        }
        if (!isWord(t, j + 1, u"values"_s))
            continue;
        int depth = 0;
        int position = 0;
        for (j += 2; j < t.size(); ++j) {
            if (isSymbol(t, j, u"("_s)) {
                if (depth++ == 0)
                    position = 0;
            } else if (isSymbol(t, j, u")"_s)) {
                if (--depth < 0)
                    break;
            } else if (depth == 1 && isSymbol(t, j, u","_s)) {
                ++position;
            } else if (depth == 1 && t[j].kind == Token::Literal && position < columns.size()
                       && SqlSecrets::isSecretColumn(columns[position])) {
                secret[j] = true;
            } else if (depth == 0 && !isSymbol(t, j, u","_s)) {
                break;
            }
        }
    }
}

} // namespace

bool SqlSecrets::isSecretColumn(const QString& column)
{
    const QString c = column.toLower();
    return c.contains(u"pwd"_s) || c.contains(u"passw"_s) || c.contains(u"secret"_s);
}

QString SqlSecrets::masked(const QString& sql)
{
    const QList<Token> t = tokens(sql);
    QList<bool> secret(t.size(), false);
    markInsertedSecrets(t, secret);
    QString out = sql;
    // From the end, so the positions before each replacement stay valid.
    for (qsizetype i = t.size() - 1; i >= 0; --i) {
        if (t[i].kind == Token::Literal && (secret[i] || secretByContext(t, i)))
            out.replace(t[i].start, t[i].end - t[i].start, u"'****'"_s);
    }
    return out;
}

} // namespace asv
