// A temporary folder to run batch files in, and the run of the real interpreter on one of them.
#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <ostream>

// Readable QStrings and QStringLists in GoogleTest's failure messages.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& list, std::ostream* os) {
    *os << '{' << list.join(QStringLiteral(", ")).toStdString() << '}';
}

// The interpreter under test.
inline QString interpreterPath() {
    return QStringLiteral(ZELMAR_PROGRAM_DIR "/cmd.exe");
}

enum class LineEnd { CrLf, Lf };

// Encodes lines in Windows-1251, each ended by the line end, as the ledger writes its batch files.
QByteArray batchBytes(const QStringList& lines, LineEnd end = LineEnd::CrLf);

class BatchSandbox {
public:
    // A fresh temporary folder; `under` chooses its parent (default: the system's temporary folder).
    explicit BatchSandbox(const QString& under = QString());

    bool isValid() const { return dir_.isValid(); }
    // The sandbox folder, without a trailing '/'.
    QString root() const;
    // root() + "/" + relative.
    QString path(const QString& relative) const;

    void writeFile(const QString& relative, const QByteArray& bytes) const;
    QByteArray readFile(const QString& relative) const;
    bool exists(const QString& relative) const;
    void makeFolder(const QString& relative) const;
    // An executable shell script.
    void writeScript(const QString& relative, const QByteArray& body) const;
    void writeBatch(const QString& relative, const QStringList& lines, LineEnd end = LineEnd::CrLf) const;
    // The names in a folder, sorted (hidden ones too).
    QStringList entries(const QString& relative) const;

private:
    QTemporaryDir dir_;
};

struct BatchRun {
    bool finished = false; // ended by itself within the time allowed
    int exitCode = -1;
    QString out;
    QString err;
    qint64 milliseconds = 0;
};

// Runs cmd.exe on a batch file with the given working folder, waits up to `timeoutMs`.
BatchRun runBatch(const QString& batchPath, const QString& workingFolder,
                  const QProcessEnvironment& extra = QProcessEnvironment(),
                  const std::function<void()>& childSetup = {}, int timeoutMs = 60000);
