// The uninstaller, driven in-process with the message responder, with UnInstall.bat run by the
// installed command interpreter as a real process and stand-ins for a running ledger program ended
// through /proc.
#include "tests/installer/InstallFixture.h"

#include "installer/InstallMarker.h"
#include "platform/Shell.h"
#include "uninstaller/RunningPrograms.h"
#include "uninstaller/Uninstaller.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QStringDecoder>
#include <QThread>

#include <chrono>

namespace {

class UninstallerRun : public InstallFixture {
protected:
    void SetUp() override {
        InstallFixture::SetUp();
        folder = root + "/Зелмар программа";
        install(folder, {false});
        answers.clear();
        boxes.clear();
        ASSERT_TRUE(QDir().mkpath(folder + "/backup/undo"));
        write(folder + "/backup/01.01.2026.bcp", "archive");
    }

    // Every file and folder under the temporary folder, as relative paths.
    QStringList everything() const {
        QStringList paths;
        QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            paths << it.next().mid(root.size());
        paths.sort();
        return paths;
    }

    // Waits for the batch file to finish its work (it runs detached).
    bool gone(const QString& path) const {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (QFileInfo::exists(path)) {
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            QThread::msleep(20);
        }
        return true;
    }

    QString uninstaller() const { return folder + "/Uninstall.exe"; }

    QString folder;
};

TEST_F(UninstallerRun, YesEndsTheLedgerRemovesTheShortcutsAndTheWholeFolder) {
    const pid_t ledger = startFake(folder + "/zelmar.EXE");
    ASSERT_TRUE(QDir().mkpath(root + "/elsewhere"));
    const pid_t other = startFake(root + "/elsewhere/Zelmar.exe");
    ASSERT_TRUE(Shell::isRunning(ledger));

    answers.assign({true});
    Uninstaller(uninstaller()).run();

    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].kind, Messages::Kind::Question);
    EXPECT_EQ(boxes[0].caption, "Зелмар");
    EXPECT_EQ(boxes[0].text, "Вы действительно хотите удалить \"Зелмар\"?");
    EXPECT_EQ(boxes[1].kind, Messages::Kind::Information);
    EXPECT_EQ(boxes[1].text, "\"Зелмар\" успешно удален с вашего компьютера.");

    EXPECT_FALSE(Shell::isRunning(ledger));
    // A ledger program of another folder has nothing to do with this removal.
    EXPECT_TRUE(Shell::isRunning(other));
    EXPECT_FALSE(QFileInfo::exists(desktop + "/Зелмар.desktop"));
    EXPECT_FALSE(QFileInfo::exists(menu));
    for (const char* name : {"Zelmar.ini", "kassa.db", "oper.db", "realizators.db", "tovar.db"})
        EXPECT_FALSE(QFileInfo::exists(folder + u'/' + QLatin1String(name))) << name;

    EXPECT_TRUE(gone(folder));
    EXPECT_TRUE(gone(root + "/UnInstall.bat"));
    EXPECT_EQ(everything(),
              QStringList({"/elsewhere", "/elsewhere/Zelmar.exe", "/home", "/home/.local",
                           "/home/.local/share", "/home/.local/share/applications", "/home/Desktop"}));
}

TEST_F(UninstallerRun, AMenuFolderWithTheUsersOwnFilesStays) {
    write(menu + "/notes.txt", "mine");
    answers.assign({true});
    Uninstaller(uninstaller()).run();
    EXPECT_TRUE(gone(folder));
    EXPECT_EQ(QDir(menu).entryList(QDir::Files), QStringList({"notes.txt"}));
}

TEST_F(UninstallerRun, NoChangesNothing) {
    const pid_t ledger = startFake(folder + "/Zelmar.exe");
    const QStringList before = everything();
    answers.assign({false});
    Uninstaller(uninstaller()).run();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].kind, Messages::Kind::Question);
    EXPECT_EQ(everything(), before);
    EXPECT_TRUE(Shell::isRunning(ledger));
}

TEST_F(UninstallerRun, AFolderWithoutItsOwnMarkIsRefusedUntouched) {
    // The installation copied elsewhere (its mark names the original folder), and a folder with an
    // uninstaller but no mark at all.
    const QString copied = root + "/copied";
    const QString bare = root + "/bare";
    ASSERT_TRUE(QDir().mkpath(copied));
    ASSERT_TRUE(QDir().mkpath(bare));
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden))
        ASSERT_TRUE(QFile::copy(folder + u'/' + name, copied + u'/' + name));
    ASSERT_TRUE(QFile::copy(uninstaller(), bare + "/Uninstall.exe"));

    for (const QString& target : {copied, bare}) {
        boxes.clear();
        const QStringList before = everything();
        answers.assign({true});
        Uninstaller(target + "/Uninstall.exe").run();
        ASSERT_EQ(boxes.size(), 1u) << target;
        EXPECT_EQ(boxes[0].kind, Messages::Kind::Information);
        EXPECT_EQ(boxes[0].text,
                  "Папка \"" + target + "/\" не является папкой установки \"Зелмар\". Ничего не удалено.");
        EXPECT_EQ(everything(), before) << target;
    }
}

TEST_F(UninstallerRun, ABatchFileThatCannotBeWrittenStopsBeforeAnythingIsDeleted) {
    ASSERT_TRUE(QDir().mkpath(root + "/UnInstall.bat"));
    const QStringList before = everything();
    answers.assign({true});
    Uninstaller(uninstaller()).run();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, "Ошибка удаления!!!");
    EXPECT_EQ(everything(), before);
}

TEST(UninstallBatch, FiveLinesInWindows1251WithCrLf) {
    const Uninstaller uninstaller("/tmp/Зелмар/Uninstall.exe");
    EXPECT_EQ(uninstaller.installationFolder(), "/tmp/Зелмар/");
    EXPECT_EQ(uninstaller.batchPath(), "/tmp/UnInstall.bat");
    const QByteArray bytes = uninstaller.batchText();
    EXPECT_EQ(QStringDecoder("windows-1251").decode(bytes).operator QString(),
              ":try\r\n"
              "del \"/tmp/Зелмар/Uninstall.exe\"\r\n"
              "if exist \"/tmp/Зелмар/Uninstall.exe\" goto try\r\n"
              "rd \"/tmp/Зелмар/\" /s /q\r\n"
              "del \"/tmp/Зелмар/../UnInstall.bat\"\r\n");
    EXPECT_TRUE(bytes.contains("\xC7\xE5\xEB\xEC\xE0\xF0")); // "Зелмар" in Windows-1251
    // Paths the batch file cannot carry.
    EXPECT_TRUE(Uninstaller("/tmp/a\"b/Uninstall.exe").batchText().isEmpty());
    EXPECT_TRUE(Uninstaller("/tmp/日本/Uninstall.exe").batchText().isEmpty());
}

} // namespace
