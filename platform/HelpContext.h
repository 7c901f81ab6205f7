// The help context number of a control: the help window opens the topic mapped to it.
#pragma once

class QWidget;

class HelpContext {
public:
    static void set(QWidget* widget, int context);
    // 0 when none was set.
    static int of(const QWidget* widget);
};
