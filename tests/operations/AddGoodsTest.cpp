// The add-goods window through the real windows: completing a typed prefix to a known article and
// taking its locked price, a new and an existing goods line, the enabling rule, the key filters typed
// and pasted, the window's life between activations, the undo, and a refused statement writing nothing.
#include "app/Unit1.h"
#include "operations/Unit3.h"
#include "platform/HelpContext.h"
#include "platform/RegionalSettings.h"
#include "platform/engine/Engine.h"
#include "store/FilteredLineEdit.h"
#include "store/Ledger.h"
#include "store/PaintedComboBox.h"
#include "tests/app/MainWindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <sqlite3.h>

#include <algorithm>

namespace {

class AddGoodsTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        installPrograms();
        setSalary();
    }

    // The main window's button opens the window; the activation runs as the window system would run it.
    void openWindow() {
        Form1->Timer1Timer();
        QTest::mouseClick(Form1->Button4, Qt::LeftButton);
        ASSERT_TRUE(Form3->isVisible());
        Form3->FormActivate();
    }
    QStringList goodsLines(int agent) {
        return rows(QStringLiteral("SELECT * FROM tovar WHERE r_id=\"%1\" ORDER BY t_name").arg(agent),
                    {"t_name", "t_price", "t_col", "t_summ"});
    }
    QStringList journal(int agent) {
        return rows(QStringLiteral("SELECT * FROM oper WHERE r_id=\"%1\"").arg(agent),
                    {"o_date", "o_name", "o_komu", "t_name", "t_price", "t_col", "t_summ"});
    }
    QString remainder(int agent) {
        return rows(QStringLiteral("SELECT * FROM realizators WHERE r_id=\"%1\"").arg(agent), {"ostatok"})
            .value(0);
    }
    QStringList history() { return rows(QStringLiteral("SELECT * FROM info"), {"i_date", "i_summ"}); }
    QString today() const { return RegionalSettings::formatDate(QDate::currentDate()); }
    QStringList boxTexts() const {
        return {Form3->ComboBox1->currentText(), Form3->Edit1->text(), Form3->Edit2->text()};
    }
};

struct LineCase {
    const char* title;
    bool agentHoldsBread;
    QStringList linesAfter;
    QString journalName;
    QString totalAfter;
};

class AddGoodsLineTest : public AddGoodsTest, public ::testing::WithParamInterface<LineCase> {};

// Андреев is current; Борисов holds 2 «Хлеб» at 12,5, so the article list knows its price.
TEST_P(AddGoodsLineTest, APrefixCompletesToTheArticleAndItsPriceGoesIntoTheAgentsLine) {
    const LineCase& c = GetParam();
    const int agent = addAgent(QStringLiteral("Андреев"));
    const int other = addAgent(QStringLiteral("Борисов"));
    addGoods(other, QStringLiteral("Хлеб"), QStringLiteral("12.5"), QStringLiteral("2"),
             QStringLiteral("25"));
    if (c.agentHoldsBread)
        addGoods(agent, QStringLiteral("Хлеб"), QStringLiteral("12.5"), QStringLiteral("6"),
                 QStringLiteral("75"));
    ASSERT_TRUE(start());
    openWindow();
    EXPECT_EQ(HelpContext::of(Form3->ComboBox1), 8);
    EXPECT_EQ(HelpContext::of(Form3->BitBtn1), 8);

    typeText(Form3->ComboBox1, QStringLiteral("хл"));
    EXPECT_EQ(Form3->ComboBox1->currentText(), QStringLiteral("хлеб"));
    EXPECT_EQ(Form3->ComboBox1->lineEdit()->selectedText(), QStringLiteral("еб"));
    EXPECT_EQ(Form3->Edit1->text(), QStringLiteral("12,5"));
    EXPECT_FALSE(Form3->Edit1->isEnabled());
    typeText(Form3->Edit2, QStringLiteral("4"));
    Form3->Timer1Timer();
    ASSERT_TRUE(Form3->BitBtn1->isEnabled());
    QTest::mouseClick(Form3->BitBtn1, Qt::LeftButton);

    EXPECT_EQ(goodsLines(agent), c.linesAfter);
    EXPECT_EQ(goodsLines(other), QStringList({QStringLiteral("Хлеб|12,5|2|25")}));
    EXPECT_EQ(journal(agent), QStringList({today() + QStringLiteral("|Приход|Хозяин|") + c.journalName +
                                           QStringLiteral("|12,5|4|50")}));
    EXPECT_EQ(remainder(agent), QStringLiteral("50"));
    EXPECT_EQ(history(), QStringList({today() + QLatin1Char('|') + c.totalAfter}));

    // Ready for the next article; the known article's price stays locked until the name changes.
    EXPECT_TRUE(Form3->isVisible());
    EXPECT_EQ(boxTexts(), QStringList(3, QString()));
    EXPECT_EQ(Form3->focusWidget(), Form3->ComboBox1);
    EXPECT_FALSE(Form3->Edit1->isEnabled());
    typeText(Form3->ComboBox1, QStringLiteral("Мел"));
    EXPECT_TRUE(Form3->Edit1->isEnabled());

    EXPECT_EQ(Form1->DBGrid1->model()->rowCount(), c.linesAfter.size());
    Form1->Timer1Timer();
    EXPECT_EQ(Form1->N6->text(), QStringLiteral("Отменить добавление товара"));
    EXPECT_TRUE(std::none_of(boxes.begin(), boxes.end(),
                             [](const Messages::Box& b) { return b.kind == Messages::Kind::Error; }));
}

INSTANTIATE_TEST_SUITE_P(
    Lines, AddGoodsLineTest,
    ::testing::Values(
        // A new line keeps the letter case as typed and completed.
        LineCase{"NewLine",
                 false,
                 {QStringLiteral("хлеб|12,5|4|50")},
                 QStringLiteral("хлеб"),
                 QStringLiteral("75")},
        // The held line, found letter case aside, grows; the journal shows what was added.
        LineCase{"HeldLine",
                 true,
                 {QStringLiteral("Хлеб|12,5|10|125")},
                 QStringLiteral("Хлеб"),
                 QStringLiteral("150")}),
    [](const ::testing::TestParamInfo<LineCase>& info) { return std::string(info.param.title); });

TEST_F(AddGoodsTest, TheNameDecidesThePriceBox) {
    const int agent = addAgent(QStringLiteral("Андреев"));
    addGoods(agent, QStringLiteral("Хлеб"), QStringLiteral("12.5"), QStringLiteral("2"),
             QStringLiteral("25"));
    addGoods(agent, QStringLiteral("Чай"), QStringLiteral("30"), QStringLiteral("1"), QStringLiteral("30"));
    ASSERT_TRUE(start());
    openWindow();

    // An unknown name: the price is typed, and goes again when the name changes.
    typeText(Form3->ComboBox1, QStringLiteral("Мел"));
    EXPECT_TRUE(Form3->Edit1->isEnabled());
    EXPECT_EQ(Form3->Edit1->text(), QString());
    typeText(Form3->Edit1, QStringLiteral("7"));
    EXPECT_EQ(Form3->Edit1->text(), QStringLiteral("7"));
    typeText(Form3->ComboBox1, QStringLiteral("ок"));
    EXPECT_EQ(Form3->Edit1->text(), QString());

    // Choosing from the list, then typing capitals.
    QTest::keyClick(Form3->ComboBox1, Qt::Key_Down);
    EXPECT_EQ(Form3->ComboBox1->currentText(), QStringLiteral("Хлеб"));
    EXPECT_EQ(Form3->Edit1->text(), QStringLiteral("12,5"));
    EXPECT_FALSE(Form3->Edit1->isEnabled());
    Form3->ComboBox1->lineEdit()->selectAll();
    QTest::keyClick(Form3->ComboBox1, Qt::Key_Backspace);
    EXPECT_EQ(Form3->Edit1->text(), QString());
    EXPECT_FALSE(Form3->Edit1->isEnabled()); // emptying the name leaves the box as it was
    typeText(Form3->ComboBox1, QStringLiteral("ЧА"));
    EXPECT_EQ(Form3->ComboBox1->currentText(), QStringLiteral("ЧАй"));
    EXPECT_EQ(Form3->Edit1->text(), QStringLiteral("30"));

    // Backspace takes the completed rest away; the prefix alone is no article.
    QTest::keyClick(Form3->ComboBox1, Qt::Key_Backspace);
    EXPECT_EQ(Form3->ComboBox1->currentText(), QStringLiteral("ЧА"));
    EXPECT_EQ(Form3->Edit1->text(), QString());
    EXPECT_TRUE(Form3->Edit1->isEnabled());
    // Enter with incomplete input neither confirms nor adds the name to the list.
    QTest::keyClick(Form3->ComboBox1, Qt::Key_Return);
    EXPECT_EQ(Form3->ComboBox1->count(), 2);
    EXPECT_TRUE(goodsLines(agent).size() == 2 && journal(agent).isEmpty());
}

TEST_F(AddGoodsTest, ConfirmNeedsANameAPriceAndACountThatAreNotZero) {
    addAgent(QStringLiteral("Андреев"));
    ASSERT_TRUE(start());
    openWindow();
    struct Case {
        QString name, price, count;
        bool enabled;
    };
    const Case cases[] = {
        {QStringLiteral("Мел"), QStringLiteral("7"), QStringLiteral("3"), true},
        {QStringLiteral("Мел"), QStringLiteral("1,"), QStringLiteral("007"), true},
        {QStringLiteral("Мел"), QStringLiteral("7"), QStringLiteral("0"), false},
        {QStringLiteral("Мел"), QStringLiteral("7"), QString(), false},
        {QStringLiteral("Мел"), QStringLiteral("0,00"), QStringLiteral("3"), false},
        {QStringLiteral("Мел"), QString(), QStringLiteral("3"), false},
        {QString(), QStringLiteral("7"), QStringLiteral("3"), false},
        // More pieces than a 32-bit count holds.
        {QStringLiteral("Мел"), QStringLiteral("7"), QStringLiteral("99999999999"), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.name + QLatin1Char('/') + c.price + QLatin1Char('/') + c.count).toStdString());
        Form3->ComboBox1->clearEditText();
        Form3->Edit2->clear();
        typeText(Form3->ComboBox1, c.name);
        typeText(Form3->Edit1, c.price);
        typeText(Form3->Edit2, c.count);
        EXPECT_EQ(boxTexts(), QStringList({c.name, c.price, c.count}));
        Form3->Timer1Timer();
        EXPECT_EQ(Form3->BitBtn1->isEnabled(), c.enabled);
    }

    // The window left open while its agent, the last one, is deleted writes goods for nobody.
    exec(QStringLiteral("DELETE FROM realizators WHERE r_fam=\"Андреев\""));
    Form1->RefreshMainWindow();
    typeText(Form3->ComboBox1, QStringLiteral("Мел"));
    typeText(Form3->Edit1, QStringLiteral("7"));
    typeText(Form3->Edit2, QStringLiteral("3"));
    Form3->Timer1Timer();
    EXPECT_FALSE(Form3->BitBtn1->isEnabled());
}

TEST_F(AddGoodsTest, EachBoxTakesOnlyItsCharactersTypedOrPasted) {
    addAgent(QStringLiteral("Андреев"));
    ASSERT_TRUE(start());
    openWindow();
    QLineEdit* name = Form3->ComboBox1->lineEdit();
    struct Case {
        QWidget* widget;
        QLineEdit* edit;
        QString typed;
        QString kept;
    };
    const Case cases[] = {
        {Form3->ComboBox1, name, QStringLiteral("Хлеб-Ёё.,\"'№ (Z9)"), QStringLiteral("Хлеб (Z9)")},
        {Form3->ComboBox1, name, QString(30, QLatin1Char('w')), QString(20, QLatin1Char('w'))},
        {Form3->Edit2, Form3->Edit2, QStringLiteral("1a2,-3. "), QStringLiteral("123")},
        // Either key enters the decimal separator, once and never first.
        {Form3->Edit1, Form3->Edit1, QStringLiteral("1.5"), QStringLiteral("1,5")},
        {Form3->Edit1, Form3->Edit1, QStringLiteral("1,5.,"), QStringLiteral("1,5")},
        {Form3->Edit1, Form3->Edit1, QStringLiteral(".5"), QStringLiteral("5")},
        // Two digits after the separator at most.
        {Form3->Edit1, Form3->Edit1, QStringLiteral("12,345"), QStringLiteral("12,34")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        c.edit->clear();
        typeText(c.widget, c.typed);
        EXPECT_EQ(c.edit->text(), c.kept);
    }
    // A digit before the separator is still taken.
    Form3->Edit1->setCursorPosition(0);
    typeText(Form3->Edit1, QStringLiteral("9"));
    EXPECT_EQ(Form3->Edit1->text(), QStringLiteral("912,34"));

    struct Paste {
        QLineEdit* edit;
        QString pasted;
        QString kept;
    };
    const Paste pastes[] = {
        {name, QStringLiteral("Мел\" OR \"1"), QString()},
        {name, QStringLiteral("Мел-1"), QString()},
        {name, QStringLiteral("Мел 1"), QStringLiteral("Мел 1")},
        {Form3->Edit1, QStringLiteral("1\"2"), QString()},
        {Form3->Edit1, QStringLiteral("-2"), QString()},
        {Form3->Edit1, QStringLiteral("2,5"), QStringLiteral("2,5")},
        {Form3->Edit2, QStringLiteral("1,2"), QString()},
        {Form3->Edit2, QStringLiteral("12"), QStringLiteral("12")},
    };
    for (const Paste& p : pastes) {
        SCOPED_TRACE(p.pasted.toStdString());
        p.edit->clear();
        QApplication::clipboard()->setText(p.pasted);
        p.edit->paste();
        EXPECT_EQ(p.edit->text(), p.kept);
    }
}

TEST_F(AddGoodsTest, ActivationRenewsTheNameAndClosingEmptiesEveryBox) {
    const int agent = addAgent(QStringLiteral("Андреев"));
    ASSERT_TRUE(start());
    openWindow();
    EXPECT_TRUE(Form3->Timer1->isActive());
    typeText(Form3->ComboBox1, QStringLiteral("Мел"));
    typeText(Form3->Edit1, QStringLiteral("7"));
    typeText(Form3->Edit2, QStringLiteral("3"));

    // Goods come in meanwhile; coming back lists them and keeps price and count.
    addGoods(agent, QStringLiteral("Соль"), QStringLiteral("4"), QStringLiteral("1"), QStringLiteral("4"));
    Form3->FormActivate();
    EXPECT_EQ(boxTexts(), QStringList({QString(), QStringLiteral("7"), QStringLiteral("3")}));
    EXPECT_EQ(Form3->ComboBox1->count(), 1);
    EXPECT_EQ(Form3->ComboBox1->itemText(0), QStringLiteral("Соль"));

    typeText(Form3->ComboBox1, QStringLiteral("Мел"));
    typeText(Form3->Edit1, QStringLiteral("7"));
    QTest::keyClick(Form3->Edit2, Qt::Key_Escape);
    EXPECT_FALSE(Form3->isVisible());
    EXPECT_FALSE(Form3->Timer1->isActive());
    EXPECT_EQ(boxTexts(), QStringList(3, QString()));
    EXPECT_EQ(Form3->ComboBox1->count(), 0);
    EXPECT_TRUE(journal(agent).isEmpty());
}

TEST_F(AddGoodsTest, UndoAfterAddingPutsTheTablesBack) {
    const int agent = addAgent(QStringLiteral("Андреев"));
    addGoods(agent, QStringLiteral("Хлеб"), QStringLiteral("12.5"), QStringLiteral("6"),
             QStringLiteral("75"));
    ASSERT_TRUE(start());
    const char* const tables[] = {"realizators.db", "tovar.db", "oper.db", "kassa.db"};
    Ledger::engine().closeTables();
    QByteArrayList before;
    for (const char* table : tables)
        before << readFile(QLatin1String(table));
    Ledger::engine().openTables();

    openWindow();
    typeText(Form3->ComboBox1, QStringLiteral("Хлеб"));
    typeText(Form3->Edit2, QStringLiteral("4"));
    Form3->Timer1Timer();
    QTest::mouseClick(Form3->BitBtn1, Qt::LeftButton);
    ASSERT_EQ(goodsLines(agent), QStringList({QStringLiteral("Хлеб|12,5|10|125")}));

    Form1->Timer1Timer();
    answer({true});
    Form1->N6->trigger();
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back().text, QStringLiteral("добавление товара отменено"));
    Ledger::engine().closeTables();
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(readFile(QLatin1String(tables[i])), before[i]) << tables[i];
    Ledger::engine().openTables();
    // The day's history is computed again from the goods put back.
    EXPECT_EQ(history(), QStringList({today() + QStringLiteral("|75")}));
}

TEST_F(AddGoodsTest, ARefusedJournalRowLeavesTheGoodsLineAndTheRemainderAsTheyWere) {
    const int agent = addAgent(QStringLiteral("Андреев"));
    addGoods(agent, QStringLiteral("Хлеб"), QStringLiteral("12.5"), QStringLiteral("6"),
             QStringLiteral("75"));
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path("oper.db").toUtf8().constData(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(
                  db, "CREATE TRIGGER refuse BEFORE INSERT ON oper BEGIN SELECT RAISE(ABORT, 'refused'); END",
                  nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
    ASSERT_TRUE(start());
    openWindow();
    typeText(Form3->ComboBox1, QStringLiteral("хлеб"));
    typeText(Form3->Edit2, QStringLiteral("4"));
    Form3->Timer1Timer();
    QTest::mouseClick(Form3->BitBtn1, Qt::LeftButton);

    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back().kind, Messages::Kind::Error);
    EXPECT_EQ(goodsLines(agent), QStringList({QStringLiteral("Хлеб|12,5|6|75")}));
    EXPECT_EQ(remainder(agent), QStringLiteral("0"));
    EXPECT_TRUE(history().isEmpty());
    EXPECT_EQ(boxTexts(), QStringList({QStringLiteral("хлеб"), QStringLiteral("12,5"), QStringLiteral("4")}));
}

} // namespace
