// The chart window: its frame, the line it draws from the history and when it goes blank, how the
// history update treats its query, Escape, fitting into the window, and zooming and panning with the
// mouse on the real view.
#include "store/TotalGoodsHistory.h"
#include "store/Unit14.h"
#include "tests/history/HistoryFolderTest.h"

#include <QChart>
#include <QChartView>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QTest>
#include <QValueAxis>

#include <memory>

namespace {

double msecs(const QDate& date) {
    return double(date.startOfDay().toMSecsSinceEpoch());
}

class ChartTest : public HistoryFolderTest {
protected:
    static QChartView* view(TForm14& form) { return form.findChild<QChartView*>(QStringLiteral("Chart1")); }
    static QLineSeries* series(TForm14& form) {
        return qobject_cast<QLineSeries*>(view(form)->chart()->series().value(0));
    }
    static QDateTimeAxis* dateAxis(TForm14& form) {
        return qobject_cast<QDateTimeAxis*>(view(form)->chart()->axes(Qt::Horizontal).value(0));
    }
    static QValueAxis* valueAxis(TForm14& form) {
        return qobject_cast<QValueAxis*>(view(form)->chart()->axes(Qt::Vertical).value(0));
    }

    // Three days entered out of date order.
    static void addThreeDays() {
        addHistoryRow("05.03.2024", "80");
        addHistoryRow("01.03.2024", "50");
        addHistoryRow("03.03.2024", "120");
    }

    // Shows the window and lets the chart lay itself out.
    static void showLaidOut(TForm14& form) {
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        QCoreApplication::processEvents();
        ASSERT_FALSE(view(form)->chart()->plotArea().isEmpty());
    }

    // Where a value of the line stands in the view's viewport.
    static QPoint at(TForm14& form, const QDate& date, double value) {
        QChart* chart = view(form)->chart();
        const QPointF inChart = chart->mapToPosition(QPointF(msecs(date), value), series(form));
        return view(form)->mapFromScene(chart->mapToScene(inChart));
    }

    static void drag(TForm14& form, Qt::MouseButton button, const QPoint& from, const QPoint& to) {
        QWidget* viewport = view(form)->viewport();
        QTest::mousePress(viewport, button, {}, from);
        QTest::mouseMove(viewport, (from + to) / 2);
        QTest::mouseMove(viewport, to);
        QTest::mouseRelease(viewport, button, {}, to);
    }
};

TEST_F(ChartTest, WindowFrameAndChartLook) {
    {
        TForm14 form;
        EXPECT_EQ(Form14, &form);
        EXPECT_EQ(form.windowTitle(), QStringLiteral("График общего товара"));
        const Qt::WindowFlags flags = form.windowFlags();
        EXPECT_TRUE(flags.testFlag(Qt::WindowStaysOnTopHint));
        EXPECT_TRUE(flags.testFlag(Qt::WindowSystemMenuHint));
        EXPECT_TRUE(flags.testFlag(Qt::WindowMaximizeButtonHint));
        EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));

        ASSERT_NE(view(form), nullptr);
        QChart* chart = view(form)->chart();
        EXPECT_FALSE(chart->legend()->isVisible());
        EXPECT_TRUE(chart->title().isEmpty());
        ASSERT_NE(series(form), nullptr);
        EXPECT_EQ(series(form)->pen().color(), QColor(Qt::red));
        EXPECT_FALSE(series(form)->pointsVisible());
        EXPECT_FALSE(series(form)->pointLabelsVisible());
        ASSERT_NE(dateAxis(form), nullptr);
        EXPECT_EQ(dateAxis(form)->format(), QStringLiteral("dd.MM.yy"));
        EXPECT_EQ(dateAxis(form)->labelsAngle(), -90);
        ASSERT_NE(valueAxis(form), nullptr);
    }
    EXPECT_EQ(Form14, nullptr);
}

TEST_F(ChartTest, FewerThanTwoRowsDrawNothing) {
    for (int rows : {0, 1}) {
        ExecWorkQuery(QStringLiteral("DELETE FROM info"));
        if (rows == 1)
            addHistoryRow("01.03.2024", "50");
        TForm14 form;
        EXPECT_TRUE(form.Query1.isOpen()) << rows;
        EXPECT_EQ(form.Query1.recordCount(), rows);
        EXPECT_EQ(series(form)->count(), 0) << rows;
        EXPECT_FALSE(dateAxis(form)->isVisible()) << rows;
        EXPECT_FALSE(valueAxis(form)->isVisible()) << rows;
    }
}

TEST_F(ChartTest, TwoOrMoreRowsDrawALineInDateOrderFromZeroToTheLargestValue) {
    addThreeDays();
    TForm14 form;

    const QList<QPointF> expected{
        {msecs(QDate(2024, 3, 1)), 50}, {msecs(QDate(2024, 3, 3)), 120}, {msecs(QDate(2024, 3, 5)), 80}};
    EXPECT_EQ(series(form)->points(), expected);
    EXPECT_TRUE(dateAxis(form)->isVisible());
    EXPECT_EQ(dateAxis(form)->min().date(), QDate(2024, 3, 1));
    EXPECT_EQ(dateAxis(form)->max().date(), QDate(2024, 3, 5));
    EXPECT_EQ(valueAxis(form)->min(), 0);
    EXPECT_EQ(valueAxis(form)->max(), 120);

    // Closing the query blanks the chart; opening it again reads the rows anew.
    form.closeQuery();
    EXPECT_FALSE(form.Query1.isOpen());
    EXPECT_EQ(series(form)->count(), 0);
    addHistoryRow("07.03.2024", "150");
    form.openQuery();
    EXPECT_EQ(series(form)->count(), 4);
    EXPECT_EQ(valueAxis(form)->max(), 150);
}

TEST_F(ChartTest, CreatedBeforeTheLedgerTheQueryOpensLater) {
    addThreeDays();
    Ledger::close();
    TForm14 form;
    EXPECT_FALSE(form.Query1.isOpen());
    EXPECT_EQ(series(form)->count(), 0);

    Ledger::open(folder);
    form.openQuery();
    EXPECT_TRUE(form.Query1.isOpen());
    EXPECT_EQ(series(form)->count(), 3);
}

TEST_F(ChartTest, HistoryUpdateClosesTheQueryOnlyWhenTheHistoryHadFewerThanTwoRows) {
    const char* const days[] = {"01.03.2024", "02.03.2024", "03.03.2024"};
    const struct {
        int rowsBefore;
        bool openBefore;
        bool openAfter;
        int rowsShown; // rows the query holds after the update: read before today's row was written
    } cases[] = {
        {0, true, false, 0}, {1, true, false, 0}, {1, false, false, 0},
        {2, true, true, 2},  {3, true, true, 3},  {2, false, true, 2},
    };
    for (const auto& c : cases) {
        ExecWorkQuery(QStringLiteral("DELETE FROM info"));
        for (int i = 0; i < c.rowsBefore; ++i)
            addHistoryRow(days[i], "10");
        TForm14 form;
        if (!c.openBefore)
            form.closeQuery();

        UpdateTotalGoodsHistory();

        const std::string label = std::to_string(c.rowsBefore) + (c.openBefore ? " open" : " closed");
        EXPECT_EQ(form.Query1.isOpen(), c.openAfter) << label;
        EXPECT_EQ(form.Query1.recordCount(), c.rowsShown) << label;
        EXPECT_EQ(series(form)->count(), c.rowsShown < 2 ? 0 : c.rowsShown) << label;
        EXPECT_EQ(int(history().size()), c.rowsBefore + 1) << label;
    }
}

TEST_F(ChartTest, EscapeHidesTheWindowAndLeavesTheQueryOpen) {
    addThreeDays();
    TForm14 form;
    showLaidOut(form);
    ASSERT_TRUE(form.isVisible());

    QTest::keyClick(view(form), Qt::Key_Escape);

    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(form.Query1.isOpen());
    EXPECT_EQ(series(form)->count(), 3);
}

TEST_F(ChartTest, TheChartKeepsItsDesignSizeUntilItIsSetToFillTheWindow) {
    TForm14 form;
    showLaidOut(form);
    const QRect design = view(form)->geometry();
    EXPECT_FALSE(design.isEmpty());

    form.resize(design.width() + 200, design.height() + 150);
    EXPECT_EQ(view(form)->geometry(), design);

    form.setChartFillsWindow(true);
    EXPECT_EQ(view(form)->geometry(), form.rect());
    form.resize(design.width() + 100, design.height() + 50);
    EXPECT_EQ(view(form)->geometry(), form.rect());

    form.setChartFillsWindow(false);
    EXPECT_EQ(view(form)->geometry(), design);
}

TEST_F(ChartTest, LeftDragToTheRightZoomsAndToTheLeftReturnsToTheFullView) {
    addThreeDays();
    TForm14 form;
    showLaidOut(form);
    const QDateTime fullMin = dateAxis(form)->min();
    const QDateTime fullMax = dateAxis(form)->max();

    const QPoint topLeft = at(form, QDate(2024, 3, 2), 100);
    const QPoint bottomRight = at(form, QDate(2024, 3, 4), 20);
    drag(form, Qt::LeftButton, topLeft, bottomRight);

    // Within a pixel's worth of the marked rectangle.
    EXPECT_NEAR(double(dateAxis(form)->min().toMSecsSinceEpoch()), msecs(QDate(2024, 3, 2)), 3600000.0);
    EXPECT_NEAR(double(dateAxis(form)->max().toMSecsSinceEpoch()), msecs(QDate(2024, 3, 4)), 3600000.0);
    EXPECT_NEAR(valueAxis(form)->min(), 20, 1.0);
    EXPECT_NEAR(valueAxis(form)->max(), 100, 1.0);

    drag(form, Qt::LeftButton, bottomRight, topLeft);

    EXPECT_EQ(dateAxis(form)->min(), fullMin);
    EXPECT_EQ(dateAxis(form)->max(), fullMax);
    EXPECT_EQ(valueAxis(form)->min(), 0);
    EXPECT_EQ(valueAxis(form)->max(), 120);

    // A click is no drag: nothing changes.
    QTest::mouseClick(view(form)->viewport(), Qt::LeftButton, {}, topLeft);
    EXPECT_EQ(dateAxis(form)->min(), fullMin);
    EXPECT_EQ(valueAxis(form)->max(), 120);
}

TEST_F(ChartTest, RightDragMovesTheVisibleRangeWithTheMouse) {
    addThreeDays();
    TForm14 form;
    showLaidOut(form);
    const qint64 fullMin = dateAxis(form)->min().toMSecsSinceEpoch();
    const qint64 span = fullMin - dateAxis(form)->max().toMSecsSinceEpoch();

    const QPoint from = at(form, QDate(2024, 3, 3), 60);
    drag(form, Qt::RightButton, from, from + QPoint(100, 40));

    // Pulled to the right and down: earlier days and higher values come into view, same extent.
    EXPECT_LT(dateAxis(form)->min().toMSecsSinceEpoch(), fullMin);
    EXPECT_EQ(dateAxis(form)->min().toMSecsSinceEpoch() - dateAxis(form)->max().toMSecsSinceEpoch(), span);
    EXPECT_GT(valueAxis(form)->min(), 0);
    EXPECT_NEAR(valueAxis(form)->max() - valueAxis(form)->min(), 120, 1e-6);

    drag(form, Qt::LeftButton, from, from - QPoint(50, 0));
    EXPECT_EQ(dateAxis(form)->min().toMSecsSinceEpoch(), fullMin);
    EXPECT_EQ(valueAxis(form)->min(), 0);
}

} // namespace
