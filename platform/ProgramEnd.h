// Raised where the program must end at once (a missing settings file, a damaged one, a refused
// screen resolution). It unwinds every handler; the application's event dispatch and the program
// entry catch it and leave the message loop with its exit code.
#pragma once

#include <stdexcept>

class ProgramEnd : public std::runtime_error {
public:
    explicit ProgramEnd(int exitCode = 0) : std::runtime_error("program end"), code(exitCode) {}
    int exitCode() const { return code; }

private:
    int code;
};
