// Splits a one-line statement into words, double-quoted literals and the few symbols the statement
// forms use. Every double-quoted item is a literal; a literal runs to the next double quote, so a
// value holding a quote cannot end early unnoticed: what follows it no longer parses, and a quote
// left without its pair is refused here.
#pragma once

#include <QString>
#include <QVector>

struct Token {
    enum class Kind { Word, Literal, Symbol, End };
    Kind kind;
    QString text; // a word as written, a literal's content, or the symbol
    int position; // character index in the statement, for messages
};

class Lexer {
public:
    // The tokens, ending with an End token. `shape` receives the statement with words folded to
    // upper case and each literal reduced to whether it is empty: statements of one shape compile
    // to the same SQLite statement. Throws EngineError for a stray quote or a foreign character.
    static QVector<Token> split(const QString& statement, QString* shape);
};
