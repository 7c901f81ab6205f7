// The general number format and its strict reading: what the ledger writes into statements and
// labels must read back exactly.
#include "platform/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct GeneralCase {
    double value;
    const char* comma; // with a comma separator
};

class GeneralFormat : public ::testing::TestWithParam<GeneralCase> {};

TEST_P(GeneralFormat, WritesFifteenSignificantDigits) {
    const GeneralCase& c = GetParam();
    EXPECT_EQ(NumberText::general(c.value, QLatin1Char(',')).toStdString(), c.comma);
    QString point = QString::fromLatin1(c.comma);
    point.replace(QLatin1Char(','), QLatin1Char('.'));
    EXPECT_EQ(NumberText::general(c.value, QLatin1Char('.')), point);
}

INSTANTIATE_TEST_SUITE_P(Cases, GeneralFormat,
                         ::testing::Values(GeneralCase{0, "0"}, GeneralCase{25, "25"}, GeneralCase{12.5, "12,5"},
                                           GeneralCase{-3.75, "-3,75"}, GeneralCase{10, "10"},
                                           GeneralCase{0.1 + 0.2, "0,3"}, GeneralCase{2.5 * 4, "10"},
                                           GeneralCase{1.0 / 3, "0,333333333333333"},
                                           GeneralCase{123456789012345.0, "123456789012345"},
                                           GeneralCase{1234567890123456.0, "1,23456789012346E15"},
                                           GeneralCase{0.00001, "0,00001"}, GeneralCase{0.000001, "1E-6"},
                                           GeneralCase{0.0000015, "1,5E-6"}, GeneralCase{-0.5, "-0,5"},
                                           GeneralCase{1e20, "1E20"}, GeneralCase{100.25, "100,25"}));

TEST(NumberTextRead, ReadsBackEveryTextTheFormatWrites) {
    const double values[] = {0,      1,         -1,       12.5,          0.3,    1.0 / 3, 123456789012345.0,
                             1.5e16, 0.000001, 1.5e-7, 99999.99, -0.00002, 7304,   1e20};
    for (double value : values) {
        for (QChar separator : {QLatin1Char(','), QLatin1Char('.')}) {
            const QString text = NumberText::general(value, separator);
            double back = -12345;
            ASSERT_TRUE(NumberText::read(text, separator, &back)) << text.toStdString();
            EXPECT_DOUBLE_EQ(back, std::stod(NumberText::general(value, QLatin1Char('.')).toStdString()))
                << text.toStdString();
        }
    }
}

TEST(NumberTextRead, RefusesWhatIsNotANumber) {
    for (const char* text : {"", " 1", "1 ", "1,5", "1.2.3", "1e", "e5", "abc", "1 000", "+", ".", "inf", "nan", "0x10",
                             "１２"}) {
        double value = 0;
        EXPECT_FALSE(NumberText::read(QString::fromUtf8(text), QLatin1Char('.'), &value)) << text;
    }
    double value = 0;
    EXPECT_TRUE(NumberText::read(QStringLiteral("-3.75"), QLatin1Char('.'), &value));
    EXPECT_EQ(value, -3.75);
    EXPECT_TRUE(NumberText::read(QStringLiteral("007"), QLatin1Char('.'), &value));
    EXPECT_EQ(value, 7);
}

TEST(NumberTextRound, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(NumberText::roundHalfEven(2.5), 2);
    EXPECT_EQ(NumberText::roundHalfEven(3.5), 4);
    EXPECT_EQ(NumberText::roundHalfEven(-2.5), -2);
    EXPECT_EQ(NumberText::roundHalfEven(2.51), 3);
    EXPECT_EQ(NumberText::roundHalfEven(7), 7);
}

} // namespace
