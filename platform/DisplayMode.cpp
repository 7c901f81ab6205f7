#include "platform/DisplayMode.h"

#include <QGuiApplication>
#include <QProcess>
#include <QScreen>

namespace {

struct Simulation {
    bool active = false;
    QSize size;
    bool switchSucceeds = false;
    int requests = 0;
};

Simulation& simulation() {
    static Simulation s;
    return s;
}

} // namespace

QSize DisplayMode::screenSize() {
    if (simulation().active)
        return simulation().size;
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize();
}

bool DisplayMode::switchTo1024x768() {
    Simulation& s = simulation();
    if (s.active) {
        ++s.requests;
        if (s.switchSucceeds)
            s.size = QSize(1024, 768);
        return s.switchSucceeds;
    }
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return false;
    QProcess xrandr;
    xrandr.start(QStringLiteral("xrandr"), {QStringLiteral("-s"), QStringLiteral("1024x768")});
    return xrandr.waitForFinished(5000) && xrandr.exitStatus() == QProcess::NormalExit && xrandr.exitCode() == 0;
}

void DisplayMode::simulate(QSize size, bool switchSucceeds) { simulation() = {true, size, switchSucceeds, 0}; }

void DisplayMode::useReal() { simulation() = Simulation(); }

int DisplayMode::switchRequests() { return simulation().requests; }
