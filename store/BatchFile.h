// The batch files the program writes for the command interpreter: text lines in Windows-1251, each
// ended by CR LF, the program folder ending in '/' inside them.
#pragma once

#include <QString>
#include <QStringList>

#include <stdexcept>

class BatchFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class BatchFile {
public:
    // Replaces the file; BatchFileError when it cannot be written whole.
    static void write(const QString& path, const QStringList& lines);
    // Writes the batch file and starts it through the command interpreter of the program folder,
    // without waiting; returns the interpreter's process id. BatchFileError when it cannot start.
    static int start(const QString& programFolder, const QString& name, const QStringList& lines);
};
