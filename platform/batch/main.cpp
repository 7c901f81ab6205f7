// cmd.exe: Zelmar's command interpreter. Runs one batch file written by the ledger program, the
// start-up backup or the uninstaller: `cmd.exe <batch file>`, in the process's current folder.
//
// The environment variable ZELMAR_CMD_LOOP_LIMIT_MS, when set, replaces the two minutes after which a
// goto loop ends the batch (for tests).

#include "BatchRunner.h"
#include "BatchText.h"
#include "Diagnostics.h"
#include "LoopGuard.h"
#include "PathResolver.h"

#include <QDir>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

int main(int argc, char** argv) {
    using namespace batch;
    // Started detached, standard input, output or error may be closed: hold them on /dev/null, so that
    // no file the interpreter opens (a copy) takes their number and receives its messages.
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) == -1) {
            const int null = ::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
            if (null >= 0 && null != fd) {
                ::dup2(null, fd);
                ::close(null);
            }
        }
    }
    // Failures of writes show as errors, never as a killed interpreter.
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);

    // The batch file is the first argument that is not one of the interpreter switches /C, /D, /Q
    // (exact two-letter tokens, so that an absolute path is never taken for one).
    QString batchPath;
    for (int i = 1; i < argc; ++i) {
        const QString argument = QFile::decodeName(argv[i]);
        static const QStringList switches = {QStringLiteral("/c"), QStringLiteral("/d"),
                                             QStringLiteral("/q")};
        if (batchPath.isEmpty() && switches.contains(argument, Qt::CaseInsensitive))
            continue;
        if (batchPath.isEmpty())
            batchPath = argument;
    }
    if (batchPath.isEmpty()) {
        Diagnostics::reportGeneral(QStringLiteral("использование: cmd.exe <пакетный файл>"));
        return BatchRunner::Unusable;
    }

    const QString workingFolder = QDir::currentPath();
    if (workingFolder.isEmpty()) {
        Diagnostics::reportGeneral(QStringLiteral("рабочая папка недоступна"));
        return BatchRunner::Unusable;
    }
    PathResolver paths(workingFolder);

    BatchText text;
    QString error;
    if (!text.load(paths.resolve(batchPath), &error)) {
        Diagnostics::reportGeneral(error);
        return BatchRunner::Unusable;
    }

    std::chrono::milliseconds limit = std::chrono::minutes(2);
    if (const char* value = std::getenv("ZELMAR_CMD_LOOP_LIMIT_MS")) {
        bool ok = false;
        const long long ms = QByteArray(value).toLongLong(&ok);
        if (ok && ms > 0)
            limit = std::chrono::milliseconds(ms);
    }
    LoopGuard guard(std::chrono::milliseconds(25), limit);
    Diagnostics diagnostics(PathResolver::lastComponent(batchPath));
    BatchRunner runner(text.lines(), paths, diagnostics, guard);
    return runner.run();
}
