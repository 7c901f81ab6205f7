// Starting programs: detached (own session, no terminal, standard streams on /dev/null) in a given
// working folder, with an argument vector that is never split again; and whether a process still
// runs. Stands in for starting a program or batch file hidden without waiting.
#pragma once

#include <QString>
#include <QStringList>

#include <sys/types.h>

class Shell {
public:
    // The process id, or -1 when the program could not be started.
    static pid_t startDetached(const QString& program, const QStringList& arguments, const QString& workingFolder);
    // Starts the command interpreter of the program folder on a batch file; the working folder is
    // the program folder.
    static pid_t startBatch(const QString& programFolder, const QString& batchFile);
    // True while the process exists and has not ended (an ended child is reaped here).
    static bool isRunning(pid_t pid);
    // The interpreter's file name in the program folder.
    static QString interpreterName() { return QStringLiteral("cmd.exe"); }
};
