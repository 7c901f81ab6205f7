#include "tests/support/ProgramFolderTest.h"

#include "platform/RegionalSettings.h"
#include "store/ProgramState.h"

#include <QDir>
#include <QFile>

void ProgramFolderTest::SetUp() {
    ASSERT_TRUE(dir.isValid());
    folder = dir.path() + QLatin1Char('/');
    const QDir data(QStringLiteral(ZELMAR_DATA_DIR));
    const QStringList names = data.entryList(QDir::Files);
    ASSERT_FALSE(names.isEmpty()) << "no generated data files in " ZELMAR_DATA_DIR;
    for (const QString& name : names)
        ASSERT_TRUE(QFile::copy(data.filePath(name), path(name)));
    for (const QString& name : names)
        QFile(path(name)).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    previousWorkingFolder = QDir::currentPath();
    QDir::setCurrent(folder);
    State() = ProgramState();
    State().programFolder = folder;
    RegionalSettings::set(QStringLiteral("dd.MM.yyyy"), QStringLiteral("HH:mm:ss"), QLatin1Char(','));
    Messages::setResponder([this](const Messages::Box& box) {
        boxes.push_back(box);
        if (box.kind != Messages::Kind::Question || answers.empty())
            return false;
        const bool yes = answers.front();
        answers.pop_front();
        return yes;
    });
}

void ProgramFolderTest::TearDown() {
    Messages::clearResponder();
    QDir::setCurrent(previousWorkingFolder);
    RegionalSettings::useSystem();
}

QString ProgramFolderTest::path(const QString& name) const { return folder + name; }

QByteArray ProgramFolderTest::readFile(const QString& name) const {
    QFile file(path(name));
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

void ProgramFolderTest::writeFile(const QString& name, const QByteArray& bytes) const {
    QFile file(path(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

void ProgramFolderTest::installPrograms() const {
    for (const char* name : {"cmd.exe", "bcp.dll"}) {
        const QString source = QStringLiteral(ZELMAR_PROGRAM_DIR "/") + QLatin1String(name);
        QFile::remove(path(QLatin1String(name)));
        ASSERT_TRUE(QFile::copy(source, path(QLatin1String(name)))) << "missing " << qPrintable(source);
    }
}

void ProgramFolderTest::answer(std::initializer_list<bool> list) { answers.assign(list.begin(), list.end()); }
