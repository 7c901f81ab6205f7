// The regional settings the ledger writes and reads dates, times and numbers by: the short date
// pattern, the long time pattern and the decimal separator. They come from the system locale, adapted
// where the locale's own patterns cannot serve (a date becomes part of a backup file name, so it must
// be numeric and free of path separators; a time is always hours, minutes and seconds). Tests set them.
#pragma once

#include <QChar>
#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>

class RegionalSettings {
public:
    // Short date pattern in QDate::toString() notation, e.g. "dd.MM.yyyy".
    static QString shortDatePattern();
    // Long time pattern in QTime::toString() notation, e.g. "HH:mm:ss".
    static QString longTimePattern();
    // The character between the whole and the fractional part of a number.
    static QChar decimalSeparator();

    // A locale that writes numbers with the regional decimal separator and no group separators, for
    // widgets that format numbers themselves (chart axes).
    static QLocale numberLocale();

    static QString formatDate(const QDate& date);
    static QString formatTime(const QTime& time);
    // An invalid QDate / QTime when the text does not read by the pattern.
    static QDate parseDate(const QString& text);
    static QTime parseTime(const QString& text);

    // Takes the three settings from a locale, adapting what cannot serve.
    static void useLocale(const QLocale& locale);
    // Sets the three settings directly; patterns that cannot serve are adapted the same way.
    static void set(const QString& datePattern, const QString& timePattern, QChar separator);
    // Back to the system locale.
    static void useSystem();

    static QString adaptDatePattern(const QString& pattern);
    static QString adaptTimePattern(const QString& pattern);
    static QChar adaptSeparator(const QString& separator);
};
