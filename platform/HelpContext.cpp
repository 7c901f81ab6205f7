#include "platform/HelpContext.h"

#include <QVariant>
#include <QWidget>

namespace {

const char* const kProperty = "helpContext";

std::function<void(int)>& viewer() {
    static std::function<void(int)> instance;
    return instance;
}

} // namespace

void HelpContext::set(QWidget* widget, int context) { widget->setProperty(kProperty, context); }

int HelpContext::of(const QWidget* widget) { return widget->property(kProperty).toInt(); }

int HelpContext::around(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        if (const int context = of(w))
            return context;
    }
    return 0;
}

void HelpContext::setViewer(std::function<void(int)> v) { viewer() = std::move(v); }

bool HelpContext::showFor(const QWidget* widget) {
    const int context = around(widget);
    if (context == 0 || !viewer())
        return false;
    viewer()(context);
    return true;
}
