// Runs a program of the working folder, as a batch line "bcp.exe a -ep ... *.db" does.
//
// The name is matched in the working folder only, as written (no extension is added), letter case
// aside; a name with a folder part is accepted only when that folder is the working folder. There is
// no PATH lookup and no shell: the program gets the arguments as an argument vector, exactly as
// written in the line without their quotes (no wildcard expansion). The interpreter waits for it and
// takes its exit status.
#pragma once

#include "Diagnostics.h"
#include "PathResolver.h"

#include <QString>
#include <QStringList>

namespace batch {

class ProgramLauncher {
public:
    ProgramLauncher(const PathResolver& paths, const Diagnostics& diagnostics)
        : paths_(paths), diagnostics_(diagnostics) {}

    // Runs the program and waits; false (reported) when it is not found or cannot be started.
    bool run(const QString& program, const QStringList& arguments, int* exitStatus) const;

private:
    const PathResolver& paths_;
    const Diagnostics& diagnostics_;
};

} // namespace batch
