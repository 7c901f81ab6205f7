// The password change window and the backup retention window on the real program: what is stored,
// the messages, the next start with and without a password, and the checks on what may be saved.
#include "tests/app/MainWindowFixture.h"

#include "app/Forms.h"
#include "app/Unit1.h"
#include "app/Unit12.h"
#include "settings/Unit11.h"
#include "settings/Unit13.h"
#include "store/FilteredLineEdit.h"
#include "store/Ledger.h"
#include "store/ProgramState.h"
#include "store/Settings.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace {

QString storedDigest() {
    return ReadSetting(QStringLiteral("Security"), QStringLiteral("Pwd"));
}

const QString kMismatch = QStringLiteral("Подтверждение не совпадает с новым паролем. Повторите попытку");
const QString kSaved = QStringLiteral("Пароль был успешно сохранен.");
const QString kRemoved =
    QStringLiteral("Пароль был удален. Теперь при запуске программы пароль не нужно будет вводить.");
const QString kWrongOld = QStringLiteral("Старый пароль введен неправильно. Повторите попытку.");

} // namespace

class PasswordRetentionTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        setSalary();
    }
    void startNow() {
        ASSERT_TRUE(start());
        boxes.clear();
    }
    void restart() {
        Forms::destroy();
        Ledger::close();
        ASSERT_TRUE(start());
    }
    void openPassword() {
        Form11->show();
        Form11->FormActivate();
    }
    void savePassword(const QString& old, const QString& password, const QString& confirmation) {
        openPassword();
        typeText(Form11->Edit3, old);
        typeText(Form11->Edit1, password);
        typeText(Form11->Edit2, confirmation);
        boxes.clear();
        QTest::mouseClick(Form11->BitBtn1, Qt::LeftButton);
    }
    void openRetention() {
        Form13->show();
        Form13->FormActivate();
    }
    QStringList texts() const {
        QStringList out;
        for (const auto& b : boxes)
            out << b.text;
        return out;
    }
};

TEST_F(PasswordRetentionTest, MismatchedConfirmationStoresNothing) {
    startNow();
    const QString before = storedDigest();
    const struct {
        const char* password;
        const char* confirmation;
    } cases[] = {{"Secret", "secret"}, {"Пароль", "пароль"}, {"abc", ""}, {"", "abc"}};
    for (const auto& c : cases) {
        savePassword(QString(), QString::fromUtf8(c.password), QString::fromUtf8(c.confirmation));
        EXPECT_EQ(texts(), QStringList{kMismatch}) << c.password;
        EXPECT_TRUE(Form11->Edit1->text().isEmpty());
        EXPECT_TRUE(Form11->Edit2->text().isEmpty());
        EXPECT_TRUE(Form11->isVisible());
        EXPECT_EQ(storedDigest(), before);
    }
}

TEST_F(PasswordRetentionTest, SavedPasswordIsAskedAtTheNextStartExactly) {
    startNow();
    openPassword();
    EXPECT_FALSE(Form11->Edit3->isEnabled()); // no password yet, so no old one to give
    EXPECT_EQ(Form11->Edit1->echoMode(), QLineEdit::Password);
    savePassword(QString(), QStringLiteral("Тайна7"), QStringLiteral("Тайна7"));
    EXPECT_EQ(texts(), QStringList{kSaved});
    EXPECT_FALSE(Form11->isVisible());
    EXPECT_TRUE(Form11->Edit1->text().isEmpty());
    EXPECT_EQ(storedDigest(), PasswordDigest(QStringLiteral("Тайна7")));

    restart();
    ASSERT_TRUE(Form12->isVisible());
    EXPECT_FALSE(Form1->isVisible());
    typeText(Form12->Edit1, QStringLiteral("тайна7"));
    QTest::mouseClick(Form12->BitBtn1, Qt::LeftButton);
    EXPECT_TRUE(Form12->isVisible());
    typeText(Form12->Edit1, QStringLiteral("Тайна7"));
    QTest::mouseClick(Form12->BitBtn1, Qt::LeftButton);
    EXPECT_TRUE(Form1->isVisible());
}

TEST_F(PasswordRetentionTest, SetPasswordChangesOnlyWithTheOldOne) {
    WriteSetting(QStringLiteral("Security"), QStringLiteral("Pwd"), PasswordDigest(QStringLiteral("Старый")));
    startNow();
    Form12->hide();
    const QString before = storedDigest();
    for (const char* wrong : {"", "старый", "Старый "}) {
        savePassword(QString::fromUtf8(wrong), QString(), QString());
        EXPECT_EQ(texts(), QStringList{kWrongOld}) << wrong;
        EXPECT_TRUE(Form11->Edit3->text().isEmpty());
        EXPECT_TRUE(Form11->isVisible());
        EXPECT_EQ(storedDigest(), before);
        Form11->Edit1->clear();
        Form11->Edit2->clear();
    }
    // The right old password and both new boxes empty remove the password.
    savePassword(QStringLiteral("Старый"), QString(), QString());
    EXPECT_EQ(texts(), QStringList{kRemoved});
    EXPECT_EQ(storedDigest(), PasswordDigest(QString()));
    restart();
    EXPECT_TRUE(Form1->isVisible());
    EXPECT_FALSE(Form12->isVisible());
}

TEST_F(PasswordRetentionTest, CancelKeepsTheNewPasswordBoxes) {
    WriteSetting(QStringLiteral("Security"), QStringLiteral("Pwd"), PasswordDigest(QStringLiteral("old")));
    startNow();
    openPassword();
    typeText(Form11->Edit3, QStringLiteral("old"));
    typeText(Form11->Edit1, QStringLiteral("new"));
    typeText(Form11->Edit2, QStringLiteral("ne"));
    QTest::mouseClick(Form11->BitBtn2, Qt::LeftButton);
    EXPECT_FALSE(Form11->isVisible());
    openPassword();
    EXPECT_EQ(Form11->Edit1->text(), QStringLiteral("new"));
    EXPECT_EQ(Form11->Edit2->text(), QStringLiteral("ne"));
    EXPECT_TRUE(Form11->Edit3->text().isEmpty());
    EXPECT_EQ(storedDigest(), PasswordDigest(QStringLiteral("old")));
}

TEST_F(PasswordRetentionTest, RefusedPasswordWriteShowsNoSuccess) {
    startNow();
    openPassword();
    typeText(Form11->Edit1, QStringLiteral("x"));
    typeText(Form11->Edit2, QStringLiteral("x"));
    State().programFolder = folder + QStringLiteral("missing/");
    QTest::mouseClick(Form11->BitBtn1, Qt::LeftButton);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].kind, Messages::Kind::Error);
    EXPECT_TRUE(boxes[0].text.startsWith(QStringLiteral("Unable to write to ")));
    EXPECT_TRUE(Form11->isVisible());
}

TEST_F(PasswordRetentionTest, RetentionArrowsStayWithinTheRange) {
    startNow();
    openRetention();
    EXPECT_EQ(Form13->windowTitle(), QStringLiteral("Резервное копирование"));
    EXPECT_EQ(Form13->Edit1->text(), QStringLiteral("30"));
    const struct {
        const char* start;
        int key; // Qt::Key_Up / Key_Down in the box, or 1 / -1 for the arrow buttons
        const char* expected;
    } cases[] = {{"999", 1, "999"},          {"0", -1, "0"},          {"30", 1, "31"}, {"", 1, "1"},
                 {"998", Qt::Key_Up, "999"}, {"0", Qt::Key_Down, "0"}};
    for (const auto& c : cases) {
        Form13->Edit1->setText(QString::fromLatin1(c.start));
        if (c.key == 1 || c.key == -1)
            QTest::mouseClick(c.key == 1 ? Form13->UpDown1Up : Form13->UpDown1Down, Qt::LeftButton);
        else
            QTest::keyClick(Form13->Edit1, Qt::Key(c.key));
        EXPECT_EQ(Form13->Edit1->text(), QString::fromLatin1(c.expected)) << c.start << " " << c.key;
    }
}

TEST_F(PasswordRetentionTest, RetentionBoxTakesAtMostThreeDigits) {
    startNow();
    openRetention();
    Form13->Edit1->clear();
    QTest::keyClicks(Form13->Edit1, QStringLiteral("1a2-b3 4"));
    EXPECT_EQ(Form13->Edit1->text(), QStringLiteral("123"));
    Form13->Edit1->clear();
    Form13->Edit1->insert(QStringLiteral("5x")); // pasted text holding a letter is refused whole
    EXPECT_EQ(Form13->Edit1->text(), QString());
}

TEST_F(PasswordRetentionTest, RetentionSaveStoresOnlyAWholeNumberOfDays) {
    startNow();
    openRetention();
    Form13->Edit1->clear();
    QTest::mouseClick(Form13->BitBtn1, Qt::LeftButton);
    EXPECT_EQ(texts(), QStringList{QStringLiteral("Укажите количество дней: целое число от 0 до 999.")});
    EXPECT_TRUE(Form13->isVisible());
    EXPECT_EQ(ReadSetting(QStringLiteral("Other"), QStringLiteral("bc")), QStringLiteral("30"));
    EXPECT_EQ(State().backupDays, QStringLiteral("30"));

    QTest::keyClicks(Form13->Edit1, QStringLiteral("45"));
    QTest::mouseClick(Form13->BitBtn1, Qt::LeftButton);
    EXPECT_FALSE(Form13->isVisible());
    EXPECT_EQ(ReadSetting(QStringLiteral("Other"), QStringLiteral("bc")), QStringLiteral("45"));
    EXPECT_TRUE(readFile(QStringLiteral("Zelmar.ini")).contains("Bc=45\r\n"));
    EXPECT_EQ(State().backupDays, QStringLiteral("45"));

    // Cancel drops what was typed: the next activation shows the stored number.
    openRetention();
    QTest::keyClick(Form13->Edit1, Qt::Key_Up);
    QTest::mouseClick(Form13->BitBtn2, Qt::LeftButton);
    openRetention();
    EXPECT_EQ(Form13->Edit1->text(), QStringLiteral("45"));
}

TEST_F(PasswordRetentionTest, RefusedRetentionWriteKeepsTheOldNumber) {
    startNow();
    openRetention();
    Form13->Edit1->setText(QStringLiteral("7"));
    State().programFolder = folder + QStringLiteral("missing/");
    QTest::mouseClick(Form13->BitBtn1, Qt::LeftButton);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].kind, Messages::Kind::Error);
    EXPECT_EQ(State().backupDays, QStringLiteral("30"));
    EXPECT_TRUE(Form13->isVisible());
}
