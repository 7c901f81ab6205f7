// The cash window as the owner uses it: a day's cash for the current agent with the salary from the
// rate and percentage, a second cash of the same day replaced after a question, the remainder never
// below zero, the period views with their totals and chart, input that cannot be a cash, a salary set
// up wrongly in the settings file, and the undo of a cash entry.
#include "app/Unit1.h"
#include "operations/Unit5.h"
#include "platform/NumberText.h"
#include "platform/RegionalSettings.h"
#include "store/FilteredLineEdit.h"
#include "store/Ledger.h"
#include "store/PaintedComboBox.h"
#include "store/ProgramState.h"
#include "store/Settings.h"
#include "tests/app/MainWindowFixture.h"

#include <QAction>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

namespace {

const char* const kTables[] = {"realizators.db", "tovar.db", "oper.db", "kassa.db", "info.db"};

QStringList headers(QTableView* grid) {
    QStringList out;
    for (int c = 0; c < grid->model()->columnCount(); ++c)
        out << grid->model()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    return out;
}

QString today() {
    return RegionalSettings::formatDate(QDate::currentDate());
}

class CashTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        installPrograms();
        salary(QStringLiteral("50"), QStringLiteral("10"));
        agent = addAgent(QStringLiteral("Петров"));
        addGoods(agent, QStringLiteral("Хлеб"), QStringLiteral("2"), QStringLiteral("1000"),
                 QStringLiteral("2000"));
        remainder(2000);
    }

    void salary(const QString& rate, const QString& percent) {
        WriteSetting(QStringLiteral("Money"), QStringLiteral("Labor Rate"), rate);
        WriteSetting(QStringLiteral("Money"), QStringLiteral("Percent"), percent);
    }
    void remainder(double value) {
        exec(QStringLiteral("UPDATE realizators SET ostatok=\"%1\" WHERE r_id=\"%2\"").arg(value).arg(agent));
    }
    void entry(const QString& date, const QString& cash, const QString& zp, int who = 0) {
        exec(QStringLiteral("INSERT INTO kassa VALUES(\"%1\",\"%2\",\"%3\",\"%4\")")
                 .arg(who ? who : agent)
                 .arg(date, cash, zp));
    }

    // Starts the program and opens the cash window from the main window's button.
    void open() {
        ASSERT_TRUE(start());
        QTest::mouseClick(Form1->Button7, Qt::LeftButton);
        Form5->FormActivate();
    }
    void typeCash(const QString& text) {
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, Form5->Edit1, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    void addCash(const QString& text) {
        typeCash(text);
        Form5->Timer1Timer();
        QTest::mouseClick(Form5->BitBtn1, Qt::LeftButton);
    }

    double ledgerValue(const QString& statement, const char* field) {
        Query q(&Ledger::engine());
        q.setSql(statement);
        q.open();
        return q.recordCount() > 0 ? q.fieldByName(QLatin1String(field)).asFloat() : -1;
    }
    double ostatok() {
        return ledgerValue(QStringLiteral("SELECT * FROM realizators WHERE r_id=\"%1\"").arg(agent),
                           "ostatok");
    }
    int entries() {
        Query q(&Ledger::engine());
        q.setSql(QStringLiteral("SELECT * FROM kassa"));
        q.open();
        return q.recordCount();
    }
    double todays(const char* field) {
        return ledgerValue(
            QStringLiteral("SELECT * FROM kassa WHERE r_id=\"%1\" AND k_date=\"%2\"").arg(agent).arg(today()),
            field);
    }
    QVector<QByteArray> tables() {
        Ledger::engine().closeTables();
        QVector<QByteArray> all;
        for (const char* name : kTables)
            all << readFile(QLatin1String(name));
        Ledger::engine().openTables();
        return all;
    }

    int agent = 0;
};

// ---- The first cash of a day ----------------------------------------------------------------------

struct SalaryCase {
    const char* rate;
    const char* percent;
    const char* typed;
    double cash;
    double zp;
};

class CashSalaryTest : public CashTest, public ::testing::WithParamInterface<SalaryCase> {};

TEST_P(CashSalaryTest, FirstCashOfTheDayWritesOneEntryWithTheSalaryAndLowersTheRemainder) {
    const SalaryCase c = GetParam();
    salary(QString::fromUtf8(c.rate), QString::fromUtf8(c.percent));
    open();
    addCash(QString::fromUtf8(c.typed));

    EXPECT_EQ(entries(), 1);
    EXPECT_DOUBLE_EQ(todays("k_summ"), c.cash);
    EXPECT_DOUBLE_EQ(todays("zp"), c.zp);
    EXPECT_DOUBLE_EQ(ostatok(), 2000 - c.cash);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(headers(Form5->DBGrid1), (QStringList{"Дата", "Касса", "Зарплата"}));
    EXPECT_EQ(column(Form5->DBGrid1, 0), QStringList{today()});
    EXPECT_EQ(column(Form5->DBGrid1, 2), QStringList{NumberText::general(c.zp)});
    EXPECT_EQ(Form5->Label6->text(), "Зарплата: " + NumberText::general(c.zp) + " грн.");
    EXPECT_EQ(Form5->Label7->text(), "Касса: " + NumberText::general(c.cash) + " грн.");
    EXPECT_TRUE(Form5->Edit1->text().isEmpty());
    EXPECT_EQ(Form5->GroupBox3->title(), QStringLiteral("За весь период"));
    Form1->Timer1Timer();
    EXPECT_EQ(Form1->N6->text(), QStringLiteral("Отменить добавление кассы"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CashSalaryTest,
    ::testing::Values(SalaryCase{"50", "10", "1234,56", 1234.56, 173.456}, // 50 + 10 × 1234.56 / 100
                      SalaryCase{"0", "10", "200", 200, 20},               // the percentage alone
                      SalaryCase{"50", "0", "200", 200, 50},               // the rate alone
                      SalaryCase{"7,5", "2,5", "150,", 150, 11.25}));      // trailing separator

// ---- A second cash of the same day ----------------------------------------------------------------

struct SecondCase {
    const char* typed;
    bool yes;
    const char* message; // the last box; a question starts with "Реализатор"
    double cash;
    double zp;
    double ostatok;
};

class SecondCashTest : public CashTest, public ::testing::WithParamInterface<SecondCase> {};

TEST_P(SecondCashTest, ReplacesTheDaysEntryOnlyAfterYes) {
    const SecondCase c = GetParam();
    entry(today(), QStringLiteral("100"), QStringLiteral("60"));
    remainder(500);
    open();
    answer({c.yes});
    addCash(QString::fromUtf8(c.typed));

    ASSERT_FALSE(boxes.empty());
    EXPECT_TRUE(boxes.back().text.startsWith(QString::fromUtf8(c.message)))
        << boxes.back().text.toStdString();
    EXPECT_EQ(entries(), 1);
    EXPECT_DOUBLE_EQ(todays("k_summ"), c.cash);
    EXPECT_DOUBLE_EQ(todays("zp"), c.zp);
    EXPECT_DOUBLE_EQ(ostatok(), c.ostatok);
    // Whatever the outcome, the whole period is shown again with the box emptied.
    EXPECT_EQ(column(Form5->DBGrid1, 1), QStringList{NumberText::general(c.cash)});
    EXPECT_EQ(headers(Form5->DBGrid1).value(2), QStringLiteral("Зарплата"));
    EXPECT_TRUE(Form5->Edit1->text().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SecondCashTest,
    ::testing::Values(
        SecondCase{"150", true, "Реализатор", 150, 65, 450}, // 500 + 100 − 150
        SecondCase{"150", false, "Реализатор", 100, 60, 500},
        SecondCase{"100", true, "Будьте внимательней! Такая запись уже существует!!!", 100, 60, 500},
        SecondCase{"100,00", true, "Будьте внимательней! Такая запись уже существует!!!", 100, 60, 500}));

TEST_F(CashTest, TheQuestionNamesTheAgentTheDayAndTheOldCash) {
    entry(today(), QStringLiteral("100.5"), QStringLiteral("60"));
    open();
    addCash(QStringLiteral("150"));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].kind, Messages::Kind::Question);
    EXPECT_EQ(boxes[0].caption, QStringLiteral("Зелмар"));
    EXPECT_EQ(boxes[0].text, "Реализатор Петров Иван Петрович " + today() +
                                 " уже сдал кассу (100,5грн). Вы действительно хотите обновить информацию?");
}

TEST_F(CashTest, TheRemainderStopsAtZeroAndAReplacementCountsFromZero) {
    remainder(100);
    open();
    addCash(QStringLiteral("150"));
    EXPECT_DOUBLE_EQ(ostatok(), 0);
    answer({true});
    addCash(QStringLiteral("120"));
    EXPECT_DOUBLE_EQ(ostatok(), 30); // 0 + 150 − 120
    EXPECT_DOUBLE_EQ(todays("k_summ"), 120);
}

// ---- Input that is not a cash ----------------------------------------------------------------------

TEST_F(CashTest, AddingIsEnabledOnlyForANonZeroCash) {
    open();
    const struct {
        const char* typed;
        bool enabled;
    } cases[] = {{"", false}, {"0", false}, {"0,00", false}, {"0,5", true}, {"150,", true}, {"12.5", true}};
    for (const auto& c : cases) {
        Form5->Edit1->clear();
        typeCash(QString::fromUtf8(c.typed));
        Form5->Timer1Timer();
        EXPECT_EQ(Form5->BitBtn1->isEnabled(), c.enabled) << c.typed;
    }
}

TEST_F(CashTest, PastedTextWithRefusedCharactersNeverReachesTheBox) {
    open();
    typeCash(QStringLiteral("12"));
    for (const char* pasted : {"5\"); DELETE FROM kassa", "abc", "-3", "1e5"}) {
        Form5->Edit1->insert(QString::fromUtf8(pasted));
        EXPECT_EQ(Form5->Edit1->text(), QStringLiteral("12")) << pasted;
    }
    // Digits and separators alone can still be no number; such text is never written.
    Form5->Edit1->insert(QStringLiteral(",3,4"));
    Form5->Timer1Timer();
    EXPECT_FALSE(Form5->BitBtn1->isEnabled());
    Form5->BitBtn1Click();
    EXPECT_EQ(boxes.back().text, QStringLiteral("Введите кассу!!!"));
    EXPECT_EQ(entries(), 0);
}

TEST_F(CashTest, ASalaryThatDoesNotReadAsANumberWritesNothing) {
    const struct {
        const char* rate;
        const char* percent;
    } cases[] = {{"7.5", "10"}, {"50", ""}, {"", "10"}, {"abc", "10"}};
    open();
    for (const auto& c : cases) {
        boxes.clear();
        State().laborRate = QString::fromUtf8(c.rate);
        State().percent = QString::fromUtf8(c.percent);
        addCash(QStringLiteral("100"));
        ASSERT_EQ(boxes.size(), 1u) << c.rate << "/" << c.percent;
        EXPECT_EQ(boxes[0].kind, Messages::Kind::Information);
        EXPECT_TRUE(boxes[0].text.startsWith(QStringLiteral("Зарплата настроена неверно")))
            << boxes[0].text.toStdString();
        EXPECT_EQ(entries(), 0);
        EXPECT_DOUBLE_EQ(ostatok(), 2000);
        EXPECT_EQ(Form5->Edit1->text(), QStringLiteral("100")); // kept for the next press
        Form5->Edit1->clear();
    }
}

// ---- Views ----------------------------------------------------------------------------------------

TEST_F(CashTest, ViewsShowTheCurrentAgentsEntriesOfThePeriodWithTotalsAndChart) {
    const int other = addAgent(QStringLiteral("Сидоров"));
    addGoods(other, QStringLiteral("Мыло"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"));
    entry(QStringLiteral("10.03.2004"), QStringLiteral("300"), QStringLiteral("80"));
    entry(QStringLiteral("01.03.2004"), QStringLiteral("100"), QStringLiteral("60"));
    entry(QStringLiteral("05.03.2004"), QStringLiteral("200.5"), QStringLiteral("70.05"));
    entry(QStringLiteral("05.03.2004"), QStringLiteral("999"), QStringLiteral("99"), other);
    open();
    ASSERT_EQ(Form5->Label1->text(), QStringLiteral("Петров Иван Петрович"));

    EXPECT_EQ(headers(Form5->DBGrid1), (QStringList{"Дата", "Касса", "Зарлата"}));
    EXPECT_EQ(column(Form5->DBGrid1, 0), (QStringList{"01.03.2004", "05.03.2004", "10.03.2004"}));
    EXPECT_EQ(Form5->Label6->text(), QStringLiteral("Зарплата: 210,05 грн."));
    EXPECT_EQ(Form5->Label7->text(), QStringLiteral("Касса: 600,5 грн."));
    ASSERT_EQ(Form5->Series1->count(), 3);
    EXPECT_DOUBLE_EQ(Form5->Series1->at(1).y(), 200.5);
    EXPECT_LT(Form5->Series1->at(0).x(), Form5->Series1->at(1).x());

    const struct {
        QDate from, to;
        QStringList dates;
        const char* salary;
        const char* cash;
    } periods[] = {
        {QDate(2004, 3, 5), QDate(2004, 3, 5), {"05.03.2004"}, "Зарплата: 70,05 грн.", "Касса: 200,5 грн."},
        {QDate(2004, 3, 6), QDate(2004, 3, 5), {}, "Зарплата: 0 грн.", "Касса: 0 грн."},
        {QDate(2004, 3, 1),
         QDate(2004, 3, 9),
         {"01.03.2004", "05.03.2004"},
         "Зарплата: 130,05 грн.",
         "Касса: 300,5 грн."}};
    for (const auto& p : periods) {
        Form5->DateTimePicker2->setDate(p.from);
        Form5->DateTimePicker3->setDate(p.to);
        QTest::mouseClick(Form5->Button1, Qt::LeftButton);
        EXPECT_EQ(column(Form5->DBGrid1, 0), p.dates);
        EXPECT_EQ(Form5->Series1->count(), p.dates.size());
        EXPECT_EQ(Form5->Label6->text(), QString::fromUtf8(p.salary));
        EXPECT_EQ(Form5->Label7->text(), QString::fromUtf8(p.cash));
        EXPECT_EQ(Form5->GroupBox3->title(), "За период с " + RegionalSettings::formatDate(p.from) + " по " +
                                                 RegionalSettings::formatDate(p.to));
        EXPECT_EQ(headers(Form5->DBGrid1).value(2), QStringLiteral("Зарлата"));
    }

    QTest::mouseClick(Form5->Button2, Qt::LeftButton);
    EXPECT_EQ(column(Form5->DBGrid1, 1), (QStringList{"100", "200,5", "300"}));
    EXPECT_EQ(Form5->GroupBox3->title(), QStringLiteral("За весь период"));

    // Coming back after choosing the other agent shows his entries and resets the input.
    Form5->Edit1->setText(QStringLiteral("5"));
    Form5->DateTimePicker1->setDate(QDate(2004, 1, 1));
    Form1->ComboBox1->setCurrentIndex(1);
    Form5->FormActivate();
    EXPECT_EQ(Form5->Label1->text(), QStringLiteral("Сидоров Иван Петрович"));
    EXPECT_EQ(column(Form5->DBGrid1, 1), QStringList{"999"});
    EXPECT_TRUE(Form5->Edit1->text().isEmpty());
    EXPECT_EQ(Form5->DateTimePicker1->date(), QDate::currentDate());
}

TEST_F(CashTest, TheCommandTickFitsTheWindowAndEscClosesIt) {
    open();
    Form1->Timer1Timer();
    EXPECT_EQ(Form5->size(), QSize(1024, 740));
    EXPECT_TRUE(Form5->isVisible());
    QTest::keyClick(Form5, Qt::Key_Escape);
    EXPECT_FALSE(Form5->isVisible());
    EXPECT_FALSE(Form5->Timer1->isActive());
}

// ---- Undo -----------------------------------------------------------------------------------------

TEST_F(CashTest, UndoAfterACashEntryPutsTheTablesBack) {
    entry(today(), QStringLiteral("100"), QStringLiteral("60"));
    open();
    const QVector<QByteArray> before = tables();
    answer({true});
    addCash(QStringLiteral("150"));
    ASSERT_DOUBLE_EQ(todays("k_summ"), 150);
    Form1->Timer1Timer();
    ASSERT_EQ(Form1->N6->text(), QStringLiteral("Отменить добавление кассы"));

    answer({true});
    Form1->N6->trigger();
    EXPECT_EQ(boxes.back().text, QStringLiteral("добавление кассы отменено"));
    EXPECT_DOUBLE_EQ(todays("k_summ"), 100);
    EXPECT_DOUBLE_EQ(ostatok(), 2000);
    const QVector<QByteArray> after = tables();
    for (int i = 0; i < 4; ++i) // info gets today's row again from the undo's history update
        EXPECT_EQ(after[i], before[i]) << kTables[i];
}

} // namespace
