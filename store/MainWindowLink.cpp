#include "store/MainWindowLink.h"

namespace {
MainWindowLink& link() {
    static MainWindowLink instance;
    return instance;
}
} // namespace

void SetMainWindowLink(MainWindowLink l) { link() = std::move(l); }

void ClearMainWindowLink() { link() = MainWindowLink(); }

void RefreshMainWindow() {
    if (link().refresh)
        link().refresh();
}

int CurrentAgentId() { return link().currentAgentId ? link().currentAgentId() : 0; }

QString CurrentAgentName() { return link().currentAgentName ? link().currentAgentName() : QString(); }

int AgentCount() { return link().agentCount ? link().agentCount() : 0; }
