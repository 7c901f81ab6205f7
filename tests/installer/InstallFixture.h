// Test fixture: a temporary home (HOME and the XDG variables point into it, with a desktop folder), every
// message box recorded and questions answered from a script, and installs run through the installer's
// real window with its real payload.
#pragma once

#include "platform/Messages.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <deque>
#include <ostream>
#include <vector>

#include <sys/types.h>

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline std::ostream& operator<<(std::ostream& out, const QString& text) {
    return out << text.toStdString();
}

class InstallFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs one install into `folder` through the window and returns the log lines; `answers` answer the
    // questions (a question beyond them is answered No).
    QStringList install(const QString& folder, std::initializer_list<bool> answers = {false},
                        bool desktop = true, bool menu = true);

    // Starts a copy of /bin/sleep named `path` (a stand-in for a running ledger program).
    pid_t startFake(const QString& path);

    static QByteArray read(const QString& path);
    static void write(const QString& path, const QByteArray& bytes);

    QString root;    // the temporary folder
    QString home;    // HOME
    QString desktop; // the desktop folder
    QString menu;    // the program menu's folder "Зелмар"
    std::vector<Messages::Box> boxes;
    std::deque<bool> answers;
    std::vector<pid_t> started;

private:
    QTemporaryDir dir;
    QByteArray savedEnvironment[4];
};
