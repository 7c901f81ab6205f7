// The history update: one row per day holding the value of every goods line of every agent, added
// on the first update of a day and changed by the later ones, earlier days left as they were.
#include "store/TotalGoodsHistory.h"
#include "store/Unit14.h"
#include "tests/history/HistoryFolderTest.h"

#include <utility>
#include <vector>

namespace {

using Rows = std::vector<std::pair<QDate, double>>;

class HistoryTest : public HistoryFolderTest {};

TEST_F(HistoryTest, FirstUpdateOfTheDayAddsTodaysRowWithTheSumOfAllGoodsLines) {
    ASSERT_EQ(Form14, nullptr);
    addHistoryRow("01.03.2024", "40");
    addGoodsLine(1, "Мыло", "2.5", "3", "7.5");
    addGoodsLine(2, "Мыло", "2.5", "2", "5.25");
    addGoodsLine(2, "Чай", "10", "10", "100");

    UpdateTotalGoodsHistory();

    EXPECT_EQ(history(), (Rows{{QDate(2024, 3, 1), 40}, {QDate::currentDate(), 112.75}}));
}

TEST_F(HistoryTest, LaterUpdatesOfTheSameDayChangeThatRow) {
    addGoodsLine(1, "Мыло", "2.5", "4", "10");
    UpdateTotalGoodsHistory();
    ExecWorkQuery(QStringLiteral("UPDATE tovar SET t_col=\"9\",t_summ=\"22.5\" WHERE r_id=\"1\""));
    UpdateTotalGoodsHistory();
    UpdateTotalGoodsHistory();

    EXPECT_EQ(history(), (Rows{{QDate::currentDate(), 22.5}}));
}

TEST_F(HistoryTest, NoGoodsLinesWriteZero) {
    UpdateTotalGoodsHistory();
    EXPECT_EQ(history(), (Rows{{QDate::currentDate(), 0}}));

    // The last goods line gone later that day: today's row drops back to 0.
    addGoodsLine(3, "Чай", "10", "1", "10");
    UpdateTotalGoodsHistory();
    ExecWorkQuery(QStringLiteral("DELETE FROM tovar WHERE r_id=\"3\""));
    UpdateTotalGoodsHistory();
    EXPECT_EQ(history(), (Rows{{QDate::currentDate(), 0}}));
}

TEST_F(HistoryTest, WorksWithTheTableHandlesClosedAndLeavesTheWorkQueryAlone) {
    addGoodsLine(1, "Мыло", "2.5", "4", "10");
    Query& work = OpenWorkQuery(QStringLiteral("SELECT * FROM tovar"));
    Ledger::engine().closeTables();

    UpdateTotalGoodsHistory();

    EXPECT_TRUE(work.isOpen());
    EXPECT_EQ(work.recordCount(), 1);
    Ledger::engine().openTables();
    EXPECT_EQ(history(), (Rows{{QDate::currentDate(), 10}}));
}

} // namespace
