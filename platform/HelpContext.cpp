#include "platform/HelpContext.h"

#include <QVariant>
#include <QWidget>

namespace {
const char* const kProperty = "helpContext";
}

void HelpContext::set(QWidget* widget, int context) { widget->setProperty(kProperty, context); }

int HelpContext::of(const QWidget* widget) { return widget->property(kProperty).toInt(); }
