// Regional settings: the locale's patterns where they can serve, the fallbacks where they cannot.
#include "platform/RegionalSettings.h"

#include <gtest/gtest.h>

namespace {

class RegionalSettingsTest : public ::testing::Test {
protected:
    void TearDown() override { RegionalSettings::useSystem(); }
};

TEST_F(RegionalSettingsTest, DatePatternMustBeNumericWithFourDigitYearAndNoPathSeparator) {
    const struct {
        const char* pattern;
        const char* adapted;
    } cases[] = {
        {"dd.MM.yyyy", "dd.MM.yyyy"}, {"d.M.yyyy", "d.M.yyyy"},     {"yyyy-MM-dd", "yyyy-MM-dd"},
        {"MM/dd/yyyy", "dd.MM.yyyy"}, {"dd.MM.yy", "dd.MM.yyyy"},   {"d MMM yyyy", "dd.MM.yyyy"},
        {"dd\\MM\\yyyy", "dd.MM.yyyy"}, {"dd.dd.yyyy", "dd.MM.yyyy"}, {"", "dd.MM.yyyy"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RegionalSettings::adaptDatePattern(QString::fromLatin1(c.pattern)).toStdString(), c.adapted) << c.pattern;
}

TEST_F(RegionalSettingsTest, TimePatternIsTwentyFourHourWithoutZone) {
    EXPECT_EQ(RegionalSettings::adaptTimePattern(QStringLiteral("HH:mm:ss t")), QStringLiteral("HH:mm:ss"));
    EXPECT_EQ(RegionalSettings::adaptTimePattern(QStringLiteral("H:mm:ss")), QStringLiteral("H:mm:ss"));
    EXPECT_EQ(RegionalSettings::adaptTimePattern(QStringLiteral("h:mm:ss AP t")), QStringLiteral("HH:mm:ss"));
    EXPECT_EQ(RegionalSettings::adaptTimePattern(QStringLiteral("HH:mm")), QStringLiteral("HH:mm:ss"));
}

TEST_F(RegionalSettingsTest, RussianAndAmericanLocales) {
    RegionalSettings::useLocale(QLocale(QLocale::Russian, QLocale::Russia));
    EXPECT_EQ(RegionalSettings::shortDatePattern(), QStringLiteral("dd.MM.yyyy"));
    EXPECT_EQ(RegionalSettings::decimalSeparator(), QLatin1Char(','));
    EXPECT_EQ(RegionalSettings::formatDate(QDate(2004, 3, 5)), QStringLiteral("05.03.2004"));
    EXPECT_EQ(RegionalSettings::formatTime(QTime(14, 5, 9)), QStringLiteral("14:05:09"));

    RegionalSettings::useLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(RegionalSettings::shortDatePattern(), QStringLiteral("dd.MM.yyyy"));
    EXPECT_EQ(RegionalSettings::longTimePattern(), QStringLiteral("HH:mm:ss"));
    EXPECT_EQ(RegionalSettings::decimalSeparator(), QLatin1Char('.'));
}

TEST_F(RegionalSettingsTest, ParsesWhatItFormatsAndRefusesTheRest) {
    RegionalSettings::set(QStringLiteral("dd.MM.yyyy"), QStringLiteral("HH:mm:ss"), QLatin1Char(','));
    EXPECT_EQ(RegionalSettings::parseDate(QStringLiteral("05.03.2004")), QDate(2004, 3, 5));
    EXPECT_EQ(RegionalSettings::parseDate(QStringLiteral("5.3.2004")), QDate(2004, 3, 5));
    EXPECT_FALSE(RegionalSettings::parseDate(QStringLiteral("32.01.2004")).isValid());
    EXPECT_FALSE(RegionalSettings::parseDate(QStringLiteral("2004-03-05")).isValid());
    EXPECT_EQ(RegionalSettings::parseTime(QStringLiteral("14:05:09")), QTime(14, 5, 9));
    EXPECT_FALSE(RegionalSettings::parseTime(QStringLiteral("25:00:00")).isValid());
}

} // namespace
