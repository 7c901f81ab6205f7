// The about window with its picture, the JPEG decoder, and the help window over the real Zelmar.chm
// that the build compiled: contents, context numbers, links, F1 and an absent or damaged help file.
#include "tests/app/MainWindowFixture.h"

#include "platform/HelpContext.h"
#include "settings/AboutPicture.h"
#include "settings/ChmBrowser.h"
#include "settings/ChmFile.h"
#include "settings/ColorBox.h"
#include "settings/Help.h"
#include "settings/HelpViewer.h"
#include "settings/JpegDecoder.h"
#include "settings/Unit10.h"
#include "settings/Unit13.h"
#include "settings/Unit7.h"
#include "store/FilteredLineEdit.h"

#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace {

QByteArray aboutJpeg() {
    return QByteArray(reinterpret_cast<const char*>(kAboutPictureJpeg), qsizetype(kAboutPictureJpegSize));
}

QStringList contentsTitles(QTreeWidget* tree) {
    QStringList titles;
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        titles << (*it)->text(0);
    return titles;
}

} // namespace

class AboutHelpTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        setSalary();
        ASSERT_TRUE(start());
        boxes.clear();
    }
    void TearDown() override {
        CloseHelp();
        MainWindowTest::TearDown();
    }
};

TEST_F(AboutHelpTest, AboutWindowShowsPictureAndTextAndOkClosesIt) {
    Form7->show();
    EXPECT_EQ(Form7->windowTitle(), QStringLiteral("О программе"));
    EXPECT_TRUE(Form7->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(Form7->Image1->size(), QSize(89, 105));
    EXPECT_TRUE(Form7->Image1->hasScaledContents());
    EXPECT_FALSE(Form7->Image1->pixmap().isNull());
    EXPECT_EQ(Form7->Memo2->toPlainText(),
              QStringLiteral("Представляет собой простенький электронный учет товара для \n"
                             "предпринимателей, которые занимаются торговлей."));
    EXPECT_TRUE(Form7->Memo2->isReadOnly());
    EXPECT_FALSE(Form7->Memo2->isEnabled());
    EXPECT_TRUE(Form7->BitBtn1->isDefault());
    QTest::mouseClick(Form7->BitBtn1, Qt::LeftButton);
    EXPECT_FALSE(Form7->isVisible());
}

TEST(JpegDecoderTest, DecodesTheAboutPicture) {
    const QImage image = JpegDecoder::decode(aboutJpeg());
    ASSERT_EQ(image.size(), QSize(178, 210));
    // The flat top band survives compression within a few levels.
    const QColor band = image.pixelColor(5, 5);
    EXPECT_NEAR(band.red(), 32, 6);
    EXPECT_NEAR(band.green(), 64, 6);
    EXPECT_NEAR(band.blue(), 128, 6);
    EXPECT_NE(image.pixelColor(80, 110), band); // the book is drawn over it
}

TEST(JpegDecoderTest, RefusesWhatIsNotAWholeJpeg) {
    const QByteArray whole = aboutJpeg();
    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"empty", QByteArray()},
        {"not a JPEG", QByteArray("GIF89a, certainly no JPEG at all")},
        {"truncated", whole.left(whole.size() / 2)},
        {"header only", whole.left(200)},
    };
    for (const auto& c : cases)
        EXPECT_THROW(JpegDecoder::decode(c.bytes), JpegError) << c.what;
}

TEST_F(AboutHelpTest, ContentsListTheTopicsAndOpenAtTheContentsPage) {
    ShowHelpContents();
    HelpViewer* viewer = HelpWindow();
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(viewer->currentPage(), QStringLiteral("/index.htm"));
    EXPECT_TRUE(viewer->Browser->toPlainText().contains(QStringLiteral("Зелмар: содержание справки")));
    const QStringList titles = contentsTitles(viewer->Contents);
    EXPECT_EQ(viewer->Contents->topLevelItem(0)->text(0), QStringLiteral("Содержание"));
    for (const char* topic : {"Касса", "Переучет", "Настройка цветов", "Пароль", "Резервное копирование",
                              "Отмена последней операции", "График общего товара", "Таблица товара"})
        EXPECT_TRUE(titles.contains(QString::fromUtf8(topic))) << topic;
}

TEST_F(AboutHelpTest, EveryContextNumberOfTheProgramShowsItsTopic) {
    const ChmFile chm(path(QStringLiteral("Zelmar.chm")));
    for (int number : {5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 22, 23, 25})
        EXPECT_TRUE(chm.contextMap().contains(number)) << number;

    const struct {
        int number;
        const char* page;
        const char* title;
    } cases[] = {
        {5, "/add_agent.htm", "Добавление реализатора"},
        {10, "/return.htm", "Возврат товара Хозяину"},
        {11, "/recount.htm", "Переучет"},
        {12, "/kassa.htm", "Касса"},
        {15, "/password.htm", "Пароль"},
        {23, "/current_agent.htm", "Текущий реализатор"},
        {25, "/goods_table.htm", "Таблица товара"},
        {21, "/chart.htm", "График общего товара"},
    };
    for (const auto& c : cases) {
        ShowHelpContext(c.number);
        HelpViewer* viewer = HelpWindow();
        ASSERT_NE(viewer, nullptr) << c.number;
        EXPECT_EQ(viewer->currentPage(), QString::fromUtf8(c.page)) << c.number;
        EXPECT_EQ(viewer->Browser->documentTitle(), QString::fromUtf8(c.title)) << c.number;
        ASSERT_NE(viewer->Contents->currentItem(), nullptr) << c.number;
        EXPECT_EQ(viewer->Contents->currentItem()->text(0), QString::fromUtf8(c.title)) << c.number;
    }
    EXPECT_TRUE(boxes.empty());
}

TEST_F(AboutHelpTest, LinksAreFollowedInsideTheFileAndBackReturns) {
    ShowHelpContext(12);
    HelpViewer* viewer = HelpWindow();
    ASSERT_NE(viewer, nullptr);
    // The first link of the cash page leads to the salary settings.
    QTest::keyClick(viewer->Browser, Qt::Key_Tab);
    QTest::keyClick(viewer->Browser, Qt::Key_Return);
    EXPECT_EQ(viewer->currentPage(), QStringLiteral("/salary.htm"));
    EXPECT_EQ(viewer->Browser->documentTitle(), QStringLiteral("Настройка зарплаты"));
    QTest::mouseClick(viewer->BackButton, Qt::LeftButton);
    EXPECT_EQ(viewer->currentPage(), QStringLiteral("/kassa.htm"));
}

TEST_F(AboutHelpTest, F1ShowsTheNumberOfTheNearestControlThatHasOne) {
    ShowHelpForWidget(Form13->Edit1); // the retention window has no context help
    EXPECT_EQ(HelpWindow(), nullptr);
    EXPECT_TRUE(boxes.empty());

    auto* unnumbered = new QWidget(Form10);
    ShowHelpForWidget(unnumbered);
    ASSERT_NE(HelpWindow(), nullptr);
    EXPECT_EQ(HelpWindow()->currentPage(), QStringLiteral("/colours.htm"));
    ShowHelpForWidget(Form10->ColorBox3);
    EXPECT_EQ(HelpWindow()->currentPage(), QStringLiteral("/colours.htm"));
}

TEST_F(AboutHelpTest, HelpFileIsFoundWhateverTheLetterCaseOfItsName) {
    ASSERT_TRUE(QFile::rename(path(QStringLiteral("Zelmar.chm")), path(QStringLiteral("ZELMAR.CHM"))));
    ShowHelpContext(8);
    ASSERT_NE(HelpWindow(), nullptr);
    EXPECT_EQ(HelpWindow()->currentPage(), QStringLiteral("/add_goods.htm"));
}

TEST_F(AboutHelpTest, AbsentDamagedOrUnmappedHelpIsReportedAndOpensNothing) {
    const QString file = path(QStringLiteral("Zelmar.chm"));
    const struct {
        const char* what;
        std::function<void()> prepare;
        int context;
        QString message;
    } cases[] = {
        {"missing", [&] { QFile::remove(file); }, 0,
         QStringLiteral("Файл справки %1 не найден. Переустановите программу.")
             .arg(path(QStringLiteral("zelmar.chm")))},
        {"damaged", [&] { writeFile(QStringLiteral("Zelmar.chm"), "ITSF but nothing else"); }, 12,
         QStringLiteral("Не удается открыть файл справки %1: это не файл справки CHM или он поврежден.")
             .arg(file)},
        {"unmapped number", [] {}, 99, QStringLiteral("В файле справки нет раздела с номером 99.")},
    };
    const QByteArray good = readFile(QStringLiteral("Zelmar.chm"));
    for (const auto& c : cases) {
        writeFile(QStringLiteral("Zelmar.chm"), good);
        boxes.clear();
        c.prepare();
        if (c.context == 0)
            ShowHelpContents();
        else
            ShowHelpContext(c.context);
        ASSERT_EQ(boxes.size(), 1u) << c.what;
        EXPECT_EQ(boxes[0].text, c.message) << c.what;
        EXPECT_TRUE(HelpWindow() == nullptr || !HelpWindow()->isVisible()) << c.what;
    }
}
