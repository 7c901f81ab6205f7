#include "store/BatchWait.h"

#include "platform/Shell.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>

#include <csignal>

BatchWait::Outcome BatchWait::wait(pid_t interpreter, const QString& batchFile, int limitMs, bool pollEvents) {
    QElapsedTimer clock;
    clock.start();
    int pause = 1;
    for (;;) {
        const bool running = Shell::isRunning(interpreter);
        const bool present = QFileInfo::exists(batchFile);
        if (!running)
            return present ? Outcome::Failed : Outcome::Finished;
        if (clock.elapsed() > limitMs) {
            kill(interpreter, SIGKILL);
            return Outcome::TimedOut;
        }
        if (pollEvents)
            QCoreApplication::processEvents();
        QThread::msleep(pause);
        pause = qMin(pause * 2, 5); // quick first checks, then a gentle pace
    }
}
