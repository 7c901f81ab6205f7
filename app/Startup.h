// The program entry's start-up sequence: the table check, the program state, the windows, the
// settings, the start-up backup, then the password prompt or the main window, filled.
#pragma once

#include <QString>

class Application;

class Startup {
public:
    // Runs the sequence up to the message loop in the working folder, with `programFolder` (ending
    // in '/') as the program folder. False when the program is to end at once (a table missing, the
    // settings file missing or damaged); the message has been shown.
    static bool run(const QString& programFolder);
    // The table file the start-up check misses first, or an empty text.
    static QString missingTable();
    // The folder of the running program file, ending in '/'.
    static QString programFolderOfExecutable();
};
