// The goods-count window as the user meets it: collecting articles in the entry table (merging,
// refusals, removal), the recount that replaces the agent's lines and moves the difference to his
// debt, the return to the owner, both modes' captions and enabling rules, the colour rule of the
// entry table, and the undo of a recount.
#include "app/Unit1.h"
#include "operations/Unit6.h"
#include "platform/HelpContext.h"
#include "platform/RegionalSettings.h"
#include "store/FilteredLineEdit.h"
#include "store/Ledger.h"
#include "store/PaintedComboBox.h"
#include "store/ProgramState.h"
#include "store/UndoSnapshot.h"
#include "tests/app/MainWindowFixture.h"

#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

namespace {

QStringList split(const char* text) {
    return QString::fromUtf8(text).split(QLatin1Char(';'), Qt::SkipEmptyParts);
}

class GoodsCountTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        installPrograms();
        setSalary();
    }

    // Петров holds Мыло 10 × 30 and Хлеб 20 × 35.
    void seed(const QString& remainder = QStringLiteral("1000"), const QString& debt = QStringLiteral("50")) {
        agent = addAgent(QStringLiteral("Петров"));
        addGoods(agent, QStringLiteral("Хлеб"), QStringLiteral("35"), QStringLiteral("20"),
                 QStringLiteral("700"));
        addGoods(agent, QStringLiteral("Мыло"), QStringLiteral("30"), QStringLiteral("10"),
                 QStringLiteral("300"));
        exec(QStringLiteral("UPDATE realizators SET ostatok=\"%1\", dolg=\"%2\" WHERE r_id=\"%3\"")
                 .arg(remainder, debt)
                 .arg(agent));
    }
    void open(bool recount) {
        if (recount)
            Form1->Button6Click();
        else
            Form1->Button8Click();
        QCoreApplication::processEvents();
        Form6->FormActivate();
    }
    void type(const QString& count) {
        Form6->Edit2->clear();
        QTest::keyClicks(Form6->Edit2, count);
        Form6->Timer1Timer();
    }
    void add(const QString& article, const QString& count) {
        Form6->ComboBox1->setCurrentIndex(Form6->ComboBox1->findText(article));
        type(count);
        QTest::mouseClick(Form6->BitBtn1, Qt::LeftButton);
    }
    void confirm() {
        Form6->Timer1Timer();
        QTest::mouseClick(Form6->BitBtn3, Qt::LeftButton);
    }
    QStringList grid() const {
        QStringList out;
        for (int r = 0; r < Form6->StringGrid1->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < 4; ++c)
                cells << (Form6->StringGrid1->item(r, c) ? Form6->StringGrid1->item(r, c)->text()
                                                         : QString());
            out << cells.join(QLatin1Char('|'));
        }
        return out;
    }
    QStringList lines() const {
        return rows(QStringLiteral("SELECT * FROM tovar WHERE r_id=\"%1\" ORDER BY t_name").arg(agent),
                    {"t_name", "t_price", "t_col", "t_summ"});
    }
    QString agentField(const char* field) const {
        return rows(QStringLiteral("SELECT * FROM realizators WHERE r_id=\"%1\"").arg(agent),
                    {QLatin1String(field)})
            .value(0);
    }
    QStringList journal() const {
        return rows(QStringLiteral("SELECT * FROM oper WHERE r_id=\"%1\"").arg(agent),
                    {"o_date", "o_name", "o_komu", "t_name", "t_price", "t_col", "t_summ"});
    }
    QStringList history() const { return rows(QStringLiteral("SELECT * FROM info"), {"i_date", "i_summ"}); }
    QString today() const { return RegionalSettings::formatDate(QDate::currentDate()); }

    int agent = 0;
};

struct RecountCase {
    const char* remainder;
    const char* debt;
    const char* entries;    // article=count;...
    const char* linesAfter; // name|price|count|sum;...
    const char* remainderAfter;
    const char* debtAfter;
};

class GoodsCountRecountCases : public GoodsCountTest, public ::testing::WithParamInterface<RecountCase> {};

TEST_P(GoodsCountRecountCases, ReplacesTheLinesAndMovesTheDifferenceToTheDebt) {
    const RecountCase& c = GetParam();
    seed(QLatin1String(c.remainder), QLatin1String(c.debt));
    ASSERT_TRUE(start());
    open(true);
    for (const QString& entry : split(c.entries))
        add(entry.section(QLatin1Char('='), 0, 0), entry.section(QLatin1Char('='), 1));
    confirm();

    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(lines(), split(c.linesAfter));
    EXPECT_EQ(agentField("ostatok"), QLatin1String(c.remainderAfter));
    EXPECT_EQ(agentField("dolg"), QLatin1String(c.debtAfter));
    EXPECT_EQ(journal(), QStringList{today() + QStringLiteral("|Переучет|Петров И.П.||||")});
    EXPECT_EQ(history(), QStringList{today() + QLatin1Char('|') + QLatin1String(c.remainderAfter)});
    EXPECT_FALSE(Form6->isVisible());
    EXPECT_EQ(Form6->StringGrid1->rowCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Recount, GoodsCountRecountCases,
    ::testing::Values(
        // An article counted as none goes ("00" is none as well); the debt takes the shortfall.
        RecountCase{"1000", "50", "Мыло=8;Хлеб=00", "Мыло|30|8|240", "240", "810"},
        // Counting the full holding gives the same lines; a value above the remainder lowers the debt.
        RecountCase{"100", "0", "Хлеб=20;Мыло=10", "Мыло|30|10|300;Хлеб|35|20|700", "1000", "-900"},
        // Nothing left at all.
        RecountCase{"1000", "0", "Мыло=0", "", "0", "1000"}));

struct ReturnCase {
    const char* remainder;
    const char* typed;
    const char* soapAfter; // price|count|sum, "" when the line is gone
    const char* remainderAfter;
    const char* journalCountAndSum;
    const char* historyAfter;
};

class GoodsCountReturnCases : public GoodsCountTest, public ::testing::WithParamInterface<ReturnCase> {};

TEST_P(GoodsCountReturnCases, ShrinksTheLineAndLowersTheRemainder) {
    const ReturnCase& c = GetParam();
    seed(QLatin1String(c.remainder));
    ASSERT_TRUE(start());
    open(false);
    add(QStringLiteral("Мыло"), QLatin1String(c.typed));
    confirm();

    EXPECT_TRUE(boxes.empty());
    const QString soap = QString::fromUtf8(c.soapAfter);
    EXPECT_EQ(lines(), (soap.isEmpty() ? QStringList() : QStringList{QStringLiteral("Мыло|") + soap}) +
                           QStringList{QStringLiteral("Хлеб|35|20|700")});
    EXPECT_EQ(agentField("ostatok"), QLatin1String(c.remainderAfter));
    EXPECT_EQ(agentField("dolg"), QStringLiteral("50"));
    EXPECT_EQ(journal(), QStringList{today() + QStringLiteral("|Возврат|Хозяин|Мыло|30|") +
                                     QLatin1String(c.journalCountAndSum)});
    EXPECT_EQ(history(), QStringList{today() + QLatin1Char('|') + QLatin1String(c.historyAfter)});
    EXPECT_FALSE(Form6->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Return, GoodsCountReturnCases,
                         ::testing::Values(ReturnCase{"500", "4", "30|6|180", "380", "4|120", "880"},
                                           // A leading zero is the same count.
                                           ReturnCase{"500", "04", "30|6|180", "380", "4|120", "880"},
                                           // The remainder does not fall below 0.
                                           ReturnCase{"100", "4", "30|6|180", "0", "4|120", "880"},
                                           // The whole holding: the line goes.
                                           ReturnCase{"500", "10", "", "200", "10|300", "700"}));

TEST_F(GoodsCountTest, ActivationShowsTheAgentsGoodsAndTheModesCaptions) {
    seed();
    ASSERT_TRUE(start());
    const struct {
        bool recount;
        const char* caption;
        const char* button;
        int help;
    } modes[] = {{false, "Возврат товара хазяину", "Возврат", 10}, {true, "Переучет товара", "Переучет", 11}};
    for (const auto& m : modes) {
        open(m.recount);
        EXPECT_EQ(Form6->windowTitle(), QString::fromUtf8(m.caption));
        EXPECT_EQ(Form6->BitBtn3->text(), QString::fromUtf8(m.button));
        EXPECT_TRUE(Form6->BitBtn3->isDefault());
        for (QWidget* w : std::initializer_list<QWidget*>{Form6->ComboBox1, Form6->Edit1, Form6->Edit2,
                                                          Form6->Edit3, Form6->StringGrid1, Form6->BitBtn1,
                                                          Form6->BitBtn2, Form6->BitBtn3, Form6->BitBtn4})
            EXPECT_EQ(HelpContext::of(w), m.help) << w->objectName().toStdString();
        Form6->BitBtn4Click();
    }
    EXPECT_EQ(Form6->Label1->text(), QStringLiteral("Петров Иван Петрович"));
    EXPECT_EQ(Form6->ComboBox1->currentText(), QStringLiteral("Мыло"));
    EXPECT_EQ(Form6->ComboBox1->itemText(1), QStringLiteral("Хлеб"));
    EXPECT_EQ(Form6->Edit1->text(), QStringLiteral("30"));
    EXPECT_EQ(Form6->Edit3->text(), QStringLiteral("10"));
    EXPECT_FALSE(Form6->Edit1->isEnabled());
    EXPECT_FALSE(Form6->Edit3->isEnabled());
    QStringList headers;
    for (int c = 0; c < 4; ++c)
        headers << Form6->StringGrid1->horizontalHeaderItem(c)->text() + QLatin1Char('/') +
                       QString::number(Form6->StringGrid1->columnWidth(c));
    EXPECT_EQ(headers, (QStringList{"Название товара/215", "Цена/60", "Кол-во/60", "Сумма/60"}));

    // Another article: its price and holding; the count stays.
    type(QStringLiteral("3"));
    Form6->ComboBox1->setCurrentIndex(1);
    EXPECT_EQ(Form6->Edit1->text(), QStringLiteral("35"));
    EXPECT_EQ(Form6->Edit3->text(), QStringLiteral("20"));
    EXPECT_EQ(Form6->Edit2->text(), QStringLiteral("3"));
}

TEST_F(GoodsCountTest, EnablingRulesFollowTheModeAndTheTable) {
    seed();
    ASSERT_TRUE(start());
    const struct {
        bool recount;
        const char* typed;
        bool addEnabled;
    } cases[] = {{false, "0", false},  {true, "0", true},   {false, "", false},  {true, "", false},
                 {false, "11", false}, {true, "11", false}, {false, "10", true}, {false, "1", true}};
    for (const auto& c : cases) {
        open(c.recount);
        type(QLatin1String(c.typed));
        EXPECT_EQ(Form6->BitBtn1->isEnabled(), c.addEnabled) << c.recount << " " << c.typed;
        EXPECT_FALSE(Form6->BitBtn3->isEnabled());
        EXPECT_FALSE(Form6->BitBtn2->isEnabled());
        Form6->BitBtn4Click();
    }
    open(false);
    add(QStringLiteral("Мыло"), QStringLiteral("1"));
    Form6->Timer1Timer();
    EXPECT_TRUE(Form6->BitBtn3->isEnabled());
    EXPECT_TRUE(Form6->BitBtn2->isEnabled());
    // Only digits reach the count box, typed or pasted.
    type(QStringLiteral("1a-,2"));
    EXPECT_EQ(Form6->Edit2->text(), QStringLiteral("12"));
    Form6->Edit2->selectAll();
    Form6->Edit2->insert(QStringLiteral("3\""));
    EXPECT_EQ(Form6->Edit2->text(), QStringLiteral("12"));
}

TEST_F(GoodsCountTest, AddingMergesTheSameArticleAndRefusesMoreThanHeld) {
    seed();
    ASSERT_TRUE(start());
    open(false);
    add(QStringLiteral("Мыло"), QStringLiteral("3"));
    add(QStringLiteral("Мыло"), QStringLiteral("4"));
    EXPECT_EQ(grid(), QStringList{"Мыло|30|7|210"});
    EXPECT_EQ(Form6->Edit2->text(), QStringLiteral("4"));
    add(QStringLiteral("Мыло"), QStringLiteral("4"));
    EXPECT_EQ(grid(), QStringList{"Мыло|30|7|210"});
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text,
              QStringLiteral("Количество, которое Вы добавляете не может быть больше количества, которое "
                             "имеется у реализатора!!!"));

    // Pressed before the next tick disables the button.
    type(QStringLiteral("5"));
    QTest::keyClicks(Form6->Edit2, "0");
    QTest::mouseClick(Form6->BitBtn1, Qt::LeftButton);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(
        boxes[1].text,
        QStringLiteral(
            "Количество товара(50) не должно превышать количество, которое имеется у реализатора (10)!!!"));
    EXPECT_EQ(Form6->Edit2->selectedText(), QStringLiteral("50"));
    type(QStringLiteral("5"));
    QTest::keyClick(Form6->Edit2, Qt::Key_Backspace);
    QTest::mouseClick(Form6->BitBtn1, Qt::LeftButton);
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[2].text, QStringLiteral("Все поля обязательно должны быть заполнены!!!"));
    EXPECT_EQ(grid(), QStringList{"Мыло|30|7|210"});

    // A new article goes below, and the count box is emptied.
    add(QStringLiteral("Хлеб"), QStringLiteral("2"));
    EXPECT_EQ(grid(), (QStringList{"Мыло|30|7|210", "Хлеб|35|2|70"}));
    EXPECT_EQ(Form6->Edit2->text(), QString());
}

TEST_F(GoodsCountTest, RemovingARowMovesTheRowsBelowUp) {
    agent = addAgent(QStringLiteral("Петров"));
    for (const char* name : {"Мыло", "Соль", "Хлеб", "Чай"})
        addGoods(agent, QString::fromUtf8(name), QStringLiteral("2.5"), QStringLiteral("10"),
                 QStringLiteral("25"));
    ASSERT_TRUE(start());
    open(true);
    for (const char* name : {"Мыло", "Соль", "Хлеб"})
        add(QString::fromUtf8(name), QStringLiteral("3"));
    Form6->StringGrid1->setCurrentCell(1, 0);
    Form6->Timer1Timer();
    QTest::mouseClick(Form6->BitBtn2, Qt::LeftButton);
    EXPECT_EQ(grid(), (QStringList{"Мыло|2,5|3|7,5", "Хлеб|2,5|3|7,5"}));
    add(QStringLiteral("Чай"), QStringLiteral("1"));
    EXPECT_EQ(grid(), (QStringList{"Мыло|2,5|3|7,5", "Хлеб|2,5|3|7,5", "Чай|2,5|1|2,5"}));
}

TEST_F(GoodsCountTest, EntriesLastUntilTheWindowIsLeftOrClosed) {
    seed();
    ASSERT_TRUE(start());
    open(false);
    add(QStringLiteral("Мыло"), QStringLiteral("3"));

    // A message box of the program takes the activation for a moment; coming back keeps the entries.
    Messages::setResponder([this](const Messages::Box& box) {
        boxes.push_back(box);
        QEvent leave(QEvent::WindowDeactivate);
        QCoreApplication::sendEvent(Form6, &leave);
        return false;
    });
    add(QStringLiteral("Мыло"), QStringLiteral("8"));
    ASSERT_EQ(boxes.size(), 1u);
    QEvent back(QEvent::WindowActivate);
    QCoreApplication::sendEvent(Form6, &back);
    EXPECT_EQ(grid(), QStringList{"Мыло|30|3|90"});

    // Coming back from another window sets the window up afresh.
    QEvent leave(QEvent::WindowDeactivate);
    QCoreApplication::sendEvent(Form6, &leave);
    QCoreApplication::sendEvent(Form6, &back);
    EXPECT_EQ(grid(), QStringList());

    add(QStringLiteral("Мыло"), QStringLiteral("3"));
    QTest::mouseClick(Form6->BitBtn4, Qt::LeftButton);
    EXPECT_FALSE(Form6->isVisible());
    EXPECT_FALSE(Form6->Timer1->isActive());
    EXPECT_EQ(grid(), QStringList());
    EXPECT_EQ(journal(), QStringList());
}

// The holding can change between entering an article and confirming; a return never takes more.
TEST_F(GoodsCountTest, AReturnAboveTheCurrentHoldingChangesNothing) {
    seed();
    ASSERT_TRUE(start());
    open(false);
    add(QStringLiteral("Мыло"), QStringLiteral("4"));
    Ledger::engine().execute(
        QStringLiteral("UPDATE tovar SET t_col=\"2\", t_summ=\"60\" WHERE r_id=\"%1\" AND t_name=\"Мыло\"")
            .arg(agent));
    confirm();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(
        boxes[0].text,
        QStringLiteral(
            "Количество товара(4) не должно превышать количество, которое имеется у реализатора (2)!!!"));
    EXPECT_EQ(lines(), (QStringList{"Мыло|30|2|60", "Хлеб|35|20|700"}));
    EXPECT_EQ(agentField("ostatok"), QStringLiteral("1000"));
    EXPECT_EQ(journal(), QStringList());
    EXPECT_FALSE(QFile::exists(path("backup/undo/text")));
    EXPECT_TRUE(Form6->isVisible());
}

TEST_F(GoodsCountTest, UndoAfterARecountPutsTheTablesBack) {
    seed();
    ASSERT_TRUE(start());
    const auto dump = [] {
        return rows(QStringLiteral("SELECT * FROM tovar"), {"r_id", "t_name", "t_price", "t_col", "t_summ"}) +
               rows(QStringLiteral("SELECT * FROM realizators"), {"r_id", "ostatok", "dolg"}) +
               rows(QStringLiteral("SELECT * FROM oper"), {"r_id", "o_name"});
    };
    const QStringList before = dump();
    open(true);
    add(QStringLiteral("Мыло"), QStringLiteral("8"));
    confirm();
    ASSERT_NE(dump(), before);
    Form1->Timer1Timer(); // the command tick reads the snapshot's description
    answer({true});
    ASSERT_TRUE(UndoLastOperation());
    EXPECT_EQ(boxes.front().text, QStringLiteral("Вы действительно хотите отменить переучет?"));
    EXPECT_EQ(dump(), before);
}

TEST_F(GoodsCountTest, EntryTableRowsAreStripedAndTheCurrentRowFollowsTheFocus) {
    seed();
    addGoods(agent, QStringLiteral("Чай"), QStringLiteral("5"), QStringLiteral("5"), QStringLiteral("25"));
    ASSERT_TRUE(start());
    open(true);
    QApplication::setActiveWindow(Form6);
    QCoreApplication::processEvents();
    for (const char* name : {"Мыло", "Хлеб", "Чай"})
        add(QString::fromUtf8(name), QStringLiteral("1"));
    ASSERT_EQ(Form6->StringGrid1->rowCount(), 3);
    Form6->StringGrid1->setCurrentCell(1, 0);
    Form6->StringGrid1->setFocus();
    QCoreApplication::processEvents();
    ASSERT_TRUE(Form6->StringGrid1->hasFocus());
    const auto background = [](int row) {
        QTableWidget* grid = Form6->StringGrid1;
        const QImage image = grid->viewport()->grab().toImage();
        const QRect cell = grid->visualRect(grid->model()->index(row, 0));
        return QColor(image.pixel(cell.right() - 2, cell.center().y()));
    };
    const QColor grey(239, 239, 239), teal(0, 128, 128), silver(192, 192, 192);
    EXPECT_EQ(background(0), grey);
    EXPECT_EQ(background(1), teal);
    EXPECT_EQ(background(2), grey);
    Form6->Edit2->setFocus();
    QCoreApplication::processEvents();
    EXPECT_EQ(background(1), silver);
}

} // namespace
