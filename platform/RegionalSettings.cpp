#include "platform/RegionalSettings.h"

#include <QRegularExpression>

namespace {

struct Settings {
    QString datePattern;
    QString timePattern;
    QChar separator;
};

Settings fromLocale(const QLocale& locale) {
    return {RegionalSettings::adaptDatePattern(locale.dateFormat(QLocale::ShortFormat)),
            RegionalSettings::adaptTimePattern(locale.timeFormat(QLocale::LongFormat)),
            RegionalSettings::adaptSeparator(locale.decimalPoint())};
}

Settings& current() {
    static Settings settings = fromLocale(QLocale::system());
    return settings;
}

} // namespace

QString RegionalSettings::shortDatePattern() { return current().datePattern; }
QString RegionalSettings::longTimePattern() { return current().timePattern; }
QChar RegionalSettings::decimalSeparator() { return current().separator; }

QLocale RegionalSettings::numberLocale() {
    QLocale locale = decimalSeparator() == QLatin1Char(',') ? QLocale(QLocale::Russian, QLocale::Ukraine) : QLocale::c();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale;
}

QString RegionalSettings::formatDate(const QDate& date) { return date.toString(current().datePattern); }
QString RegionalSettings::formatTime(const QTime& time) { return time.toString(current().timePattern); }

QDate RegionalSettings::parseDate(const QString& text) {
    QDate date = QDate::fromString(text, current().datePattern);
    // Qt reads "5.3.2004" by "dd.MM.yyyy" only when the pattern has single letters; accept both widths,
    // as a user of the regional settings would expect.
    if (!date.isValid()) {
        QString loose = current().datePattern;
        loose.replace(QLatin1String("dd"), QLatin1String("d")).replace(QLatin1String("MM"), QLatin1String("M"));
        date = QDate::fromString(text, loose);
    }
    return date;
}

QTime RegionalSettings::parseTime(const QString& text) {
    QTime time = QTime::fromString(text, current().timePattern);
    if (!time.isValid()) {
        QString loose = current().timePattern;
        loose.replace(QLatin1String("HH"), QLatin1String("H"))
            .replace(QLatin1String("mm"), QLatin1String("m"))
            .replace(QLatin1String("ss"), QLatin1String("s"));
        time = QTime::fromString(text, loose);
    }
    return time;
}

void RegionalSettings::useLocale(const QLocale& locale) { current() = fromLocale(locale); }

void RegionalSettings::set(const QString& datePattern, const QString& timePattern, QChar separator) {
    current() = {adaptDatePattern(datePattern), adaptTimePattern(timePattern), adaptSeparator(QString(separator))};
}

void RegionalSettings::useSystem() { useLocale(QLocale::system()); }

// A date pattern serves when it is numeric day, month and four-digit year, each once, with
// separators that are neither letters nor path separators (it also names the backup archives).
QString RegionalSettings::adaptDatePattern(const QString& pattern) {
    static const QRegularExpression part(QStringLiteral("^(d{1,2}|M{1,2}|yyyy)([^A-Za-z0-9/\\\\:*?\"<>|]{1,2})"
                                                        "(d{1,2}|M{1,2}|yyyy)\\2(d{1,2}|M{1,2}|yyyy)$"));
    const QRegularExpressionMatch match = part.match(pattern);
    if (match.hasMatch()) {
        QString letters;
        for (int i : {1, 3, 4})
            letters += match.captured(i).at(0);
        letters = QString(letters).toLower();
        if (letters.contains(QLatin1Char('d')) && letters.contains(QLatin1Char('m')) && letters.contains(QLatin1Char('y')))
            return pattern;
    }
    return QStringLiteral("dd.MM.yyyy");
}

// A time pattern serves when it is 24-hour hours, minutes and seconds; a time zone is dropped.
QString RegionalSettings::adaptTimePattern(const QString& pattern) {
    QString trimmed = pattern;
    trimmed.remove(QRegularExpression(QStringLiteral("\\s*t+\\s*"))).squeeze();
    trimmed = trimmed.trimmed();
    static const QRegularExpression hms(QStringLiteral("^H{1,2}([:.])mm\\1ss$"));
    if (hms.match(trimmed).hasMatch())
        return trimmed;
    return QStringLiteral("HH:mm:ss");
}

QChar RegionalSettings::adaptSeparator(const QString& separator) {
    if (separator == QLatin1String(",") || separator == QLatin1String("."))
        return separator.at(0);
    return QLatin1Char(',');
}
