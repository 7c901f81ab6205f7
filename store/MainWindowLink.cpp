#include "store/MainWindowLink.h"

namespace {
std::function<void()>& refreshHook() {
    static std::function<void()> hook;
    return hook;
}
} // namespace

void SetRefreshMainWindow(std::function<void()> refresh) { refreshHook() = std::move(refresh); }

void RefreshMainWindow() {
    if (refreshHook())
        refreshHook()();
}
