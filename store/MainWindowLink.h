// What the store's procedures and the other windows need of the main window without depending on
// it: its refresh, the current agent (the id at the selected position of the agent list, read afresh
// at every use) and the agent list itself. The main window installs the link when it is created.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

struct MainWindowLink {
    std::function<void()> refresh;
    std::function<int()> currentAgentId; // 0 when the agent list is empty
    std::function<QString()> currentAgentName; // the agent list's text: "Петров Иван Сергеевич"
    std::function<int()> agentCount;
};

void SetMainWindowLink(MainWindowLink link);
void ClearMainWindowLink();

// Rebuilds the main window from the tables; does nothing while no main window exists.
void RefreshMainWindow();
int CurrentAgentId();
QString CurrentAgentName();
int AgentCount();
