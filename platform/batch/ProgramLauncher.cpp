#include "ProgramLauncher.h"

#include <QByteArray>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace batch {

namespace {

QString systemError(int code) {
    return QString::fromLocal8Bit(std::strerror(code));
}

} // namespace

bool ProgramLauncher::run(const QString& program, const QStringList& arguments, int* exitStatus) const {
    const QString folderPart = PathResolver::withoutLastComponent(program);
    const QString name = PathResolver::lastComponent(program);
    if (!folderPart.isEmpty() && paths_.resolve(folderPart) != paths_.workingFolder()) {
        diagnostics_.report(QStringLiteral("запускаются только программы рабочей папки %1: %2")
                                .arg(paths_.workingFolder(), program));
        return false;
    }
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")) {
        diagnostics_.report(QStringLiteral("неверное имя программы: %1").arg(program));
        return false;
    }
    const QString path = PathResolver::entry(paths_.workingFolder(), name);
    struct stat st;
    const QByteArray nativePath = PathResolver::native(path);
    if (::stat(nativePath.constData(), &st) != 0 || !S_ISREG(st.st_mode)) {
        diagnostics_.report(
            QStringLiteral("неизвестная команда или программа не найдена в рабочей папке: %1").arg(program));
        return false;
    }

    std::vector<QByteArray> storage;
    storage.push_back(nativePath);
    for (const QString& argument : arguments)
        storage.push_back(argument.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& item : storage)
        argv.push_back(item.data());
    argv.push_back(nullptr);

    // The interpreter ignores SIGPIPE and SIGXFSZ for itself; the program starts with the defaults.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    sigaddset(&defaults, SIGXFSZ);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);

    pid_t pid = 0;
    const int spawned =
        ::posix_spawn(&pid, nativePath.constData(), nullptr, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    if (spawned != 0) {
        diagnostics_.report(QStringLiteral("не удается запустить %1: %2").arg(path, systemError(spawned)));
        return false;
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            diagnostics_.report(QStringLiteral("ожидание %1: %2").arg(path, systemError(errno)));
            return false;
        }
    }
    if (WIFEXITED(status))
        *exitStatus = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        *exitStatus = 128 + WTERMSIG(status);
    else
        *exitStatus = 1;
    return true;
}

} // namespace batch
