// What the owner sees: the chart with a few days of history, drawn by a real X server, saved as a
// picture and checked for its red line and its silver-to-white background. Runs under Xvfb only.
#include "store/Unit14.h"
#include "tests/history/HistoryFolderTest.h"

#include <QChartView>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QTest>

namespace {

class ChartScreenshot : public HistoryFolderTest {
protected:
    void SetUp() override {
        if (QGuiApplication::platformName() == QLatin1String("offscreen"))
            GTEST_SKIP() << "needs an X server (run as the chart_screenshot test under Xvfb)";
        HistoryFolderTest::SetUp();
    }
    void TearDown() override {
        if (QGuiApplication::platformName() != QLatin1String("offscreen"))
            HistoryFolderTest::TearDown();
    }

    static QString picturePath() {
        const QString path = qEnvironmentVariable("ZELMAR_CHART_PNG");
        return path.isEmpty() ? QCoreApplication::applicationDirPath() + QStringLiteral("/chart.png") : path;
    }
};

bool isRed(QRgb pixel) {
    return qRed(pixel) > 190 && qGreen(pixel) < 90 && qBlue(pixel) < 90;
}

TEST_F(ChartScreenshot, ChartOfAFewDaysShowsARedLine) {
    addHistoryRow("01.03.2024", "1200");
    addHistoryRow("02.03.2024", "1850.5");
    addHistoryRow("04.03.2024", "900");
    addHistoryRow("05.03.2024", "2400");
    addHistoryRow("08.03.2024", "2100");
    TForm14 form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QCoreApplication::processEvents();

    const QImage shot = form.grab().toImage();
    ASSERT_TRUE(shot.save(picturePath())) << qPrintable(picturePath());

    int red = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            red += isRed(shot.pixel(x, y));
    // Four segments across most of the width, two pixels thick.
    EXPECT_GT(red, shot.width());

    // Shaded from silver at the top to white at the bottom, seen at the right edge.
    const QRgb top = shot.pixel(shot.width() - 3, 3);
    const QRgb bottom = shot.pixel(shot.width() - 3, shot.height() - 3);
    EXPECT_LT(qGray(top), qGray(bottom));
    EXPECT_GT(qGray(bottom), 240);
}

} // namespace
