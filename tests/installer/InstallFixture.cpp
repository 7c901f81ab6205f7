#include "tests/installer/InstallFixture.h"

#include "installer/Payload.h"
#include "installer/Unit1.h"
#include "platform/Shell.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <csignal>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

const char* const variables[] = {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_DESKTOP_DIR"};

} // namespace

void InstallFixture::SetUp() {
    ASSERT_TRUE(dir.isValid());
    root = dir.path();
    home = root + QStringLiteral("/home");
    desktop = home + QStringLiteral("/Desktop");
    menu = home + QStringLiteral("/.local/share/applications/Зелмар");
    ASSERT_TRUE(QDir().mkpath(desktop));
    for (int i = 0; i < 4; ++i)
        savedEnvironment[i] = qgetenv(variables[i]);
    qputenv("HOME", QFile::encodeName(home));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home + QStringLiteral("/.config")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home + QStringLiteral("/.local/share")));
    qunsetenv("XDG_DESKTOP_DIR");
    Messages::setResponder([this](const Messages::Box& box) {
        boxes.push_back(box);
        if (box.kind != Messages::Kind::Question || answers.empty())
            return false;
        const bool yes = answers.front();
        answers.pop_front();
        return yes;
    });
}

void InstallFixture::TearDown() {
    for (const pid_t pid : started) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
    }
    Messages::clearResponder();
    for (int i = 0; i < 4; ++i) {
        if (savedEnvironment[i].isNull())
            qunsetenv(variables[i]);
        else
            qputenv(variables[i], savedEnvironment[i]);
    }
}

QStringList InstallFixture::install(const QString& folder, std::initializer_list<bool> script,
                                    bool withDesktop, bool withMenu) {
    answers.assign(script.begin(), script.end());
    TForm1 window(Payload::embedded());
    window.Edit1->setText(folder);
    window.CheckBox1->setChecked(withDesktop);
    window.CheckBox2->setChecked(withMenu);
    QTest::mouseClick(window.BitBtn1, Qt::LeftButton);
    return window.Memo1->toPlainText().split(u'\n');
}

pid_t InstallFixture::startFake(const QString& path) {
    QFile::remove(path);
    EXPECT_TRUE(QFile::copy(QStringLiteral("/bin/sleep"), path));
    const QByteArray program = QFile::encodeName(path);
    char seconds[] = "600";
    char* argv[] = {const_cast<char*>(program.constData()), seconds, nullptr};
    pid_t pid = -1;
    EXPECT_EQ(::posix_spawn(&pid, program.constData(), nullptr, nullptr, argv, environ), 0);
    started.push_back(pid);
    return pid;
}

QByteArray InstallFixture::read(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return file.readAll();
}

void InstallFixture::write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}
