// Runs the lines of a batch file in order: labels, goto, "if [not] exist", the file commands and
// programs of the working folder. A line that fails (an unknown command, a missing program, a file
// command that cannot be done) is reported on standard error and skipped, and the batch goes on.
//
// Exit status: 0 when the end was reached; 1 when it was reached but a copy or move failed; 2 when a
// goto loop ran past its limit and the batch was ended.
#pragma once

#include "CommandParser.h"
#include "Diagnostics.h"
#include "FileOperations.h"
#include "LoopGuard.h"
#include "PathResolver.h"
#include "ProgramLauncher.h"

#include <QHash>
#include <QStringList>

namespace batch {

class BatchRunner {
public:
    BatchRunner(QStringList lines, const PathResolver& paths, Diagnostics& diagnostics, LoopGuard& guard);

    int run();

    enum ExitStatus { Completed = 0, CopyFailed = 1, LoopLimit = 2, Unusable = 3 };

private:
    // Runs one command; `next` is the index of the line to run after it (changed by goto).
    // False when the batch must end.
    bool execute(const Command& command, int line, int* next);

    QStringList lines_;
    QHash<QString, int> labels_; // lower-case label -> index of its line (the first of that name)
    const PathResolver& paths_;
    Diagnostics& diagnostics_;
    LoopGuard& guard_;
    FileOperations files_;
    ProgramLauncher launcher_;
    bool copyFailed_ = false;
    int lastExitStatus_ = 0;
};

} // namespace batch
