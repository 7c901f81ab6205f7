#include "platform/NumberText.h"

#include "platform/RegionalSettings.h"

#include <cmath>

namespace {

constexpr int kPrecision = 15;

// Strips trailing zeros of a digit string, keeping at least one digit.
QString withoutTrailingZeros(QString digits) {
    int end = digits.size();
    while (end > 1 && digits.at(end - 1) == QLatin1Char('0'))
        --end;
    digits.truncate(end);
    return digits;
}

} // namespace

QString NumberText::general(double value) { return general(value, RegionalSettings::decimalSeparator()); }

QString NumberText::general(double value, QChar separator) {
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (value == 0.0)
        return QStringLiteral("0");

    // 15 significant digits and the decimal exponent after rounding: d.dddddddddddddd e<exp>
    // QString::number is independent of the C library's locale, which Qt sets from the environment.
    const QString text = QString::number(value, 'e', kPrecision - 1);
    const bool negative = text.startsWith(QLatin1Char('-'));
    const int mantissaStart = negative ? 1 : 0;
    const int ePos = text.indexOf(QLatin1Char('e'));
    const QString digits = text.mid(mantissaStart, 1) + text.mid(mantissaStart + 2, ePos - mantissaStart - 2);
    const int exponent = text.mid(ePos + 1).toInt();
    const QString sign = negative ? QStringLiteral("-") : QString();

    const bool fixed = exponent + 1 <= kPrecision && std::fabs(value) >= 0.00001;
    if (!fixed) {
        const QString significant = withoutTrailingZeros(digits);
        QString mantissa = significant.left(1);
        if (significant.size() > 1)
            mantissa += separator + significant.mid(1);
        return sign + mantissa + QLatin1Char('E') + QString::number(exponent);
    }
    if (exponent >= 0) {
        const QString whole = digits.left(exponent + 1);
        const QString fraction = withoutTrailingZeros(digits.mid(exponent + 1));
        if (fraction.isEmpty() || fraction == QLatin1String("0"))
            return sign + whole;
        return sign + whole + separator + fraction;
    }
    const QString fraction = withoutTrailingZeros(QString(-exponent - 1, QLatin1Char('0')) + digits);
    return sign + QLatin1Char('0') + separator + fraction;
}

bool NumberText::read(const QString& text, QChar separator, double* value) {
    // Accepted shape: [sign] digits [sep digits] [E [sign] digits], at least one digit before the exponent.
    const int n = text.size();
    int i = 0;
    QByteArray plain;
    plain.reserve(n);
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        plain += char(text[i++].unicode());
    int digits = 0;
    while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
        plain += char(text[i++].unicode());
        ++digits;
    }
    if (i < n && text[i] == separator) {
        plain += '.';
        ++i;
        while (i < n && text[i].unicode() >= '0' && text[i].unicode() <= '9') {
            plain += char(text[i++].unicode());
            ++digits;
        }
    }
    if (digits == 0)
        return false;
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        plain += 'e';
        ++i;
        if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
            plain += char(text[i++].unicode());
        int expDigits = 0;
        while (i < n && text[i].unicode() >= '0' && text[i].unicode() <= '9') {
            plain += char(text[i++].unicode());
            ++expDigits;
        }
        if (expDigits == 0)
            return false;
    }
    if (i != n)
        return false;
    bool ok = false;
    const double parsed = plain.toDouble(&ok); // C locale whatever the process locale is
    if (!ok || !std::isfinite(parsed))
        return false;
    *value = parsed;
    return true;
}

bool NumberText::read(const QString& text, double* value) {
    return read(text, RegionalSettings::decimalSeparator(), value);
}

qint64 NumberText::roundHalfEven(double value) { return static_cast<qint64>(std::nearbyint(value)); }
