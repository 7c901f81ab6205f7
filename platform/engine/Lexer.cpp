#include "platform/engine/Lexer.h"

#include "platform/engine/EngineError.h"

namespace {

bool isWordStart(QChar c) { return c.isLetter() || c == QLatin1Char('_'); }
bool isWordPart(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }

} // namespace

QVector<Token> Lexer::split(const QString& statement, QString* shape) {
    QVector<Token> tokens;
    shape->clear();
    shape->reserve(statement.size());
    const int n = statement.size();
    int i = 0;
    while (i < n) {
        const QChar c = statement.at(i);
        if (c.isSpace()) {
            ++i;
            continue;
        }
        const int start = i;
        if (c == QLatin1Char('"')) {
            const int close = statement.indexOf(QLatin1Char('"'), i + 1);
            if (close < 0)
                throw EngineError(QStringLiteral("Кавычка без пары в позиции %1 оператора: %2").arg(start + 1).arg(statement));
            // A closing quote is followed by a blank, a comma, a bracket or the end; anything else means
            // the value itself held a quote.
            if (close + 1 < n) {
                const QChar after = statement.at(close + 1);
                if (!after.isSpace() && after != QLatin1Char(',') && after != QLatin1Char(')'))
                    throw EngineError(QStringLiteral("Кавычка внутри значения в позиции %1 оператора: %2")
                                          .arg(close + 1)
                                          .arg(statement));
            }
            tokens.push_back({Token::Kind::Literal, statement.mid(i + 1, close - i - 1), start});
            shape->append(close == i + 1 ? QLatin1String("\"\" ") : QLatin1String("\"?\" "));
            i = close + 1;
        } else if (isWordStart(c)) {
            while (i < n && isWordPart(statement.at(i)))
                ++i;
            const QString word = statement.mid(start, i - start);
            tokens.push_back({Token::Kind::Word, word, start});
            shape->append(word.toUpper());
            shape->append(QLatin1Char(' '));
        } else if (c == QLatin1Char('<') && i + 1 < n && statement.at(i + 1) == QLatin1Char('>')) {
            tokens.push_back({Token::Kind::Symbol, QStringLiteral("<>"), start});
            shape->append(QLatin1String("<> "));
            i += 2;
        } else if (c == QLatin1Char('*') || c == QLatin1Char(',') || c == QLatin1Char('(') || c == QLatin1Char(')') ||
                   c == QLatin1Char('=')) {
            tokens.push_back({Token::Kind::Symbol, QString(c), start});
            shape->append(c);
            shape->append(QLatin1Char(' '));
            ++i;
        } else if (c == QLatin1Char('\'')) {
            throw EngineError(
                QStringLiteral("Одиночная кавычка в позиции %1 оператора: значения пишутся в двойных кавычках: %2")
                    .arg(start + 1)
                    .arg(statement));
        } else if (c.isDigit() || c == QLatin1Char('-') || c == QLatin1Char('.')) {
            throw EngineError(QStringLiteral("Значение без кавычек в позиции %1 оператора: %2").arg(start + 1).arg(statement));
        } else {
            throw EngineError(QStringLiteral("Недопустимый символ «%1» в позиции %2 оператора: %3")
                                  .arg(c)
                                  .arg(start + 1)
                                  .arg(statement));
        }
    }
    tokens.push_back({Token::Kind::End, QString(), n});
    return tokens;
}
