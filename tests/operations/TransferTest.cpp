// The transfer window as the user meets it: passing part or all of a goods line to another agent,
// the journal rows and remainders of both sides, the enabling rule and the count box's filters, the
// lists it offers, and the undo of a transfer.
#include "app/Unit1.h"
#include "operations/Unit4.h"
#include "platform/RegionalSettings.h"
#include "store/Ledger.h"
#include "store/PaintedComboBox.h"
#include "store/ProgramState.h"
#include "store/UndoSnapshot.h"
#include "tests/app/MainWindowFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

QStringList line(int agent, const QString& name) {
    return rows(
        QStringLiteral("SELECT * FROM tovar WHERE r_id=\"%1\" AND t_name=\"%2\"").arg(agent).arg(name),
        {"t_price", "t_col", "t_summ"});
}

QString remainder(int agent) {
    return rows(QStringLiteral("SELECT * FROM realizators WHERE r_id=\"%1\"").arg(agent), {"ostatok"})
        .value(0);
}

QStringList journal(int agent) {
    return rows(QStringLiteral("SELECT * FROM oper WHERE r_id=\"%1\"").arg(agent),
                {"o_date", "o_name", "o_komu", "t_name", "t_price", "t_col", "t_summ"});
}

QStringList items(QComboBox* box) {
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

class TransferTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        installPrograms();
        setSalary();
    }

    // Петров stands first in the agent list and is the giver.
    void seedGiverAndReceiver() {
        giver = addAgent(QStringLiteral("Петров"));
        receiver = addAgent(QStringLiteral("Сидоров"));
        addGoods(giver, QStringLiteral("Мыло"), QStringLiteral("3.5"), QStringLiteral("5"),
                 QStringLiteral("17.5"));
    }
    void open() {
        Form1->Button5Click();
        QCoreApplication::processEvents();
        Form4->FormActivate();
    }
    void type(const QString& count) {
        Form4->Edit2->clear();
        QTest::keyClicks(Form4->Edit2, count);
        Form4->Timer1Timer();
    }
    void transfer(const QString& count) {
        type(count);
        QTest::mouseClick(Form4->BitBtn1, Qt::LeftButton);
    }

    int giver = 0;
    int receiver = 0;
};

struct TransferCase {
    const char* typed;
    const char* receiverHolds; // the receiver's own Мыло line (price, count, sum), or "" for none
    const char* giverRemainder;
    const char* giverLine; // after, "" when the line is gone
    const char* receiverLine;
    const char* giverRemainderAfter;
    const char* receiverRemainderAfter;
    const char* journalCount;
    const char* journalSum;
};

class TransferTestCases : public TransferTest, public ::testing::WithParamInterface<TransferCase> {};

TEST_P(TransferTestCases, MovesGoodsValueAndJournalRowsBetweenTheAgents) {
    const TransferCase& c = GetParam();
    seedGiverAndReceiver();
    const QStringList own = QString::fromUtf8(c.receiverHolds).split(QLatin1Char(','), Qt::SkipEmptyParts);
    if (!own.isEmpty())
        addGoods(receiver, QStringLiteral("Мыло"), own[0], own[1], own[2]);
    exec(QStringLiteral("UPDATE realizators SET ostatok=\"%1\" WHERE r_id=\"%2\"")
             .arg(QLatin1String(c.giverRemainder))
             .arg(giver));
    ASSERT_TRUE(start());
    open();
    transfer(QString::fromUtf8(c.typed));

    EXPECT_TRUE(boxes.empty());
    const QString giverLine = QString::fromUtf8(c.giverLine);
    EXPECT_EQ(line(giver, QStringLiteral("Мыло")),
              giverLine.isEmpty() ? QStringList() : QStringList{giverLine});
    EXPECT_EQ(line(receiver, QStringLiteral("Мыло")), QStringList{QString::fromUtf8(c.receiverLine)});
    EXPECT_EQ(remainder(giver), QString::fromUtf8(c.giverRemainderAfter));
    EXPECT_EQ(remainder(receiver), QString::fromUtf8(c.receiverRemainderAfter));
    const QString today = RegionalSettings::formatDate(QDate::currentDate());
    const QString goods =
        QStringLiteral("|Мыло|3,5|%1|%2").arg(QLatin1String(c.journalCount), QString::fromUtf8(c.journalSum));
    EXPECT_EQ(journal(giver), QStringList{today + QStringLiteral("|Уход|Сидоров И.П.") + goods});
    EXPECT_EQ(journal(receiver), QStringList{today + QStringLiteral("|Приход|Петров И.П.") + goods});
}

INSTANTIATE_TEST_SUITE_P(Transfer, TransferTestCases,
                         ::testing::Values(
                             // Part of the line to an agent without the article.
                             TransferCase{"2", "", "20", "3,5|3|10,5", "3,5|2|7", "13", "7", "2", "7"},
                             // The whole line: the giver's line goes.
                             TransferCase{"5", "", "20", "", "3,5|5|17,5", "2,5", "17,5", "5", "17,5"},
                             // A leading zero is the same count: no line with count 0 is left behind.
                             TransferCase{"05", "", "20", "", "3,5|5|17,5", "2,5", "17,5", "5", "17,5"},
                             // The receiver's own price stays; his sum is computed at the giver's price.
                             TransferCase{"2", "4,1,4", "20", "3,5|3|10,5", "4|3|10,5", "13", "7", "2", "7"},
                             // The giver's remainder stops at 0; the receiver still gains the whole value.
                             TransferCase{"2", "", "4", "3,5|3|10,5", "3,5|2|7", "0", "7", "2", "7"}));

TEST_F(TransferTest, OffersEveryOtherAgentAndStartsAfreshAfterATransfer) {
    giver = addAgent(QStringLiteral("Петров"));
    receiver = addAgent(QStringLiteral("Сидоров"));
    const int kozlov = addAgent(QStringLiteral("Тихонов"));
    addGoods(giver, QStringLiteral("Мыло"), QStringLiteral("3.5"), QStringLiteral("5"),
             QStringLiteral("17.5"));
    addGoods(giver, QStringLiteral("Хлеб"), QStringLiteral("2"), QStringLiteral("7"), QStringLiteral("14"));
    ASSERT_TRUE(start());
    open();
    EXPECT_EQ(Form4->windowTitle(), QStringLiteral("Передача товара"));
    EXPECT_EQ(Form4->Label1->text(), QStringLiteral("Петров Иван Петрович"));
    EXPECT_EQ(items(Form4->ComboBox1), (QStringList{"Сидоров Иван Петрович", "Тихонов Иван Петрович"}));
    EXPECT_EQ(State().receiverIds.mid(0, 2), (QVector<int>{receiver, kozlov}));
    EXPECT_EQ(items(Form4->ComboBox2), (QStringList{"Мыло", "Хлеб"}));
    EXPECT_EQ(Form4->Edit1->text(), QStringLiteral("3,5"));
    EXPECT_EQ(Form4->Edit3->text(), QStringLiteral("5"));
    EXPECT_FALSE(Form4->Edit1->isEnabled());
    EXPECT_FALSE(Form4->Edit3->isEnabled());

    // Choosing another article shows its price and holding; the count stays.
    type(QStringLiteral("7"));
    Form4->ComboBox2->setCurrentIndex(1);
    EXPECT_EQ(Form4->Edit1->text(), QStringLiteral("2"));
    EXPECT_EQ(Form4->Edit3->text(), QStringLiteral("7"));
    EXPECT_EQ(Form4->Edit2->text(), QStringLiteral("7"));

    Form4->ComboBox1->setCurrentIndex(1);
    transfer(QStringLiteral("3"));
    EXPECT_EQ(line(kozlov, QStringLiteral("Хлеб")), QStringList{"2|3|6"});
    EXPECT_EQ(line(receiver, QStringLiteral("Хлеб")), QStringList());
    EXPECT_TRUE(Form4->isVisible());
    EXPECT_EQ(Form4->ComboBox1->currentIndex(), 0);
    EXPECT_EQ(Form4->ComboBox2->currentText(), QStringLiteral("Мыло"));
    EXPECT_EQ(Form4->Edit3->text(), QStringLiteral("5"));
    EXPECT_EQ(Form4->Edit2->text(), QString());
    // The main window shows the giver's new holding.
    EXPECT_EQ(State().heldGoods.goodsCount(1), QStringLiteral("4"));
}

TEST_F(TransferTest, TheButtonNeedsACountWithinTheHoldingAndAReceiver) {
    seedGiverAndReceiver();
    ASSERT_TRUE(start());
    open();
    const struct {
        const char* typed;
        bool enabled;
    } cases[] = {{"", false}, {"0", false}, {"00", false}, {"6", false},
                 {"5", true}, {"1", true},  {"05", true}};
    for (const auto& c : cases) {
        type(QLatin1String(c.typed));
        EXPECT_EQ(Form4->BitBtn1->isEnabled(), c.enabled) << c.typed;
    }

    // Only digits reach the count box, typed or pasted.
    type(QStringLiteral("1a-,.2"));
    EXPECT_EQ(Form4->Edit2->text(), QStringLiteral("12"));
    for (const char* pasted : {"3\"", "3a", "-3"}) {
        QApplication::clipboard()->setText(QString::fromLatin1(pasted));
        Form4->Edit2->selectAll();
        Form4->Edit2->paste(); // as the box's own menu pastes
        EXPECT_EQ(Form4->Edit2->text(), QStringLiteral("12")) << pasted;
    }
    QApplication::clipboard()->setText(QStringLiteral("3"));
    Form4->Edit2->selectAll();
    Form4->Edit2->paste();
    EXPECT_EQ(Form4->Edit2->text(), QStringLiteral("3"));

    // With no other agent left there is no receiver, and no transfer.
    Ledger::engine().execute(QStringLiteral("DELETE FROM realizators WHERE r_id=\"%1\"").arg(receiver));
    Form4->FormActivate();
    EXPECT_EQ(Form4->ComboBox1->count(), 0);
    type(QStringLiteral("1"));
    EXPECT_FALSE(Form4->BitBtn1->isEnabled());
}

TEST_F(TransferTest, AGiverWithoutGoodsGetsEmptyBoxes) {
    giver = addAgent(QStringLiteral("Петров"));
    receiver = addAgent(QStringLiteral("Сидоров"));
    addGoods(receiver, QStringLiteral("Мыло"), QStringLiteral("3.5"), QStringLiteral("5"),
             QStringLiteral("17.5"));
    ASSERT_TRUE(start());
    open();
    EXPECT_EQ(Form4->ComboBox2->count(), 0);
    EXPECT_EQ(Form4->Edit1->text(), QString());
    EXPECT_EQ(Form4->Edit3->text(), QString());
    type(QStringLiteral("1"));
    EXPECT_FALSE(Form4->BitBtn1->isEnabled());
}

// Enter can press the button before the next tick disables it for a count typed above the holding.
TEST_F(TransferTest, ACountAboveTheHoldingIsRefusedEvenBeforeTheTick) {
    seedGiverAndReceiver();
    ASSERT_TRUE(start());
    open();
    type(QStringLiteral("5"));
    ASSERT_TRUE(Form4->BitBtn1->isEnabled());
    QTest::keyClicks(Form4->Edit2, "0");
    QTest::mouseClick(Form4->BitBtn1, Qt::LeftButton);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(
        boxes[0].text,
        QStringLiteral(
            "Количество товара(50) не должно превышать количество, которое имеется у реализатора (5)!!!"));
    EXPECT_EQ(line(giver, QStringLiteral("Мыло")), QStringList{"3,5|5|17,5"});
    EXPECT_EQ(line(receiver, QStringLiteral("Мыло")), QStringList());
    EXPECT_EQ(journal(giver), QStringList());
    EXPECT_FALSE(QFile::exists(path("backup/undo/text")));
}

TEST_F(TransferTest, UndoPutsTheTablesBack) {
    seedGiverAndReceiver();
    exec(QStringLiteral("UPDATE realizators SET ostatok=\"20\" WHERE r_id=\"%1\"").arg(giver));
    ASSERT_TRUE(start());
    const auto dump = [] {
        return rows(QStringLiteral("SELECT * FROM tovar"), {"r_id", "t_name", "t_price", "t_col", "t_summ"}) +
               rows(QStringLiteral("SELECT * FROM realizators"), {"r_id", "ostatok", "dolg"}) +
               rows(QStringLiteral("SELECT * FROM oper"), {"r_id", "o_name", "t_col"});
    };
    const QStringList before = dump();
    open();
    transfer(QStringLiteral("2"));
    ASSERT_NE(dump(), before);
    Form1->Timer1Timer(); // the command tick reads the snapshot's description
    answer({true});
    ASSERT_TRUE(UndoLastOperation());
    EXPECT_EQ(boxes.front().text, QStringLiteral("Вы действительно хотите отменить передачу товара?"));
    EXPECT_EQ(boxes.back().text, QStringLiteral("передачу товара отменено"));
    EXPECT_EQ(dump(), before);
}

} // namespace
