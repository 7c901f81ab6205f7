// The display: the screen size, and the switch of the display mode to 1024 by 768 (through xrandr
// where an X server offers it; reported as failed otherwise). Tests set the size and the outcome.
#pragma once

#include <QSize>

class DisplayMode {
public:
    static QSize screenSize();
    // True when the mode was switched.
    static bool switchTo1024x768();

    static void simulate(QSize size, bool switchSucceeds);
    static void useReal();
    // How many switches were asked for since the last simulate().
    static int switchRequests();
};
