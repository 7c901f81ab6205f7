// The shared procedures against a fresh program folder: remainders never below zero, goods lines
// found letter case aside and written with a point whatever the locale, short names for the journal,
// the held-goods lookup and the key filters of the number boxes.
#include "platform/ConversionError.h"
#include "platform/RegionalSettings.h"
#include "store/Settings.h"
#include "store/procedures.h"
#include "tests/support/ProgramFolderTest.h"

#include <QFile>

namespace {

class ProceduresTest : public ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        Ledger::open(folder);
        Ledger::engine().openTables();
        ExecWorkQuery(QStringLiteral("INSERT INTO realizators(r_fam,r_name,r_otch,r_pasport,r_adres,ostatok,dolg)"
                                     "VALUES(\"Петров\",\"Иван\",\"Сергеевич\",\"АА1\",\"Киев\",\"0\",\"0\")"));
        agent = int(OpenWorkQuery(QStringLiteral("SELECT * FROM realizators")).fieldByName(QStringLiteral("r_id")).asInteger());
    }
    void TearDown() override {
        Ledger::close();
        ProgramFolderTest::TearDown();
    }

    void setRemainder(const char* value) {
        ExecWorkQuery(QStringLiteral("UPDATE realizators SET ostatok=\"%1\" WHERE r_id=\"%2\"").arg(QLatin1String(value)).arg(agent));
    }
    QString remainderText() {
        // Raw statement text as stored, independent of the locale.
        RegionalSettings::set(QStringLiteral("dd.MM.yyyy"), QStringLiteral("HH:mm:ss"), QLatin1Char('.'));
        const QString text = OpenWorkQuery(QStringLiteral("SELECT ostatok FROM realizators WHERE r_id=\"%1\"").arg(agent))
                                 .fieldByName(QStringLiteral("ostatok"))
                                 .asString();
        RegionalSettings::set(QStringLiteral("dd.MM.yyyy"), QStringLiteral("HH:mm:ss"), QLatin1Char(','));
        return text;
    }
    QStringList goods() {
        Query& q = OpenWorkQuery(QStringLiteral("SELECT * FROM tovar WHERE r_id=\"%1\" ORDER BY t_name").arg(agent));
        QStringList out;
        for (q.first(); !q.eof(); q.next())
            out << QStringLiteral("%1|%2|%3|%4")
                       .arg(q.fieldByName(QStringLiteral("t_name")).asString(), q.fieldByName(QStringLiteral("t_price")).asString(),
                            q.fieldByName(QStringLiteral("t_col")).asString(), q.fieldByName(QStringLiteral("t_summ")).asString());
        return out;
    }

    int agent = 0;
};

TEST_F(ProceduresTest, RemainderNeverDropsBelowZeroAndIsWrittenWithAPoint) {
    const struct {
        const char* start;
        double amount;
        const char* result;
    } cases[] = {{"100", -150, "0"}, {"100", -100, "0"}, {"0", 12.5, "12.5"}, {"10.25", 2.5, "12.75"}, {"5", -2, "3"}};
    for (const auto& c : cases) {
        setRemainder(c.start);
        AddToRemainder(agent, c.amount);
        EXPECT_EQ(remainderText().toStdString(), c.result) << c.start << " + " << c.amount;
    }
    // An agent without a row: nothing to change, nothing raised.
    EXPECT_NO_THROW(AddToRemainder(9999, 10));
}

TEST_F(ProceduresTest, GoodsLineIsCreatedOrIncreasedKeepingItsPrice) {
    AddToGoodsLine(agent, QStringLiteral("3"), QStringLiteral("10"), QStringLiteral("Мыло"));
    EXPECT_EQ(goods(), QStringList{QStringLiteral("Мыло|10|3|30")});
    // The receiver holds 3 at 10; 2 more at 10,5: count 5, sum computed with the price passed in.
    AddToGoodsLine(agent, QStringLiteral("2"), QStringLiteral("10,5"), QStringLiteral("Мыло"));
    EXPECT_EQ(goods(), QStringList{QStringLiteral("Мыло|10|5|52,5")});
    // Another letter case finds the same line.
    AddToGoodsLine(agent, QStringLiteral("1"), QStringLiteral("10"), QStringLiteral("мЫЛО"));
    EXPECT_EQ(goods(), QStringList{QStringLiteral("Мыло|10|6|60")});
    // The count is stored as typed on insert.
    AddToGoodsLine(agent, QStringLiteral("04"), QStringLiteral("2,5"), QStringLiteral("Хлеб"));
    EXPECT_EQ(goods().last(), QStringLiteral("Хлеб|2,5|4|10"));
}

TEST_F(ProceduresTest, GoodsLineWithBadNumbersWritesNothing) {
    EXPECT_THROW(AddToGoodsLine(agent, QStringLiteral("x"), QStringLiteral("10"), QStringLiteral("Мыло")), ConversionError);
    EXPECT_THROW(AddToGoodsLine(agent, QStringLiteral("2"), QStringLiteral("1.0.0"), QStringLiteral("Мыло")), ConversionError);
    EXPECT_TRUE(goods().isEmpty());
}

TEST(Procedures, NameWithInitials) {
    const struct {
        const char* name;
        const char* shortName;
    } cases[] = {
        {"Петров Иван Сергеевич", "Петров И.С."}, {"Петров Иван", "И."}, {"Ab.cd", "b."},
        {"Петров", ""}, {"", ""}, {"Константинопольский Иван Петрович", "Константинопольский И.П."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NameWithInitials(QString::fromUtf8(c.name)).toStdString(), c.shortName) << c.name;
}

TEST(Procedures, LowerCaseRuFoldsLatinAndRussianCapitalsOnly) {
    EXPECT_EQ(LowerCaseRu(QStringLiteral("ХЛЕБ Ёлка ABC")), QStringLiteral("хлеб Ёлка abc"));
    EXPECT_EQ(LowerCaseRu(QStringLiteral("ЄІЇҐ АЯ az09")), QStringLiteral("ЄІЇҐ ая az09"));
}

TEST(Procedures, FindHeldGoodsMatchesWholeNamesLetterCaseAside) {
    State() = ProgramState();
    State().heldGoods.append(QStringLiteral("Мыло"), QStringLiteral("1"), QStringLiteral("1"));
    State().heldGoods.append(QStringLiteral("Хлеб"), QStringLiteral("2"), QStringLiteral("3"));
    EXPECT_EQ(FindHeldGoods(QStringLiteral("хлеб"), QStringLiteral("true")), QStringLiteral("1"));
    EXPECT_EQ(FindHeldGoods(QStringLiteral("хлеб"), QStringLiteral("false")), QStringLiteral("Хлеб"));
    EXPECT_EQ(FindHeldGoods(QStringLiteral("хле"), QStringLiteral("true")), QStringLiteral("False"));
    EXPECT_EQ(FindHeldGoods(QStringLiteral("Хлеб "), QStringLiteral("true")), QStringLiteral("False"));
    // The empty entry after the last one matches an empty name.
    EXPECT_EQ(FindHeldGoods(QString(), QStringLiteral("true")), QStringLiteral("2"));
}

TEST(Procedures, HeldGoodsListGrowsPastAMillion) {
    State() = ProgramState();
    for (int i = 0; i < 1000002; ++i)
        State().heldGoods.append(QString(), QString(), QString());
    State().heldGoods.names.last() = QStringLiteral("Последний");
    EXPECT_EQ(FindHeldGoods(QStringLiteral("последний"), QStringLiteral("true")), QStringLiteral("1000001"));
    State() = ProgramState();
}

TEST(Procedures, DecimalSeparatorFollowsTheRegionalSettings) {
    RegionalSettings::set(QStringLiteral("dd.MM.yyyy"), QStringLiteral("HH:mm:ss"), QLatin1Char(','));
    EXPECT_FALSE(HasDecimalSeparator(QString()));
    EXPECT_TRUE(HasDecimalSeparator(QStringLiteral("12,5")));
    EXPECT_FALSE(HasDecimalSeparator(QStringLiteral("12.5")));
    EXPECT_EQ(DecimalSeparatorKey(QLatin1Char('.')), QLatin1Char(','));
    EXPECT_EQ(CommaToPoint(QStringLiteral("-3,75")), QStringLiteral("-3.75"));
    RegionalSettings::useSystem();
}

TEST(Procedures, MoneyKeyFilter) {
    RegionalSettings::set(QStringLiteral("dd.MM.yyyy"), QStringLiteral("HH:mm:ss"), QLatin1Char(','));
    const QChar refused;
    const struct {
        const char* text;
        int caret;
        QChar typed;
        QChar result;
    } cases[] = {
        {"", 0, QLatin1Char('5'), QLatin1Char('5')},      {"", 0, QLatin1Char(','), refused},
        {"", 0, QLatin1Char('a'), refused},               {"", 0, QLatin1Char('-'), refused},
        {"12", 2, QLatin1Char('.'), QLatin1Char(',')},    {"12", 2, QLatin1Char(','), QLatin1Char(',')},
        {"12,5", 4, QLatin1Char(','), refused},           {"12,5", 4, QLatin1Char('3'), QLatin1Char('3')},
        {"12,55", 5, QLatin1Char('3'), refused},          {"12,55", 3, QLatin1Char('3'), refused},
        {"12,55", 2, QLatin1Char('3'), QLatin1Char('3')}, {"12,55", 5, kBackspace, kBackspace},
        {"1,25", 4, QLatin1Char('0'), refused},           {"1,2", 3, QLatin1Char('5'), QLatin1Char('5')},
        {"100", 3, QLatin1Char('0'), QLatin1Char('0')},   {"", 0, kBackspace, kBackspace},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MoneyKeyFilter(QString::fromLatin1(c.text), c.caret, c.typed), c.result)
            << c.text << " caret " << c.caret << " key " << c.typed.toLatin1();
    RegionalSettings::set(QStringLiteral("dd.MM.yyyy"), QStringLiteral("HH:mm:ss"), QLatin1Char('.'));
    EXPECT_EQ(MoneyKeyFilter(QStringLiteral("12"), 2, QLatin1Char(',')), QLatin1Char('.'));
    RegionalSettings::useSystem();
}

TEST(Procedures, DigitKeyFilter) {
    for (char c = '0'; c <= '9'; ++c)
        EXPECT_EQ(DigitKeyFilter(QLatin1Char(c)), QLatin1Char(c));
    EXPECT_EQ(DigitKeyFilter(kBackspace), kBackspace);
    for (QChar c : {QChar(u','), QChar(u'.'), QChar(u'-'), QChar(u' '), QChar(0x0417)})
        EXPECT_TRUE(DigitKeyFilter(c).isNull());
}

} // namespace

namespace {

// The settings file every program folder starts from, byte for byte.
TEST(DefaultSettingsFile, IsWindows1251WithCrLfAndTheEmptyPasswordDigest) {
    QFile file(QStringLiteral(ZELMAR_DATA_DIR "/Zelmar.ini"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("[Color]\r\nCl1=16777215\r\nCl2=15724527\r\nCl3=8421376\r\nCl4=16777215\r\nCl5=0\r\n"
                                         "Cl6=12632256\r\n\r\n[Money]\r\nLabor Rate=\r\nPercent=\r\n\r\n[Security]\r\nPwd=") +
                                  PasswordDigest(QString()).toLatin1() + "\r\n\r\n[Other]\r\nBc=30\r\n");
}

} // namespace
