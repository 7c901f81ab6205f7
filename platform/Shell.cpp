#include "platform/Shell.h"

#include "platform/FileNames.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

pid_t Shell::startDetached(const QString& program, const QStringList& arguments, const QString& workingFolder) {
    if (!QFileInfo(program).isExecutable())
        return -1;
    // Fork twice so that the program is nobody's child: it runs on after this program ends and
    // leaves no zombie behind. The middle process reports the grandchild's pid through a pipe.
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        return -1;
    const QByteArray path = program.toLocal8Bit();
    const QByteArray folder = workingFolder.toLocal8Bit();
    std::vector<QByteArray> args{path};
    for (const QString& a : arguments)
        args.push_back(a.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    const pid_t middle = fork();
    if (middle < 0) {
        close(fds[0]);
        close(fds[1]);
        return -1;
    }
    if (middle == 0) {
        close(fds[0]);
        setsid();
        const pid_t child = fork();
        if (child == 0) {
            if (chdir(folder.constData()) != 0)
                _exit(127);
            const int null = open("/dev/null", O_RDWR);
            if (null >= 0) {
                dup2(null, 0);
                dup2(null, 1);
                dup2(null, 2);
            }
            signal(SIGPIPE, SIG_DFL);
            execve(path.constData(), argv.data(), environ);
            _exit(127);
        }
        const pid_t reported = child;
        [[maybe_unused]] ssize_t written = write(fds[1], &reported, sizeof reported);
        _exit(0);
    }
    close(fds[1]);
    pid_t child = -1;
    ssize_t got;
    do
        got = read(fds[0], &child, sizeof child);
    while (got < 0 && errno == EINTR);
    close(fds[0]);
    int status = 0;
    waitpid(middle, &status, 0);
    return got == sizeof child ? child : -1;
}

pid_t Shell::startBatch(const QString& programFolder, const QString& batchFile) {
    return startDetached(FileNames::resolve(programFolder, interpreterName()), {batchFile}, programFolder);
}

bool Shell::isRunning(pid_t pid) {
    if (pid <= 0)
        return false;
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == pid)
        return false;
    if (kill(pid, 0) != 0)
        return errno == EPERM;
    // A zombie of another parent still answers kill(0): look at its state.
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (stat.open(QIODevice::ReadOnly)) {
        const QByteArray line = stat.readAll();
        const int close = line.lastIndexOf(')');
        if (close > 0 && close + 2 < line.size() && line.at(close + 2) == 'Z')
            return false;
    }
    return true;
}
