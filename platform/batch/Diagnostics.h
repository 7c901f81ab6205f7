// Messages of the interpreter on standard error: one line each, naming the batch file and the line.
#pragma once

#include <QString>

#include <utility>

namespace batch {

class Diagnostics {
public:
    explicit Diagnostics(QString batchName) : batchName_(std::move(batchName)) {}

    // The 1-based number of the line being run; 0 for messages outside any line.
    void setLine(int line) { line_ = line; }
    // Writes "cmd.exe: <batch>, строка <n>: <message>".
    void report(const QString& message) const;
    // Writes a message without a batch line (usage, unreadable batch file).
    static void reportGeneral(const QString& message);

private:
    QString batchName_;
    int line_ = 0;
};

} // namespace batch
