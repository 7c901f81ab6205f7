// Turns the tokens of one batch line into a command: exactly the commands the generated batch files use.
//
// Keywords and switches are recognised in any letter case, and only as unquoted tokens: a quoted "/S"
// is a path, never a switch. The switches /S and /Q are only those exact two-letter tokens, so an
// absolute path such as /tmp/x/backup/undo is a path. Each command takes a fixed number of paths; a
// line with more or fewer is refused (nothing of it runs). A first word that is no command of ours
// names a program, looked up later in the working folder.
#pragma once

#include "CommandLine.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

namespace batch {

struct Command {
    enum class Kind {
        Empty,   // blank line, ECHO OFF / ON, REM, a label line
        Echo,    // ECHO <text>
        Goto,    // goto <label>
        IfExist, // if [not] exist <path> <command>
        Ren,     // ren <old> <new name>
        Md,      // md <path>
        Rd,      // rd [/S] [/Q] <path>
        Copy,    // copy <source> <destination>
        Move,    // move <source> <destination>
        Del,     // del [/Q] <path>
        Program, // <program of the working folder> <arguments...>
    };

    Kind kind = Kind::Empty;
    QString text;                  // Echo: the text; Goto: the label (lower case)
    bool negate = false;           // IfExist: "if not exist"
    std::shared_ptr<Command> then; // IfExist: the command run when the test holds
    QStringList paths;             // the paths (Ren: old path, new name; Copy/Move: source, destination)
    bool recursive = false;        // Rd: /S
    bool quiet = false;            // Rd, Del: /Q
    QString program;               // Program: the name as written
    QStringList arguments;         // Program: the arguments, quotes removed
};

class CommandParser {
public:
    // Parses one line; false with a message when it is not a command of ours written correctly.
    static bool parse(const QString& line, Command* command, QString* error);
    // Parses tokens (the rest of an "if" line, for instance).
    static bool parseTokens(const QList<Token>& tokens, Command* command, QString* error);
    // The label that a line defines (":try" gives "try", lower case); empty when it is no label line.
    static QString labelOf(const QString& line);
};

} // namespace batch
