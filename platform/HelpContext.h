// The help context number of a control, and F1: the help topic mapped to the number of the control
// with the focus (or of the nearest window part around it that has one) is shown by the help viewer
// that the program installs.
#pragma once

#include <functional>

class QWidget;

class HelpContext {
public:
    static void set(QWidget* widget, int context);
    // 0 when none was set.
    static int of(const QWidget* widget);
    // The number of the widget or of its nearest parent that has one; 0 when none has.
    static int around(const QWidget* widget);

    // Shows the topic of a context number.
    static void setViewer(std::function<void(int)> viewer);
    // Shows the topic around the widget; false when there is no number or no viewer.
    static bool showFor(const QWidget* widget);
};
