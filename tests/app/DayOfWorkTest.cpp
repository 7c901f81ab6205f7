// A working day as the trader has it, through the real windows one after another: two agents entered
// on the card, goods handed to one, part of them passed to the other, cash taken, and the last step
// undone from the File menu — with the real command interpreter taking the undo snapshots.
#include "app/Unit1.h"
#include "operations/ArticleComboBox.h"
#include "operations/Unit2.h"
#include "operations/Unit3.h"
#include "operations/Unit4.h"
#include "store/FilteredLineEdit.h"
#include "store/Ledger.h"
#include "store/PaintedComboBox.h"
#include "tests/app/MainWindowFixture.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>

namespace {

class DayOfWork : public MainWindowTest {
protected:
    void addAgentOnTheCard(const QStringList& texts) {
        QTest::mouseClick(Form1->Button1, Qt::LeftButton);
        Form2->FormActivate();
        FilteredLineEdit* boxes[] = {Form2->Edit1, Form2->Edit2, Form2->Edit3, Form2->Edit4, Form2->Edit5};
        for (int i = 0; i < 5; ++i)
            typeText(boxes[i], texts.at(i));
        Form2->Timer1Timer();
        ASSERT_TRUE(Form2->BitBtn1->isEnabled());
        QTest::mouseClick(Form2->BitBtn1, Qt::LeftButton);
        EXPECT_FALSE(Form2->isVisible());
    }
    QStringList goodsOfCurrentAgent() {
        QStringList out;
        const QAbstractItemModel* model = Form1->DBGrid1->model();
        for (int row = 0; row < model->rowCount(); ++row)
            out << model->index(row, 0).data().toString() + QLatin1Char(' ') + model->index(row, 2).data().toString();
        return out;
    }
    void select(int position) {
        Form1->ComboBox1->setCurrentIndex(position);
        Form1->ComboBox1Change();
    }
};

TEST_F(DayOfWork, AgentsGoodsTransferAndUndo) {
    installPrograms();
    setSalary();
    ASSERT_TRUE(start());

    addAgentOnTheCard({"Сидоров", "Олег", "Петрович", "ВВ654321", "Львов, Рынок 5"});
    addAgentOnTheCard({"Петров", "Иван", "Сергеевич", "АА123456", "Киев, Крещатик 1"});
    ASSERT_EQ(Form1->ComboBox1->count(), 2);
    select(0);
    EXPECT_EQ(Form1->ComboBox1->currentText(), QStringLiteral("Петров Иван Сергеевич"));
    EXPECT_EQ(Form1->Label5->text(), QStringLiteral("АА123456"));

    // Ten loaves at 2,5 for Петров.
    QTest::mouseClick(Form1->Button4, Qt::LeftButton);
    Form3->FormActivate();
    typeText(Form3->ComboBox1, QStringLiteral("Хлеб"));
    typeText(Form3->Edit1, QStringLiteral("2,5"));
    typeText(Form3->Edit2, QStringLiteral("10"));
    Form3->Timer1Timer();
    ASSERT_TRUE(Form3->BitBtn1->isEnabled());
    QTest::mouseClick(Form3->BitBtn1, Qt::LeftButton);
    EXPECT_EQ(goodsOfCurrentAgent(), QStringList{QStringLiteral("Хлеб 10")});
    EXPECT_EQ(Form1->Label7->text(), QStringLiteral("Остаток: 25 грн."));
    EXPECT_EQ(Form1->Label4->text(), QStringLiteral("Общий товар: 25 грн."));
    Form3->hide();

    // Four of them passed on to Сидоров.
    Form1->Timer1Timer();
    ASSERT_TRUE(Form1->Button5->isEnabled());
    QTest::mouseClick(Form1->Button5, Qt::LeftButton);
    Form4->FormActivate();
    ASSERT_EQ(Form4->ComboBox1->currentText(), QStringLiteral("Сидоров Олег Петрович"));
    ASSERT_EQ(Form4->ComboBox2->currentText(), QStringLiteral("Хлеб"));
    typeText(Form4->Edit2, QStringLiteral("4"));
    Form4->Timer1Timer();
    ASSERT_TRUE(Form4->BitBtn1->isEnabled());
    QTest::mouseClick(Form4->BitBtn1, Qt::LeftButton);
    Form4->hide();
    select(0);
    EXPECT_EQ(goodsOfCurrentAgent(), QStringList{QStringLiteral("Хлеб 6")});
    EXPECT_EQ(Form1->Label7->text(), QStringLiteral("Остаток: 15 грн."));
    select(1);
    EXPECT_EQ(goodsOfCurrentAgent(), QStringList{QStringLiteral("Хлеб 4")});
    EXPECT_EQ(Form1->DBGrid2->model()->index(0, 1).data().toString(), QStringLiteral("Приход"));
    EXPECT_EQ(Form1->DBGrid2->model()->index(0, 2).data().toString(), QStringLiteral("Петров И.С."));
    EXPECT_EQ(Form1->Label4->text(), QStringLiteral("Общий товар: 25 грн."));

    // The transfer was a mistake: undone from the File menu.
    Form1->Timer1Timer();
    EXPECT_EQ(Form1->N6->text(), QStringLiteral("Отменить передачу товара"));
    answer({true});
    Form1->N6->trigger();
    EXPECT_EQ(boxes.back().text, QStringLiteral("передачу товара отменено"));
    select(0);
    EXPECT_EQ(goodsOfCurrentAgent(), QStringList{QStringLiteral("Хлеб 10")});
    select(1);
    EXPECT_TRUE(goodsOfCurrentAgent().isEmpty());
    EXPECT_TRUE(std::none_of(boxes.begin(), boxes.end(), [](const Messages::Box& b) { return b.kind == Messages::Kind::Error; }));
}

} // namespace
