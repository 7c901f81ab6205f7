// The agent card through the real windows: the key filters and lengths of its five boxes, typed and
// pasted; the two-character enabling rule; adding and editing with activation reloading the card;
// the undo of either; a refused statement writing nothing.
#include "app/Unit1.h"
#include "operations/Unit2.h"
#include "platform/HelpContext.h"
#include "platform/engine/Engine.h"
#include "store/FilteredLineEdit.h"
#include "store/Ledger.h"
#include "store/PaintedComboBox.h"
#include "store/ProgramState.h"
#include "tests/app/MainWindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <sqlite3.h>

#include <algorithm>

namespace {

struct AgentRow {
    QString fam, name, otch, pasport, adres;
    double ostatok = -1, dolg = -1;
};

class AgentCardTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        installPrograms();
        setSalary();
    }

    FilteredLineEdit* box(int i) const {
        FilteredLineEdit* const boxes[] = {Form2->Edit1, Form2->Edit2, Form2->Edit3, Form2->Edit4,
                                           Form2->Edit5};
        return boxes[i];
    }
    // The main window's button opens the card; the activation runs as the window system would run it.
    void openCard(QPushButton* button) {
        QTest::mouseClick(button, Qt::LeftButton);
        ASSERT_TRUE(Form2->isVisible());
        Form2->FormActivate();
    }
    void fill(const QStringList& texts) {
        for (int i = 0; i < 5; ++i) {
            box(i)->clear();
            typeText(box(i), texts.value(i));
        }
        Form2->Timer1Timer();
    }
    QStringList shown() const {
        QStringList out;
        for (int i = 0; i < 5; ++i)
            out << box(i)->text();
        return out;
    }
    std::vector<AgentRow> agents() {
        Query q(&Ledger::engine());
        q.setSql(QStringLiteral("SELECT * FROM realizators ORDER BY r_id"));
        q.open();
        std::vector<AgentRow> out;
        for (q.first(); !q.eof(); q.next()) {
            out.push_back({q.fieldByName("r_fam").asString(), q.fieldByName("r_name").asString(),
                           q.fieldByName("r_otch").asString(), q.fieldByName("r_pasport").asString(),
                           q.fieldByName("r_adres").asString(), q.fieldByName("ostatok").asFloat(),
                           q.fieldByName("dolg").asFloat()});
        }
        return out;
    }
    void selectAgent(int position) {
        Form1->ComboBox1->setCurrentIndex(position);
        Form1->ComboBox1Change();
    }
};

TEST_F(AgentCardTest, EachBoxTakesOnlyItsCharactersUpToItsColumnWidthTypedOrPasted) {
    ASSERT_TRUE(start());
    openCard(Form1->Button1);
    struct Case {
        int box;
        QString typed;
        QString kept;
        int maxLength;
    };
    const QString refused = QStringLiteral("\"'-/№ЁёЄІЇҐ1(.,");
    const Case cases[] = {
        {0, QStringLiteral("Ab Яя") + refused, QStringLiteral("Ab Яя"), 20},
        {1, QStringLiteral("Zz аА") + refused, QStringLiteral("Zz аА"), 15},
        {2, QStringLiteral("Петрович") + refused, QStringLiteral("Петрович"), 20},
        {3, QStringLiteral("АА (12)") + refused, QStringLiteral("АА (12)1("), 15},
        {4, QStringLiteral("ул. Мира, 5(б)") + refused, QStringLiteral("ул. Мира, 5(б)1(.,"), 50},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box);
        FilteredLineEdit* edit = box(c.box);
        edit->clear();
        typeText(edit, c.typed);
        EXPECT_EQ(edit->text(), c.kept);

        edit->clear();
        typeText(edit, QString(60, QLatin1Char('a')));
        EXPECT_EQ(edit->text().size(), c.maxLength);

        // Pasted text holding a refused character (a double quote above all) does not get in.
        edit->clear();
        QApplication::clipboard()->setText(QStringLiteral("ab\"cd"));
        edit->paste();
        EXPECT_EQ(edit->text(), QString());
        QApplication::clipboard()->setText(QStringLiteral("Ab-cd"));
        edit->paste();
        EXPECT_EQ(edit->text(), QString());
        QApplication::clipboard()->setText(QStringLiteral("Abc"));
        edit->paste();
        EXPECT_EQ(edit->text(), QStringLiteral("Abc"));
    }
}

TEST_F(AgentCardTest, ConfirmNeedsTwoCharactersInEveryBox) {
    ASSERT_TRUE(start());
    openCard(Form1->Button1);
    const QStringList complete = {QStringLiteral("Ли"), QStringLiteral("Ян"), QStringLiteral("Ив"),
                                  QStringLiteral("12"), QStringLiteral("  ")};
    fill(complete);
    EXPECT_TRUE(Form2->BitBtn1->isEnabled()); // two blanks are two characters
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        QStringList oneShort = complete;
        oneShort[i] = QStringLiteral("Ж");
        fill(oneShort);
        EXPECT_FALSE(Form2->BitBtn1->isEnabled());
    }
    fill({});
    EXPECT_FALSE(Form2->BitBtn1->isEnabled());
}

TEST_F(AgentCardTest, AddingWritesTheTextsAsTypedWithZeroMoneyAndClosesTheCard) {
    ASSERT_TRUE(start());
    openCard(Form1->Button1);
    EXPECT_EQ(Form2->windowTitle(), QStringLiteral("Добавление нового реализатора"));
    EXPECT_EQ(Form2->BitBtn1->text(), QStringLiteral("Добавить"));
    EXPECT_EQ(HelpContext::of(Form2), 5);
    EXPECT_EQ(HelpContext::of(Form2->Edit5), 5);
    EXPECT_TRUE(Form2->Timer1->isActive());

    // What was typed is gone when the card becomes active again.
    fill({QStringLiteral("Старый")});
    Form2->FormActivate();
    EXPECT_EQ(shown(), QStringList(5, QString()));

    const QStringList texts = {QStringLiteral(" Петров "), QStringLiteral("Иван  Ю"), QStringLiteral("Ильич"),
                               QStringLiteral("АБ (123)"), QStringLiteral("г. Киев, ул. Мира 5")};
    fill(texts);
    ASSERT_TRUE(Form2->BitBtn1->isEnabled());
    QTest::keyClick(Form2->Edit5, Qt::Key_Return); // Enter presses the default button
    EXPECT_FALSE(Form2->isVisible());
    EXPECT_FALSE(Form2->Timer1->isActive());

    // The same person again: a second agent with an id of his own.
    openCard(Form1->Button1);
    fill(texts);
    QTest::mouseClick(Form2->BitBtn1, Qt::LeftButton);

    const std::vector<AgentRow> rows = agents();
    ASSERT_EQ(rows.size(), 2u);
    for (const AgentRow& row : rows) {
        EXPECT_EQ(QStringList({row.fam, row.name, row.otch, row.pasport, row.adres}), texts);
        EXPECT_EQ(row.ostatok, 0.0);
        EXPECT_EQ(row.dolg, 0.0);
    }
    EXPECT_EQ(Form1->ComboBox1->count(), 2);
    EXPECT_EQ(Form1->ComboBox1->itemText(0), QStringLiteral(" Петров  Иван  Ю Ильич"));
    EXPECT_EQ(State().agentIds.size(), 2);
    EXPECT_NE(State().agentIds[0], State().agentIds[1]);
    Form1->Timer1Timer();
    EXPECT_EQ(Form1->N6->text(), QStringLiteral("Отменить добавление реализатора"));
    EXPECT_TRUE(std::none_of(boxes.begin(), boxes.end(),
                             [](const Messages::Box& b) { return b.kind == Messages::Kind::Error; }));
}

TEST_F(AgentCardTest, EditingShowsAndChangesTheAgentCurrentWhenTheCardBecomesActive) {
    addAgent(QStringLiteral("Андреев"), QStringLiteral("Олег"), QStringLiteral("Ильич"));
    addAgent(QStringLiteral("Борисов"), QStringLiteral("Петр"), QStringLiteral("Юрьевич"));
    ASSERT_TRUE(start());
    openCard(Form1->Button2);
    EXPECT_EQ(Form2->windowTitle(), QStringLiteral("Измемение данных реализатора"));
    EXPECT_EQ(Form2->BitBtn1->text(), QStringLiteral("Изменить"));
    EXPECT_EQ(HelpContext::of(Form2), 6);
    EXPECT_EQ(HelpContext::of(Form2->BitBtn2), 6);
    EXPECT_EQ(shown(),
              QStringList({QStringLiteral("Андреев"), QStringLiteral("Олег"), QStringLiteral("Ильич"),
                           QStringLiteral("АА123456"), QStringLiteral("Киев, Крещатик 1")}));

    // The user picks the other agent in the main window and comes back: the card shows him.
    typeText(Form2->Edit1, QStringLiteral("ов"));
    selectAgent(1);
    Form2->FormActivate();
    EXPECT_EQ(shown().first(), QStringLiteral("Борисов"));

    fill({QStringLiteral("Борисова"), QStringLiteral("Инна"), QStringLiteral("Юрьевна"),
          QStringLiteral("ВВ 77"), QStringLiteral("Одесса")});
    QTest::mouseClick(Form2->BitBtn1, Qt::LeftButton);
    EXPECT_FALSE(Form2->isVisible());
    const std::vector<AgentRow> rows = agents();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].fam, QStringLiteral("Андреев"));
    EXPECT_EQ(QStringList({rows[1].fam, rows[1].name, rows[1].otch, rows[1].pasport, rows[1].adres}),
              QStringList({QStringLiteral("Борисова"), QStringLiteral("Инна"), QStringLiteral("Юрьевна"),
                           QStringLiteral("ВВ 77"), QStringLiteral("Одесса")}));
    EXPECT_EQ(Form1->ComboBox1->currentText(), QStringLiteral("Борисова Инна Юрьевна"));
    Form1->Timer1Timer();
    EXPECT_EQ(Form1->N6->text(), QStringLiteral("Отменить изменение реализатора"));
}

TEST_F(AgentCardTest, ExitEscAndTheLossOfTheLastAgentWriteNothing) {
    addAgent(QStringLiteral("Андреев"));
    ASSERT_TRUE(start());
    openCard(Form1->Button1);
    fill({QStringLiteral("Ли"), QStringLiteral("Ян"), QStringLiteral("Ив"), QStringLiteral("12"),
          QStringLiteral("ул")});
    QTest::mouseClick(Form2->BitBtn2, Qt::LeftButton);
    EXPECT_FALSE(Form2->isVisible());
    openCard(Form1->Button1);
    fill({QStringLiteral("Ли"), QStringLiteral("Ян"), QStringLiteral("Ив"), QStringLiteral("12"),
          QStringLiteral("ул")});
    QTest::keyClick(Form2->Edit1, Qt::Key_Escape);
    EXPECT_FALSE(Form2->isVisible());
    EXPECT_EQ(agents().size(), 1u);

    // An edit card left open while its agent, the last one, is deleted has nothing to change.
    openCard(Form1->Button2);
    exec(QStringLiteral("DELETE FROM realizators WHERE r_fam=\"Андреев\""));
    Form1->RefreshMainWindow();
    fill({QStringLiteral("Ли"), QStringLiteral("Ян"), QStringLiteral("Ив"), QStringLiteral("12"),
          QStringLiteral("ул")});
    EXPECT_FALSE(Form2->BitBtn1->isEnabled());
}

TEST_F(AgentCardTest, UndoAfterAddingPutsTheTablesBack) {
    addAgent(QStringLiteral("Андреев"));
    ASSERT_TRUE(start());
    Ledger::engine().closeTables();
    const QByteArray before = readFile("realizators.db");
    Ledger::engine().openTables();

    openCard(Form1->Button1);
    fill({QStringLiteral("Ли"), QStringLiteral("Ян"), QStringLiteral("Ив"), QStringLiteral("12"),
          QStringLiteral("ул")});
    QTest::mouseClick(Form2->BitBtn1, Qt::LeftButton);
    ASSERT_EQ(agents().size(), 2u);

    Form1->Timer1Timer();
    answer({true});
    Form1->N6->trigger();
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back().text, QStringLiteral("добавление реализатора отменено"));
    Ledger::engine().closeTables();
    EXPECT_EQ(readFile("realizators.db"), before);
    Ledger::engine().openTables();
    EXPECT_EQ(Form1->ComboBox1->count(), 1);
}

TEST_F(AgentCardTest, ARefusedStatementLeavesTheCardOpenAndTheTableAsItWas) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path("realizators.db").toUtf8().constData(), &db), SQLITE_OK);
    ASSERT_EQ(
        sqlite3_exec(
            db,
            "CREATE TRIGGER refuse BEFORE INSERT ON realizators BEGIN SELECT RAISE(ABORT, 'refused'); END",
            nullptr, nullptr, nullptr),
        SQLITE_OK);
    sqlite3_close(db);
    ASSERT_TRUE(start());
    openCard(Form1->Button1);
    fill({QStringLiteral("Ли"), QStringLiteral("Ян"), QStringLiteral("Ив"), QStringLiteral("12"),
          QStringLiteral("ул")});
    QTest::mouseClick(Form2->BitBtn1, Qt::LeftButton);
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back().kind, Messages::Kind::Error);
    EXPECT_TRUE(Form2->isVisible());
    EXPECT_EQ(shown().first(), QStringLiteral("Ли"));
    EXPECT_TRUE(agents().empty());
    EXPECT_EQ(Form1->ComboBox1->count(), 0);
}

} // namespace
