// Waiting for a batch file the program started: it has finished when its interpreter has ended and
// the file is gone (every batch file of ours deletes itself last). The wait polls briefly instead of
// sleeping out a fixed interval, so an operation costs milliseconds, and gives up after a limit.
#pragma once

#include <QString>

#include <sys/types.h>

class BatchWait {
public:
    enum class Outcome { Finished, Failed, TimedOut };

    // Failed: the interpreter ended but left the batch file behind. On TimedOut the interpreter is
    // ended. `pollEvents` lets pending window messages run between checks.
    static Outcome wait(pid_t interpreter, const QString& batchFile, int limitMs, bool pollEvents = false);
};
