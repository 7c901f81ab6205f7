// What a person looks at, once under a real X server: the main window with a few agents, their goods
// and journal, saved as a PNG and checked for the cursor row's teal and the stripes' grey.
#include "app/Unit1.h"
#include "platform/DisplayMode.h"
#include "store/PaintedComboBox.h"
#include "tests/app/MainWindowFixture.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPushButton>
#include <QImage>
#include <QScreen>
#include <QTableView>
#include <QTest>

namespace {

class MainWindowScreenshot : public MainWindowTest {};

TEST_F(MainWindowScreenshot, MainWindowWithAFewAgents) {
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        GTEST_SKIP() << "runs under Xvfb only";
    DisplayMode::useReal();
    setSalary();
    const int petrov = addAgent(QStringLiteral("Петров"), QStringLiteral("Иван"), QStringLiteral("Сергеевич"));
    addAgent(QStringLiteral("Сидоренко"), QStringLiteral("Олег"), QStringLiteral("Петрович"));
    addAgent(QStringLiteral("Андрющенко"), QStringLiteral("Мария"), QStringLiteral("Ивановна"));
    const char* goods[][3] = {{"Хлеб", "4.5", "20"}, {"Мыло", "12.75", "6"}, {"Чай", "38", "3"}, {"Сахар", "21.4", "10"}};
    for (const auto& g : goods) {
        const double price = QString::fromLatin1(g[1]).toDouble();
        const int count = QString::fromLatin1(g[2]).toInt();
        addGoods(petrov, QString::fromUtf8(g[0]), QLatin1String(g[1]), QLatin1String(g[2]), QString::number(price * count));
        exec(QStringLiteral("INSERT INTO oper VALUES(\"%1\",\"05.03.2004\",\"10:%2:00\",\"Приход\",\"Хозяин\",\"%3\",\"%4\",\"%5\",\"%6\")")
                 .arg(petrov)
                 .arg(10 + count)
                 .arg(QString::fromUtf8(g[0]), QLatin1String(g[1]), QLatin1String(g[2]), QString::number(price * count)));
    }
    exec(QStringLiteral("UPDATE realizators SET ostatok=\"426.5\", dolg=\"-150\" WHERE r_id=\"%1\"").arg(petrov));
    ASSERT_TRUE(start());
    Form1->ComboBox1->setCurrentIndex(1);
    Form1->ComboBox1Change();
    Form1->FormActivate();
    Form1->Timer1Timer();
    Form1->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form1));
    Form1->DBGrid1->setFocus();
    QTest::qWait(200);
    const QImage image = Form1->grab().toImage();
    const QString target = qEnvironmentVariable("ZELMAR_MAIN_WINDOW_PNG", QStringLiteral("main-window.png"));
    ASSERT_TRUE(image.save(target));
    int teal = 0, grey = 0;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2) {
            const QColor c = image.pixelColor(x, y);
            teal += c == QColor(0, 128, 128);
            grey += c == QColor(239, 239, 239);
        }
    EXPECT_GT(teal, 100) << "the cursor row of the focused goods grid";
    EXPECT_GT(grey, 100) << "the odd rows' stripes";
}

} // namespace

namespace {

// The operation windows as a person sees them, saved next to the main window's picture.
TEST_F(MainWindowScreenshot, OperationWindowsOfAnAgentWithGoods) {
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        GTEST_SKIP() << "runs under Xvfb only";
    DisplayMode::useReal();
    setSalary();
    const int id = addAgent(QStringLiteral("Петров"), QStringLiteral("Иван"), QStringLiteral("Сергеевич"));
    addAgent(QStringLiteral("Сидоренко"), QStringLiteral("Олег"), QStringLiteral("Петрович"));
    addGoods(id, QStringLiteral("Хлеб"), QStringLiteral("4.5"), QStringLiteral("20"), QStringLiteral("90"));
    exec(QStringLiteral("INSERT INTO kassa VALUES(\"%1\",\"05.03.2004\",\"100\",\"55\")").arg(id));
    exec(QStringLiteral("INSERT INTO kassa VALUES(\"%1\",\"06.03.2004\",\"250\",\"62.5\")").arg(id));
    ASSERT_TRUE(start());
    const QString folder = qEnvironmentVariable("ZELMAR_MAIN_WINDOW_PNG", QStringLiteral("main-window.png")).section(QLatin1Char('/'), 0, -2);
    const struct {
        QPushButton* button;
        const char* name;
    } windows[] = {{Form1->Button1, "agent-card"}, {Form1->Button4, "add-goods"}, {Form1->Button5, "transfer"},
                   {Form1->Button6, "recount"},    {Form1->Button7, "cash"}};
    Form1->Timer1Timer();
    for (const auto& w : windows) {
        QTest::mouseClick(w.button, Qt::LeftButton);
        QTest::qWait(300);
        QWidget* window = QApplication::activeWindow();
        ASSERT_NE(window, nullptr) << w.name;
        ASSERT_NE(window, Form1) << w.name;
        const QImage image = window->grab().toImage();
        EXPECT_GT(image.width(), 100) << w.name;
        image.save((folder.isEmpty() ? QString() : folder + QLatin1Char('/')) + QLatin1String(w.name) + QStringLiteral(".png"));
        window->hide();
    }
}

} // namespace
