// The main window: the agent list with the current agent's passport, address, remainder and debt,
// his goods lines and operation journal, the value of all goods held, the eight command buttons and
// the main menu. It stays open for the whole run; its 100 ms command tick keeps the commands enabled
// by the rules, the window fitted to the screen and the undo item in step with the snapshot.
#pragma once

#include "platform/QueryModel.h"
#include "platform/engine/Query.h"

#include <QMainWindow>

class PaintedComboBox;
class QAction;
class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QTableView;
class QTimer;

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    void RefreshMainWindow();
    // The agent id at the selected position of the agent list; 0 when the list is empty.
    int currentAgentId() const;

    // Handlers, named after their control and event.
    void FormShow();
    void FormActivate();
    void Timer1Timer();
    void FormClose();
    void ComboBox1Change();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();
    void Button7Click();
    void Button8Click();
    void Button9Click();
    void Button10Click();
    void SpeedButton1Click();
    void DBGrid1TitleClick(int column);
    void N2Click();
    void N4Click();
    void N5Click();
    void N6Click();
    void N16Click();
    void N17Click();
    void N18Click();
    void N20Click();
    void N21Click();

    // Controls.
    PaintedComboBox* ComboBox1;
    QLabel* Label1; // debt
    QLabel* Label4; // total goods
    QLabel* Label5; // passport
    QLabel* Label6; // address
    QLabel* Label7; // remainder
    QTableView* DBGrid1;
    QTableView* DBGrid2;
    QPushButton* SpeedButton1;
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button3;
    QPushButton* Button4;
    QPushButton* Button5;
    QPushButton* Button6;
    QPushButton* Button7;
    QPushButton* Button8;
    QPushButton* Button9;
    QPushButton* Button10;
    QComboBox* ComboBox2;
    QDateEdit* DateTimePicker1;
    QDateEdit* DateTimePicker2;
    QAction* N2;
    QAction* N4;
    QAction* N6;
    QAction* NAddReal;
    QAction* NEditReal;
    QAction* NDelReal;
    QAction* NAddTovar;
    QAction* NMoveTovar;
    QAction* NBackTovar;
    QAction* NPereuchet;
    QAction* NKassa;
    QAction* N5;
    QAction* N16;
    QAction* N17;
    QAction* N20;
    QAction* N21;
    QAction* N18;
    QTimer* Timer1;

    // Data components: goods grid, journal grid, work query.
    Query Query1;
    Query Query2;
    Query Query3;

    QString helpFile() const { return helpFilePath; }

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildLayout();
    void buildMenu();
    void FormCreate();
    void removeLeftoverUndoSnapshot();
    void showAgentDetails(Query& agent);
    void applyGoodsCaptions();
    void applyJournalCaptions();
    void fillArticleList();
    void fillHeldGoods(const QString& agentId);
    void applyEnablingRules();
    bool checkResolution();
    void fitWindows();
    void fillScreen();
    void paintChartButton();
    QString agentIdText() const;

    QueryModel* goodsModel;
    QueryModel* journalModel;
    QString helpFilePath;
};

extern TForm1* Form1;
