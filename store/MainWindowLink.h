// What the store's procedures need of the main window without depending on it: its refresh.
// The main window installs it when it is created.
#pragma once

#include <functional>

void SetRefreshMainWindow(std::function<void()> refresh);
// Rebuilds the main window from the tables; does nothing while no main window exists.
void RefreshMainWindow();
