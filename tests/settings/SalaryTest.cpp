// The salary settings window as the owner uses it: the enabling of "Сохранить" by the two boxes, the
// money key filter and pasted text, saving into [Money] and the program state, the close guard on a
// first start, the refill on every activation, a refused write, and a cash entry made right after
// saving.
#include "app/Unit1.h"
#include "operations/Unit5.h"
#include "settings/Unit9.h"
#include "store/FilteredLineEdit.h"
#include "store/Ledger.h"
#include "store/ProgramState.h"
#include "store/Settings.h"
#include "tests/app/MainWindowFixture.h"

#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

class SalaryTest : public MainWindowTest {
protected:
    // Starts the program; with the salary not set up the main window opens this window itself.
    void open() {
        ASSERT_TRUE(start());
        QCoreApplication::processEvents();
        if (!Form9->isVisible())
            Form1->N16Click();
        Form9->FormActivate();
    }
    void type(QWidget* box, const QString& text) {
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    void fill(const QString& rate, const QString& percent) {
        Form9->Edit1->clear();
        Form9->Edit2->clear();
        type(Form9->Edit1, rate);
        type(Form9->Edit2, percent);
        Form9->Timer1Timer();
    }
    QString stored(const char* key) { return ReadSetting(QStringLiteral("Money"), QLatin1String(key)); }
    QString lastText() const { return boxes.empty() ? QString() : boxes.back().text; }
};

TEST_F(SalaryTest, SaveIsEnabledForTwoNumbersWithThePercentAtMost100) {
    setSalary();
    open();
    const struct {
        const char* rate;
        const char* percent;
        bool enabled;
    } cases[] = {{"50", "100", true}, {"50", "100,5", false}, {"50", "101", false}, {"", "10", false},
                 {"50", "", false},   {"0", "0", true},       {"12,5", "7,", true}};
    for (const auto& c : cases) {
        fill(QString::fromUtf8(c.rate), QString::fromUtf8(c.percent));
        EXPECT_EQ(Form9->BitBtn1->isEnabled(), c.enabled) << c.rate << " / " << c.percent;
    }
}

TEST_F(SalaryTest, TheMoneyKeyFilterGovernsTypedKeys) {
    setSalary();
    open();
    const struct {
        const char* before;
        int caret;
        const char* key;
        const char* after;
    } cases[] = {
        {"12", 2, ".", "12,"},       // a point enters the decimal separator
        {"12,5", 4, ",", "12,5"},    // a second separator is refused
        {"", 0, ",", ""},            // no separator into an empty box
        {"12,34", 5, "5", "12,34"},  // two digits after the separator already
        {"12,34", 0, "9", "912,34"}, // in front of them digits still go in
        {"12", 2, "a", "12"},        // letters are refused
    };
    for (const auto& c : cases) {
        Form9->Edit1->setText(QString::fromUtf8(c.before));
        Form9->Edit1->setCursorPosition(c.caret);
        type(Form9->Edit1, QString::fromUtf8(c.key));
        EXPECT_EQ(Form9->Edit1->text(), QString::fromUtf8(c.after)) << c.before << " + " << c.key;
    }
    Form9->Edit2->clear();
    type(Form9->Edit2, QStringLiteral("100,55"));
    EXPECT_EQ(Form9->Edit2->text(), QStringLiteral("100,5")); // five characters at most
}

TEST_F(SalaryTest, PastedTextThatIsNoNumberIsNeverStored) {
    setSalary();
    open();
    fill(QStringLiteral("50"), QStringLiteral("5"));
    for (const char* pasted : {"\"", "1\"\r\n[Security]", "abc", "-5", "1e2"}) {
        Form9->Edit1->insert(QString::fromUtf8(pasted));
        EXPECT_EQ(Form9->Edit1->text(), QStringLiteral("50")) << pasted;
    }
    Form9->Edit1->insert(QStringLiteral(",5,5")); // digits and separators that are still no number
    Form9->Timer1Timer();
    EXPECT_FALSE(Form9->BitBtn1->isEnabled());
    // Pressed before the tick has caught up: nothing is written.
    Form9->BitBtn1Click();
    EXPECT_EQ(stored("Labor Rate"), QStringLiteral("50"));
    EXPECT_EQ(State().laborRate, QStringLiteral("50"));
    EXPECT_TRUE(Form9->isVisible());
    EXPECT_NE(lastText(), QStringLiteral("Зарплата успешно сохранена."));
}

TEST_F(SalaryTest, AHandEditedValueShowsButCannotBeSavedAgain) {
    WriteSetting(QStringLiteral("Money"), QStringLiteral("Labor Rate"), QStringLiteral("7.5"));
    WriteSetting(QStringLiteral("Money"), QStringLiteral("Percent"), QStringLiteral("5"));
    open();
    EXPECT_EQ(Form9->Edit1->text(), QStringLiteral("7.5"));
    Form9->Timer1Timer();
    EXPECT_FALSE(Form9->BitBtn1->isEnabled());
}

TEST_F(SalaryTest, FirstStartInsistsOnTheSalaryUntilSaved) {
    open();
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.front().text, QStringLiteral("Необходимо настроить зарплату!!!"));
    ASSERT_TRUE(Form9->isVisible());
    EXPECT_EQ(Form9->windowTitle(), QStringLiteral("Настройка зарплаты"));
    EXPECT_EQ(Form9->Memo1->toPlainText(),
              QStringLiteral("Зарплата вычисляется по формуле:\n\n\"Ставка\"+\"Касса\" Х \"Процент\" / 100"));

    // Values typed but not saved do not satisfy the guard.
    fill(QStringLiteral("50"), QStringLiteral("10"));
    QTest::mouseClick(Form9->BitBtn2, Qt::LeftButton);
    EXPECT_EQ(lastText(), QStringLiteral("Нельзя закрыть окно, не настроив зарплату!!!"));
    EXPECT_TRUE(Form9->isVisible());
    for (int attempt = 0; attempt < 2; ++attempt) { // the title bar, then Esc
        boxes.clear();
        if (attempt == 0)
            Form9->close();
        else
            QTest::keyClick(Form9, Qt::Key_Escape);
        EXPECT_EQ(lastText(), QStringLiteral("Нельзя закрыть окно, не настроив зарплату!!!")) << attempt;
        EXPECT_TRUE(Form9->isVisible()) << attempt;
    }

    Form9->FormActivate();
    fill(QStringLiteral("50"), QStringLiteral("10"));
    QTest::mouseClick(Form9->BitBtn1, Qt::LeftButton);
    EXPECT_EQ(lastText(), QStringLiteral("Зарплата успешно сохранена."));
    EXPECT_FALSE(Form9->isVisible());
    EXPECT_FALSE(Form9->Timer1->isActive());
    EXPECT_EQ(stored("Labor Rate"), QStringLiteral("50"));
    EXPECT_EQ(stored("Percent"), QStringLiteral("10"));
    EXPECT_EQ(State().laborRate, QStringLiteral("50"));
    EXPECT_EQ(State().percent, QStringLiteral("10"));
}

TEST_F(SalaryTest, BeforeAnyExitTheTitleBarMayCloseTheWindowUnsaved) {
    open();
    ASSERT_TRUE(Form9->isVisible());
    Form9->close();
    EXPECT_FALSE(Form9->isVisible());
    EXPECT_TRUE(stored("Labor Rate").isEmpty());
}

TEST_F(SalaryTest, EveryActivationRefillsTheBoxesFromTheFile) {
    setSalary();
    open();
    fill(QStringLiteral("99"), QStringLiteral("9"));
    Form9->FormActivate();
    EXPECT_EQ(Form9->Edit1->text(), QStringLiteral("50"));
    EXPECT_EQ(Form9->Edit2->text(), QStringLiteral("5"));
    // While the window shows, the main window's tick keeps handing it the focus.
    Form1->Timer1Timer();
    EXPECT_TRUE(Form9->isVisible());
}

TEST_F(SalaryTest, ARefusedWriteKeepsTheOldValuesAndTheWindow) {
    setSalary();
    open();
    fill(QStringLiteral("60"), QStringLiteral("6"));
    const QString real = State().programFolder;
    State().programFolder = real + QStringLiteral("нет такой папки/");
    QTest::mouseClick(Form9->BitBtn1, Qt::LeftButton);
    State().programFolder = real;
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back().kind, Messages::Kind::Error);
    EXPECT_TRUE(boxes.back().text.startsWith(QStringLiteral("Unable to write to ")))
        << boxes.back().text.toStdString();
    EXPECT_EQ(State().laborRate, QStringLiteral("50"));
    EXPECT_EQ(State().percent, QStringLiteral("5"));
    EXPECT_TRUE(Form9->isVisible());
    EXPECT_EQ(stored("Labor Rate"), QStringLiteral("50"));
}

TEST_F(SalaryTest, ACashEntryRightAfterSavingUsesTheNewValues) {
    installPrograms();
    setSalary();
    const int agent = addAgent(QStringLiteral("Петров"));
    addGoods(agent, QStringLiteral("Хлеб"), QStringLiteral("2"), QStringLiteral("100"),
             QStringLiteral("200"));
    open();
    fill(QStringLiteral("7,5"), QStringLiteral("2,5"));
    QTest::mouseClick(Form9->BitBtn1, Qt::LeftButton);
    ASSERT_FALSE(Form9->isVisible());

    Form1->Button7Click();
    Form5->FormActivate();
    type(Form5->Edit1, QStringLiteral("200"));
    Form5->Timer1Timer();
    QTest::mouseClick(Form5->BitBtn1, Qt::LeftButton);
    Query q(&Ledger::engine());
    q.setSql(QStringLiteral("SELECT * FROM kassa"));
    q.open();
    ASSERT_EQ(q.recordCount(), 1);
    EXPECT_DOUBLE_EQ(q.fieldByName(QStringLiteral("zp")).asFloat(), 12.5); // 7,5 + 200 × 2,5 / 100
}

} // namespace
