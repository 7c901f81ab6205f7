// A fresh program folder with the program's windows created as the start-up creates them; helpers
// to add ledger rows the way the operations write them.
#pragma once

#include "tests/support/ProgramFolderTest.h"

#include <QString>
#include <QStringList>

class QWidget;

// Types text key by key into a widget, Cyrillic included (QTest::keyClicks takes Latin-1 only).
void typeText(QWidget* widget, const QString& text);

class QTableView;

// Every row of a statement, the named fields as text joined by "|".
QStringList rows(const QString& statement, const QStringList& fields);
// The texts of one column of a grid, top to bottom.
QStringList column(QTableView* grid, int column);

class MainWindowTest : public ProgramFolderTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs the start-up sequence on the fresh folder; the main window (or the prompt) is shown.
    bool start();
    void exec(const QString& statement);
    int addAgent(const QString& fam, const QString& name = QStringLiteral("Иван"),
                 const QString& otch = QStringLiteral("Петрович"));
    void addGoods(int agent, const QString& name, const QString& price, const QString& count, const QString& sum);
    // Sets a salary so that the main window does not ask for one.
    void setSalary();
};
