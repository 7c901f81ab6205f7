#include "uninstaller/RunningPrograms.h"

#include "platform/Shell.h"

#include <QDir>
#include <QFileInfo>

#include <chrono>
#include <csignal>
#include <thread>
#include <unistd.h>

namespace {

// The program file of a process, as the kernel reports it; empty when it cannot be read (a process
// of another user, or one that has ended).
QString programFile(const QString& pid) {
    QString target = QFileInfo(QStringLiteral("/proc/") + pid + QStringLiteral("/exe")).symLinkTarget();
    const QString deleted = QStringLiteral(" (deleted)");
    if (target.endsWith(deleted))
        target.chop(deleted.size());
    return target;
}

bool waitForEnd(pid_t pid, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (Shell::isRunning(pid)) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

} // namespace

QList<pid_t> RunningPrograms::find(const QString& folder, const QString& name) {
    const QString wanted = QFileInfo(folder).canonicalFilePath();
    QList<pid_t> found;
    if (wanted.isEmpty())
        return found;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        bool numeric = false;
        const pid_t pid = static_cast<pid_t>(entry.toInt(&numeric));
        if (!numeric || pid == ::getpid())
            continue;
        const QString program = programFile(entry);
        if (program.isEmpty())
            continue;
        const QFileInfo file(program);
        if (file.fileName().compare(name, Qt::CaseInsensitive) != 0)
            continue;
        // The folder may be reached through a link: compare the real folders.
        const QString programFolder = QFileInfo(file.path()).canonicalFilePath();
        if (programFolder == wanted)
            found.push_back(pid);
    }
    return found;
}

bool RunningPrograms::end(pid_t pid) {
    if (::kill(pid, SIGTERM) != 0)
        return !Shell::isRunning(pid);
    if (waitForEnd(pid, std::chrono::seconds(3)))
        return true;
    ::kill(pid, SIGKILL);
    return waitForEnd(pid, std::chrono::seconds(3));
}

void RunningPrograms::endAll(const QString& folder, const QString& name) {
    for (const pid_t pid : find(folder, name))
        end(pid);
}
