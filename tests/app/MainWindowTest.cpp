// The main window on a fresh program folder, as the user meets it: the start-up check, the password
// prompt, the labels and grids of no, one and several agents, the enabling rules, the selection kept
// by position, the journal filter, the screen-size rules of the command tick, the undo item's upkeep,
// the colour rule on the goods grid, and del.bat removing the snapshot after the end.
#include "app/Unit1.h"
#include "app/Unit12.h"
#include "platform/Application.h"
#include "platform/DisplayMode.h"
#include "platform/ProgramEnd.h"
#include "platform/engine/Engine.h"
#include "settings/Unit9.h"
#include "store/Ledger.h"
#include "store/PaintedComboBox.h"
#include "store/ProgramState.h"
#include "store/Settings.h"
#include "tests/app/MainWindowFixture.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QThread>
#include <QStringEncoder>
#include <QTimer>

namespace {

QStringList headers(QTableView* grid) {
    QStringList out;
    for (int c = 0; c < grid->model()->columnCount(); ++c)
        out << grid->model()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    return out;
}

QStringList agentList() {
    QStringList out;
    for (int i = 0; i < Form1->ComboBox1->count(); ++i)
        out << Form1->ComboBox1->itemText(i);
    return out;
}

TEST_F(MainWindowTest, AMissingTableEndsTheStartWithItsMessageBeforeAnyWindow) {
    QFile::remove(path("kassa.db"));
    EXPECT_FALSE(start());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("База данный повреждена. Переустановите программу!!!"));
    EXPECT_EQ(Form1, nullptr);
}

TEST_F(MainWindowTest, NoAgentsShowsEmptyDetailsAndDisablesEveryAgentCommand) {
    ASSERT_TRUE(start());
    Form1->Timer1Timer();
    EXPECT_EQ(Form1->Label5->text(), QString());
    EXPECT_EQ(Form1->Label6->text(), QString());
    EXPECT_EQ(Form1->Label7->text(), QStringLiteral("Остаток:  грн."));
    EXPECT_EQ(Form1->Label1->text(), QStringLiteral("Долг реализатора:  грн."));
    EXPECT_EQ(Form1->Label4->text(), QStringLiteral("Общий товар: 0 грн."));
    EXPECT_EQ(Form1->DBGrid1->model()->rowCount(), 0);
    EXPECT_EQ(Form1->DBGrid2->model()->rowCount(), 0);
    EXPECT_EQ(State().heldGoods.count, 0);
    EXPECT_TRUE(Form1->Button1->isEnabled());
    EXPECT_TRUE(Form1->NAddReal->isEnabled());
    for (QPushButton* b : {Form1->Button2, Form1->Button3, Form1->Button4, Form1->Button5, Form1->Button6, Form1->Button7,
                           Form1->Button8})
        EXPECT_FALSE(b->isEnabled()) << b->text().toStdString();
    for (QAction* a : {Form1->NEditReal, Form1->NDelReal, Form1->NAddTovar, Form1->NMoveTovar, Form1->NBackTovar,
                       Form1->NPereuchet, Form1->NKassa, Form1->N6})
        EXPECT_FALSE(a->isEnabled()) << a->text().toStdString();
    // The default settings have no salary: the main window asks for it when shown.
    QCoreApplication::processEvents();
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.front().text, QStringLiteral("Необходимо настроить зарплату!!!"));
    EXPECT_TRUE(Form9->isVisible());
}

TEST_F(MainWindowTest, OneAgentWithGoodsShowsHisLinesAndEnablesAllButTransfer) {
    setSalary();
    const int id = addAgent(QStringLiteral("Петров"));
    addGoods(id, QStringLiteral("Хлеб"), QStringLiteral("2.5"), QStringLiteral("4"), QStringLiteral("10"));
    addGoods(id, QStringLiteral("Мыло"), QStringLiteral("12.5"), QStringLiteral("2"), QStringLiteral("25"));
    exec(QStringLiteral("UPDATE realizators SET ostatok=\"35.5\" WHERE r_id=\"%1\"").arg(id));
    exec(QStringLiteral("INSERT INTO oper VALUES(\"%1\",\"05.03.2004\",\"10:00:00\",\"Приход\",\"Хозяин\",\"Хлеб\",\"2.5\",\"4\",\"10\")").arg(id));
    exec(QStringLiteral("INSERT INTO oper VALUES(\"%1\",\"06.03.2004\",\"09:00:00\",\"Приход\",\"Хозяин\",\"Мыло\",\"12.5\",\"2\",\"25\")").arg(id));
    ASSERT_TRUE(start());
    EXPECT_TRUE(boxes.empty());
    Form1->Timer1Timer();
    EXPECT_EQ(agentList(), QStringList{QStringLiteral("Петров Иван Петрович")});
    EXPECT_EQ(Form1->Label5->text(), QStringLiteral("АА123456"));
    EXPECT_EQ(Form1->Label6->text(), QStringLiteral("Киев, Крещатик 1"));
    EXPECT_EQ(Form1->Label7->text(), QStringLiteral("Остаток: 35,5 грн."));
    EXPECT_EQ(Form1->Label1->text(), QStringLiteral("Долг реализатора: 0 грн."));
    EXPECT_EQ(Form1->Label4->text(), QStringLiteral("Общий товар: 35 грн."));
    EXPECT_EQ(headers(Form1->DBGrid1), (QStringList{"Назв. товара", "Цена", "Кол-во", "Сумма"}));
    EXPECT_EQ(column(Form1->DBGrid1, 0), (QStringList{"Мыло", "Хлеб"}));
    EXPECT_EQ(headers(Form1->DBGrid2), (QStringList{"Дата", "Вид", "Кому/От кого", "Назв. товара", "Цена", "Кол-во", "Сумма"}));
    EXPECT_EQ(column(Form1->DBGrid2, 0), (QStringList{"06.03.2004", "05.03.2004"}));
    EXPECT_EQ(State().heldGoods.count, 2);
    EXPECT_FALSE(Form1->Button5->isEnabled());
    EXPECT_FALSE(Form1->NMoveTovar->isEnabled());
    for (QPushButton* b : {Form1->Button2, Form1->Button3, Form1->Button4, Form1->Button6, Form1->Button7, Form1->Button8})
        EXPECT_TRUE(b->isEnabled()) << b->text().toStdString();
}

TEST_F(MainWindowTest, SeveralAgentsTransferNeedsGoodsAndSelectionFollowsThePosition) {
    setSalary();
    const int sidorov = addAgent(QStringLiteral("Сидоров"));
    addAgent(QStringLiteral("Петров"));
    addGoods(sidorov, QStringLiteral("Хлеб"), QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("2"));
    ASSERT_TRUE(start());
    EXPECT_EQ(agentList(), (QStringList{"Петров Иван Петрович", "Сидоров Иван Петрович"}));
    EXPECT_EQ(Form1->ComboBox1->currentIndex(), 0);
    Form1->Timer1Timer();
    EXPECT_FALSE(Form1->Button5->isEnabled()); // Петров holds nothing
    EXPECT_FALSE(Form1->Button7->isEnabled());

    Form1->ComboBox1->setCurrentIndex(1);
    Form1->ComboBox1Change();
    Form1->Timer1Timer();
    EXPECT_EQ(column(Form1->DBGrid1, 0), QStringList{"Хлеб"});
    EXPECT_TRUE(Form1->Button5->isEnabled());
    EXPECT_TRUE(Form1->Button7->isEnabled());

    // An agent sorted in front moves everyone down; the selection keeps its position.
    addAgent(QStringLiteral("Андреев"));
    Form1->RefreshMainWindow();
    EXPECT_EQ(Form1->ComboBox1->currentText(), QStringLiteral("Петров Иван Петрович"));
    // Deleting the agent in the last position selects the new last entry.
    Form1->ComboBox1->setCurrentIndex(2);
    exec(QStringLiteral("DELETE FROM realizators WHERE r_id=\"%1\"").arg(sidorov));
    Form1->RefreshMainWindow();
    EXPECT_EQ(Form1->ComboBox1->currentIndex(), 1);
    EXPECT_EQ(Form1->ComboBox1->currentText(), QStringLiteral("Петров Иван Петрович"));
}

TEST_F(MainWindowTest, DebtLabelShowsWhoOwesWhom) {
    setSalary();
    const int id = addAgent(QStringLiteral("Петров"));
    const struct {
        const char* debt;
        const char* label;
    } cases[] = {{"-150", "Долг хозяина: 150 грн."}, {"0", "Долг реализатора: 0 грн."}, {"12.75", "Долг реализатора: 12,75 грн."}};
    ASSERT_TRUE(start());
    for (const auto& c : cases) {
        exec(QStringLiteral("UPDATE realizators SET ostatok=\"0\", dolg=\"%1\" WHERE r_id=\"%2\"").arg(QLatin1String(c.debt)).arg(id));
        Form1->RefreshMainWindow();
        EXPECT_EQ(Form1->Label1->text().toStdString(), c.label);
    }
}

TEST_F(MainWindowTest, TotalGoodsCountsWholeQuantitiesHalfToEven) {
    setSalary();
    const int id = addAgent(QStringLiteral("Петров"));
    addGoods(id, QStringLiteral("А"), QStringLiteral("10"), QStringLiteral("2.5"), QStringLiteral("25"));
    addGoods(id, QStringLiteral("Б"), QStringLiteral("10"), QStringLiteral("3.5"), QStringLiteral("35"));
    ASSERT_TRUE(start());
    EXPECT_EQ(Form1->Label4->text(), QStringLiteral("Общий товар: 60 грн."));
}

TEST_F(MainWindowTest, JournalFilterByKindAndInclusiveRange) {
    setSalary();
    const int id = addAgent(QStringLiteral("Петров"));
    const char* rows[][2] = {{"04.03.2004", "Приход"}, {"05.03.2004", "Уход"}, {"06.03.2004", "Приход"}};
    for (const auto& r : rows)
        exec(QStringLiteral("INSERT INTO oper VALUES(\"%1\",\"%2\",\"10:00:00\",\"%3\",\"Хозяин\",\"Хлеб\",\"1\",\"1\",\"1\")")
                 .arg(id)
                 .arg(QLatin1String(r[0]), QString::fromUtf8(r[1])));
    ASSERT_TRUE(start());
    EXPECT_EQ(Form1->ComboBox2->currentText(), QStringLiteral("ВСЕ"));
    EXPECT_EQ(Form1->DateTimePicker1->date(), QDate(1900, 1, 1));
    EXPECT_EQ(Form1->DateTimePicker2->date(), QDate::currentDate());
    Form1->ComboBox2->setCurrentText(QStringLiteral("Приход"));
    QTest::mouseClick(Form1->Button9, Qt::LeftButton);
    EXPECT_EQ(column(Form1->DBGrid2, 0), (QStringList{"06.03.2004", "04.03.2004"}));
    Form1->ComboBox2->setCurrentText(QStringLiteral("ВСЕ"));
    Form1->DateTimePicker1->setDate(QDate(2004, 3, 5));
    Form1->DateTimePicker2->setDate(QDate(2004, 3, 6));
    QTest::mouseClick(Form1->Button9, Qt::LeftButton);
    EXPECT_EQ(column(Form1->DBGrid2, 0), (QStringList{"06.03.2004", "05.03.2004"}));
    Form1->DateTimePicker1->setDate(QDate(2004, 3, 7));
    QTest::mouseClick(Form1->Button9, Qt::LeftButton);
    EXPECT_EQ(Form1->DBGrid2->model()->rowCount(), 0);
    QTest::mouseClick(Form1->Button10, Qt::LeftButton);
    EXPECT_EQ(Form1->DBGrid2->model()->rowCount(), 3);
    EXPECT_EQ(Form1->DateTimePicker1->date(), QDate(2004, 3, 7)); // the pickers keep their values
}

TEST_F(MainWindowTest, ClickingAGoodsTitleSortsByThatColumn) {
    setSalary();
    const int id = addAgent(QStringLiteral("Петров"));
    addGoods(id, QStringLiteral("Аир"), QStringLiteral("30"), QStringLiteral("1"), QStringLiteral("30"));
    addGoods(id, QStringLiteral("Хлеб"), QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("2"));
    addGoods(id, QStringLiteral("Мыло"), QStringLiteral("12"), QStringLiteral("1"), QStringLiteral("12"));
    ASSERT_TRUE(start());
    Form1->DBGrid1TitleClick(1); // "Цена"
    EXPECT_EQ(column(Form1->DBGrid1, 0), (QStringList{"Хлеб", "Мыло", "Аир"}));
    EXPECT_EQ(headers(Form1->DBGrid1).at(1), QStringLiteral("Цена"));
    Form1->RefreshMainWindow();
    EXPECT_EQ(column(Form1->DBGrid1, 0), (QStringList{"Аир", "Мыло", "Хлеб"}));
}

TEST_F(MainWindowTest, ScreenSizesOfTheCommandTick) {
    setSalary();
    const struct {
        QSize screen;
        bool asks;
        QSize window;
    } cases[] = {
        {QSize(1024, 768), false, QSize(1024, 768)}, {QSize(1280, 1024), false, QSize(1024, 740)},
        {QSize(1024, 600), false, QSize(1024, 740)}, {QSize(1280, 720), false, QSize(1024, 740)},
        {QSize(800, 600), true, QSize(1024, 768)},
    };
    ASSERT_TRUE(start());
    for (const auto& c : cases) {
        Form1->setFixedSize(1024, 740);
        DisplayMode::simulate(c.screen, true);
        boxes.clear();
        answer({true});
        Form1->Timer1Timer();
        EXPECT_EQ(!boxes.empty(), c.asks) << c.screen.width() << "x" << c.screen.height();
        EXPECT_EQ(Form1->size(), c.window) << c.screen.width() << "x" << c.screen.height();
    }
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, QStringLiteral("Зелмар"));
    EXPECT_EQ(boxes[0].text, QStringLiteral("Текущее разрешение экрана (800х 600) слишком мало для данной программы."
                                            "Вы хотите его изменить на 1024х768 ?"));
}

TEST_F(MainWindowTest, AFailedModeSwitchAsksAgainAndNoEndsTheProgram) {
    setSalary();
    ASSERT_TRUE(start());
    DisplayMode::simulate(QSize(800, 600), false);
    answer({true, false});
    Form1->Timer1Timer();
    EXPECT_EQ(DisplayMode::switchRequests(), 1);
    EXPECT_FALSE(Application::instance()->endRequested());
    // The next tick asks again; No ends the program.
    EXPECT_THROW(Form1->Timer1Timer(), ProgramEnd);
    ASSERT_GE(boxes.size(), 3u);
    EXPECT_EQ(boxes[1].kind, Messages::Kind::Question);
    EXPECT_EQ(boxes[2].text, QStringLiteral("Программа не может работать на таком разрешении."));
}

TEST_F(MainWindowTest, ATickUnderAnOpenQuestionNeverAsksASecondOne) {
    setSalary();
    ASSERT_TRUE(start());
    DisplayMode::simulate(QSize(800, 600), true);
    int questions = 0;
    Messages::setResponder([&](const Messages::Box& box) {
        if (box.kind == Messages::Kind::Question) {
            ++questions;
            Form1->Timer1Timer(); // ticks keep arriving while the box is open
            Form1->Timer1Timer();
        }
        return true;
    });
    Form1->Timer1Timer();
    EXPECT_EQ(questions, 1);
}

TEST_F(MainWindowTest, PasswordPromptTakesAnyNumberOfWrongAttemptsThenOpensTheMainWindow) {
    setSalary();
    addAgent(QStringLiteral("Петров"));
    WriteSetting(QStringLiteral("Security"), QStringLiteral("Pwd"), PasswordDigest(QStringLiteral("Тайна7")));
    ASSERT_TRUE(start());
    EXPECT_TRUE(Form12->isVisible());
    EXPECT_FALSE(Form1->isVisible());
    EXPECT_EQ(Form1->ComboBox1->count(), 1); // filled before the password is entered
    EXPECT_EQ(Form12->Edit1->echoMode(), QLineEdit::Password);
    for (const char* wrong : {"тайна7", "x", ""}) {
        Form12->Edit1->setText(QString::fromUtf8(wrong));
        QTest::mouseClick(Form12->BitBtn1, Qt::LeftButton);
        EXPECT_EQ(boxes.back().text, QStringLiteral("Введен неправильный пароль. Повторите попытку."));
        EXPECT_TRUE(Form12->Edit1->text().isEmpty());
        EXPECT_TRUE(Form12->isVisible());
    }
    typeText(Form12->Edit1, QStringLiteral("Тайна7"));
    QTest::mouseClick(Form12->BitBtn1, Qt::LeftButton);
    EXPECT_FALSE(Form12->isVisible());
    EXPECT_TRUE(Form1->isVisible());
    EXPECT_FALSE(Application::instance()->endRequested());
}

TEST_F(MainWindowTest, PasswordPromptExitAndItsFrameEndTheProgramWithoutDelBat) {
    WriteSetting(QStringLiteral("Security"), QStringLiteral("Pwd"), PasswordDigest(QStringLiteral("1")));
    ASSERT_TRUE(start());
    QTest::mouseClick(Form12->BitBtn2, Qt::LeftButton);
    EXPECT_TRUE(Application::instance()->endRequested());
    EXPECT_FALSE(QFile::exists(path("del.bat")));

    Application::instance()->clearEndRequest();
    Form12->show();
    Form12->close();
    QCoreApplication::processEvents();
    EXPECT_TRUE(Application::instance()->endRequested());
    EXPECT_FALSE(Form1->isVisible());
}

TEST_F(MainWindowTest, NoPasswordOpensTheMainWindowDirectly) {
    setSalary();
    ASSERT_TRUE(start());
    EXPECT_TRUE(Form1->isVisible());
    EXPECT_FALSE(Form12->isVisible());
}

TEST_F(MainWindowTest, AnErrorInAHandlerIsShownInTheErrorBoxAndTheProgramGoesOn) {
    setSalary();
    ASSERT_TRUE(start());
    Ledger::engine().closeTables();
    QFile::remove(path("oper.db"));
    QTest::mouseClick(Form1->Button10, Qt::LeftButton);
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back().kind, Messages::Kind::Error);
    EXPECT_TRUE(boxes.back().text.contains(QStringLiteral("oper"))) << boxes.back().text.toStdString();
    EXPECT_FALSE(Application::instance()->endRequested());
}

TEST_F(MainWindowTest, NoUndoAfterARestartAndTheUndoItemFollowsTheSnapshot) {
    setSalary();
    QDir().mkpath(path("backup/undo"));
    for (const char* name : {"realizators.db", "tovar.db", "oper.db", "kassa.db", "info.db", "text"})
        writeFile(QStringLiteral("backup/undo/") + QLatin1String(name), "x");
    ASSERT_TRUE(start());
    EXPECT_FALSE(QDir(path("backup/undo")).exists());
    Form1->Timer1Timer();
    EXPECT_FALSE(Form1->N6->isEnabled());

    QDir().mkpath(path("backup/undo"));
    QStringEncoder encoder("windows-1251");
    writeFile(QStringLiteral("backup/undo/text"), encoder(QStringLiteral("добавление товара")));
    Form1->Timer1Timer();
    EXPECT_TRUE(Form1->N6->isEnabled());
    EXPECT_EQ(Form1->N6->text(), QStringLiteral("Отменить добавление товара"));
    EXPECT_EQ(State().undoDescription, QStringLiteral("добавление товара"));
}

TEST_F(MainWindowTest, ClosingStartsDelBatWhichRemovesTheSnapshotAfterTheEnd) {
    setSalary();
    installPrograms();
    ASSERT_TRUE(start());
    QDir().mkpath(path("backup/undo"));
    writeFile(QStringLiteral("backup/undo/tovar.db"), "copy");
    writeFile(QStringLiteral("backup/undo/text"), "x");
    Form1->close();
    EXPECT_TRUE(Application::instance()->endRequested());
    QElapsedTimer clock;
    clock.start();
    while ((QDir(path("backup/undo")).exists() || QFile::exists(path("del.bat"))) && clock.elapsed() < 10000)
        QThread::msleep(20);
    EXPECT_FALSE(QDir(path("backup/undo")).exists());
    EXPECT_FALSE(QFile::exists(path("del.bat")));
    EXPECT_TRUE(QDir(path("backup")).exists());
}

TEST_F(MainWindowTest, RowColourRuleStripesAndCursorColoursFollowTheFocus) {
    setSalary();
    const int id = addAgent(QStringLiteral("Петров"));
    for (const char* name : {"А", "Б", "В", "Г", "Д"})
        addGoods(id, QString::fromUtf8(name), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"));
    exec(QStringLiteral("INSERT INTO oper VALUES(\"%1\",\"05.03.2004\",\"10:00:00\",\"Приход\",\"Хозяин\",\"А\",\"1\",\"1\",\"1\")").arg(id));
    ASSERT_TRUE(start());
    Form1->show();
    Form1->activateWindow();
    QApplication::setActiveWindow(Form1);
    Form1->DBGrid1->setCurrentIndex(Form1->DBGrid1->model()->index(2, 0));
    Form1->DBGrid1->setFocus();
    QCoreApplication::processEvents();
    ASSERT_TRUE(Form1->DBGrid1->hasFocus());

    const auto background = [](QTableView* grid, int row) {
        const QImage image = grid->viewport()->grab().toImage();
        const QRect cell = grid->visualRect(grid->model()->index(row, 0));
        return QColor(image.pixel(cell.right() - 2, cell.center().y()));
    };
    const QColor white(255, 255, 255), grey(239, 239, 239), teal(0, 128, 128), silver(192, 192, 192);
    EXPECT_EQ(background(Form1->DBGrid1, 0), grey);
    EXPECT_EQ(background(Form1->DBGrid1, 1), white);
    EXPECT_EQ(background(Form1->DBGrid1, 2), teal);
    EXPECT_EQ(background(Form1->DBGrid1, 3), white);
    EXPECT_EQ(background(Form1->DBGrid1, 4), grey);
    EXPECT_EQ(background(Form1->DBGrid2, 0), silver); // its one row is current, without the focus

    Form1->DBGrid2->setFocus();
    QCoreApplication::processEvents();
    EXPECT_EQ(background(Form1->DBGrid1, 2), silver);
    EXPECT_EQ(background(Form1->DBGrid2, 0), teal);

    // A changed scheme shows at the next drawing.
    State().cl1 = QStringLiteral("255"); // red
    EXPECT_EQ(background(Form1->DBGrid1, 1), QColor(255, 0, 0));
}

TEST_F(MainWindowTest, ChartButtonTextTakesTheCursorColourOnActivation) {
    setSalary();
    ASSERT_TRUE(start());
    Form1->FormActivate();
    EXPECT_EQ(Form1->SpeedButton1->palette().color(QPalette::ButtonText), QColor(0, 128, 128));
    EXPECT_TRUE(Form1->Timer1->isActive());
}

} // namespace

namespace {

// The list colour rule: the face of the agent list is drawn on cl3 while it has the focus and on
// the system's window background otherwise.
TEST_F(MainWindowTest, AgentListFaceTakesTheCursorColourWithTheFocus) {
    setSalary();
    addAgent(QStringLiteral("Петров"));
    ASSERT_TRUE(start());
    Form1->show();
    QApplication::setActiveWindow(Form1);
    const auto faceColour = [] {
        const QImage image = Form1->ComboBox1->grab().toImage();
        return QColor(image.pixel(image.width() / 2, image.height() - 4));
    };
    Form1->DBGrid1->setFocus();
    QCoreApplication::processEvents();
    EXPECT_EQ(faceColour(), Form1->ComboBox1->palette().color(QPalette::Base));
    Form1->ComboBox1->setFocus();
    QCoreApplication::processEvents();
    ASSERT_TRUE(Form1->ComboBox1->hasFocus());
    EXPECT_EQ(faceColour(), QColor(0, 128, 128));
}

} // namespace

namespace {

TEST_F(MainWindowTest, AForeignTableFileEndsTheStartWithTheEngineMessage) {
    QFile::remove(path("kassa.db"));
    ASSERT_TRUE(QFile::copy(path("info.db"), path("kassa.db")));
    EXPECT_FALSE(start());
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back().kind, Messages::Kind::Error);
    EXPECT_TRUE(boxes.back().text.contains(QStringLiteral("kassa"))) << boxes.back().text.toStdString();
}

} // namespace
