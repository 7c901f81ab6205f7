#include "CommandLine.h"

namespace batch {

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

} // namespace

bool CommandLine::split(const QString& line, QList<Token>* tokens, QString* error) {
    tokens->clear();
    const qsizetype n = line.size();
    qsizetype i = 0;
    while (i < n) {
        while (i < n && isBlank(line.at(i)))
            ++i;
        if (i >= n)
            break;
        Token token;
        if (line.at(i) == u'"') {
            qsizetype end = -1;
            for (qsizetype j = i + 1; j < n; ++j) {
                if (line.at(j) == u'"' && (j + 1 == n || isBlank(line.at(j + 1)))) {
                    end = j;
                    break;
                }
            }
            if (end < 0) {
                *error = QStringLiteral("непарная кавычка в строке");
                return false;
            }
            token.text = line.mid(i + 1, end - i - 1);
            token.quoted = true;
            i = end + 1;
        } else {
            const qsizetype start = i;
            while (i < n && !isBlank(line.at(i)))
                ++i;
            token.text = line.mid(start, i - start);
        }
        tokens->append(token);
    }
    return true;
}

} // namespace batch
