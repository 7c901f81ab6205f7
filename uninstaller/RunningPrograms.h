// Running programs found through /proc: the processes of this user whose program file has a given name
// (letter case aside) and lies in a given folder, and ending them with a signal.
#pragma once

#include <QList>
#include <QString>

#include <sys/types.h>

class RunningPrograms {
public:
    // Processes other than this one whose program file is `folder`/<name> ignoring the letter case
    // of the name; a program file replaced or deleted since the start still counts.
    static QList<pid_t> find(const QString& folder, const QString& name);
    // Ends the process: SIGTERM, and SIGKILL when it is still there after a grace period. True when
    // it has gone.
    static bool end(pid_t pid);
    // Ends every process find() returns.
    static void endAll(const QString& folder, const QString& name);
};
