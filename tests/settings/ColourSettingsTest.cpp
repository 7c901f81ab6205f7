// The colour settings window on the real program: what activation shows, the default scheme,
// saving (the keys, the program state, every window drawn again) and a refused write.
#include "tests/app/MainWindowFixture.h"

#include "app/Unit1.h"
#include "settings/ColorBox.h"
#include "settings/Unit10.h"
#include "store/PaintedComboBox.h"
#include "store/ProgramState.h"
#include "store/Settings.h"

#include <QColorDialog>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

namespace {

QString stored(int n) {
    return ReadSetting(QStringLiteral("Color"), QStringLiteral("cl%1").arg(n));
}

QStringList stateColours() {
    const ProgramState& s = State();
    return {s.cl1, s.cl2, s.cl3, s.cl4, s.cl5, s.cl6};
}

ColorBox* box(int n) {
    return Form10->findChild<ColorBox*>(QStringLiteral("ColorBox%1").arg(n));
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    int count = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

} // namespace

class ColourSettingsTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        setSalary();
    }
    // Stores a scheme in the file before the start reads it.
    void storeScheme(const QStringList& texts) {
        for (int n = 1; n <= 6; ++n)
            WriteSetting(QStringLiteral("Color"), QStringLiteral("cl%1").arg(n), texts[n - 1]);
    }
    // Shown and activated, with the activation the window system delivers already behind it.
    void open() {
        Form10->show();
        QCoreApplication::processEvents();
        Form10->FormActivate();
    }
};

const QStringList kDefaults{"16777215", "15724527", "8421376", "16777215", "0", "12632256"};

TEST_F(ColourSettingsTest, ActivationShowsTheSchemeInUse) {
    storeScheme({"255", "15724527", "8421376", "not a colour", "0", "12632256"});
    ASSERT_TRUE(start());
    open();
    EXPECT_EQ(Form10->windowTitle(), QStringLiteral("Настройки цвета"));
    EXPECT_EQ(box(1)->currentText(), QStringLiteral("Красный"));
    // Light grey is none of the listed colours: the custom entry shows it.
    EXPECT_EQ(box(2)->currentIndex(), ColorBox::kCustomEntry);
    EXPECT_EQ(box(2)->selected(), QColor(239, 239, 239));
    EXPECT_EQ(box(3)->currentText(), QStringLiteral("Сине-зеленый"));
    EXPECT_EQ(box(4)->selected(), QColor(Qt::white)); // a hand-edited text shows as its default
    EXPECT_EQ(box(6)->currentText(), QStringLiteral("Серебристый"));

    box(1)->setCurrentIndex(box(1)->findText(QStringLiteral("Синий")));
    Form10->FormActivate(); // coming back to the window drops the unsaved choice
    EXPECT_EQ(box(1)->currentText(), QStringLiteral("Красный"));
}

TEST_F(ColourSettingsTest, DefaultsThenExitChangesNothing) {
    const QStringList mine{"255", "65280", "16711680", "0", "16777215", "8388608"};
    storeScheme(mine);
    ASSERT_TRUE(start());
    open();
    QTest::mouseClick(Form10->Button1, Qt::LeftButton);
    EXPECT_EQ(box(1)->selected(), QColor(Qt::white));
    QTest::mouseClick(Form10->BitBtn2, Qt::LeftButton);
    EXPECT_FALSE(Form10->isVisible());
    EXPECT_EQ(stateColours(), mine);
    for (int n = 1; n <= 6; ++n)
        EXPECT_EQ(stored(n), mine[n - 1]) << n;
    open();
    EXPECT_EQ(box(1)->currentText(), QStringLiteral("Красный"));
}

TEST_F(ColourSettingsTest, DefaultsThenSaveStoresTheDefaultSchemeAndRedrawsEveryWindow) {
    storeScheme({"255", "255", "255", "255", "255", "255"});
    ASSERT_TRUE(start());
    PaintCounter paints;
    Form1->DBGrid1->viewport()->installEventFilter(&paints);
    QCoreApplication::processEvents();
    paints.count = 0;
    open();
    QTest::mouseClick(Form10->Button1, Qt::LeftButton);
    QTest::mouseClick(Form10->BitBtn1, Qt::LeftButton);
    EXPECT_FALSE(Form10->isVisible());
    for (int n = 1; n <= 6; ++n)
        EXPECT_EQ(stored(n), kDefaults[n - 1]) << n;
    EXPECT_EQ(stateColours(), kDefaults);
    QCoreApplication::processEvents();
    EXPECT_GT(paints.count, 0) << "the main window's goods grid was not drawn again";
    Form1->DBGrid1->viewport()->removeEventFilter(&paints);
}

TEST_F(ColourSettingsTest, EachBoxStoresItsOwnKey) {
    const int agent = addAgent(QStringLiteral("Петренко"));
    addGoods(agent, QStringLiteral("Мыло"), QStringLiteral("2.5"), QStringLiteral("4"), QStringLiteral("10"));
    ASSERT_TRUE(start());
    open();
    // The box for cl6 stands fourth on screen; choosing red there must land under cl6, not cl4.
    box(6)->setCurrentIndex(box(6)->findText(QStringLiteral("Красный")));
    // A custom colour: the custom entry (first, taken by Home) opens the colour dialog.
    QTimer::singleShot(0, [] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<QColorDialog*>(w); dialog && dialog->isVisible()) {
                dialog->setCurrentColor(QColor(1, 2, 3));
                dialog->accept();
            }
        }
    });
    QTest::keyClick(box(3), Qt::Key_Home);
    EXPECT_EQ(box(3)->selected(), QColor(1, 2, 3));
    QTest::mouseClick(Form10->BitBtn1, Qt::LeftButton);

    EXPECT_EQ(stored(6), QStringLiteral("255"));
    EXPECT_EQ(stored(4), QStringLiteral("16777215"));
    EXPECT_EQ(stored(3), QStringLiteral("197121"));
    EXPECT_EQ(State().cl6, QStringLiteral("255"));
    EXPECT_EQ(State().cl3, QStringLiteral("197121"));

    // The goods grid without the focus shows its one (current) row in red.
    Form1->ComboBox1->setFocus();
    const QRect row = Form1->DBGrid1->visualRect(Form1->DBGrid1->model()->index(0, 0));
    const QImage grid = Form1->DBGrid1->viewport()->grab().toImage();
    EXPECT_EQ(QColor(grid.pixel(row.center())), QColor(Qt::red));
}

TEST_F(ColourSettingsTest, RefusedWriteKeepsTheSchemeAndTheWindow) {
    ASSERT_TRUE(start());
    open();
    box(1)->setCurrentIndex(box(1)->findText(QStringLiteral("Красный")));
    const QString missing = folder + QStringLiteral("нет такой папки/");
    State().programFolder = missing;
    boxes.clear();
    QTest::mouseClick(Form10->BitBtn1, Qt::LeftButton);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].kind, Messages::Kind::Error);
    EXPECT_EQ(boxes[0].text, QStringLiteral("Unable to write to ") + missing + QStringLiteral("Zelmar.ini"));
    EXPECT_EQ(stateColours(), kDefaults);
    EXPECT_TRUE(Form10->isVisible());
}
