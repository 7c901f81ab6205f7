// Number text as the ledger writes and reads it: the general format with 15 significant digits
// (trailing zeros dropped, no separator for a whole value, scientific form only below 0.00001 or
// above 15 integer digits) in the regional decimal separator, and the strict reading of such text.
#pragma once

#include <QChar>
#include <QString>

class NumberText {
public:
    // General format in the regional decimal separator: 12.5 gives "12,5" under a comma locale.
    static QString general(double value);
    // General format with the given separator.
    static QString general(double value, QChar separator);

    // Reads number text written with the given separator (the general format, plain digits, an
    // optional sign and exponent). No blanks, no group separators. False when the text is not a number.
    static bool read(const QString& text, QChar separator, double* value);
    // Reads number text in the regional decimal separator.
    static bool read(const QString& text, double* value);

    // Rounds half to even, as a Number field read as an integer does.
    static qint64 roundHalfEven(double value);
};
