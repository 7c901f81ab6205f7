// Test fixture: a fresh program folder in a temporary folder (the empty tables and the default
// settings file the build generated), made the working folder and the program state's program
// folder; regional settings of a comma locale; every message box recorded and questions answered
// from a script.
#pragma once

#include "platform/Messages.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <deque>
#include <ostream>
#include <vector>

// Test failures print texts as texts.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

class ProgramFolderTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Absolute path of a name in the program folder.
    QString path(const QString& name) const;
    QByteArray readFile(const QString& name) const;
    void writeFile(const QString& name, const QByteArray& bytes) const;
    // Copies the helper programs (command interpreter, archiver) of the build into the folder.
    void installPrograms() const;

    // Answers for the next questions, in order; a question beyond the script is answered No.
    void answer(std::initializer_list<bool> answers);

    QString folder; // ends in '/'
    std::vector<Messages::Box> boxes;
    std::deque<bool> answers;

private:
    QTemporaryDir dir;
    QString previousWorkingFolder;
};
