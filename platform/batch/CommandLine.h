// Splits one batch line into tokens.
//
// Tokens are separated by blanks and tabs. A token that begins with a double quote runs to the first
// double quote that is followed by a blank or the end of the line; the enclosing quotes are removed and
// any quote inside stays part of the text. So a path that itself contains a quote is kept whole
// ("/tmp/we"ird/x" is one token, /tmp/we"ird/x), and a quote followed by a blank inside a path splits
// it into more tokens than its command takes, which the command refuses: a quote in a path never
// turns into a switch, a second path or another command. A quoted token without such an end is a
// stray quote and the whole line is refused. No other character is special: there is no variable
// expansion, redirection, piping or command chaining.
#pragma once

#include <QList>
#include <QString>

namespace batch {

struct Token {
    QString text;
    bool quoted = false;
};

class CommandLine {
public:
    // False with a message when the line holds a stray quote.
    static bool split(const QString& line, QList<Token>* tokens, QString* error);
};

} // namespace batch
