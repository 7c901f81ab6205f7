// The batch files exactly as the ledger program (makeundo.bat, undo.bat, del.bat, backup.bat) and
// the uninstaller (UnInstall.bat) write them, run by the real interpreter.
#include "BatchSandbox.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

const QStringList tableNames = {"realizators.db", "tovar.db", "oper.db", "kassa.db", "info.db"};

// Table-like content with every byte value, CR LF and NUL among them, so only a byte copy is equal.
QByteArray tableBytes(const QString& name, int version) {
    QByteArray bytes = "SQLite format 3" + QByteArray(1, '\0') + name.toUtf8() + QByteArray::number(version);
    for (int i = 0; i < 4096 + name.size() * 37; ++i)
        bytes.append(char((i * 7 + version) & 0xff));
    bytes.append("\r\n\x1a\r");
    return bytes;
}

struct FolderStyle {
    const char* label;
    QString folderName; // the program folder inside the sandbox
    QString separator;  // between "backup" and "undo" in the batch lines
    LineEnd lineEnd;
};

void PrintTo(const FolderStyle& style, std::ostream* os) {
    *os << style.label;
}

class LedgerBatch : public ::testing::TestWithParam<FolderStyle> {
protected:
    void SetUp() override {
        ASSERT_TRUE(sandbox.isValid());
        sandbox.makeFolder(GetParam().folderName);
        folder = sandbox.path(GetParam().folderName) + u'/';
    }
    // A path relative to the program folder.
    QString in(const QString& relative) const { return GetParam().folderName + u'/' + relative; }
    QString undoFolder() const { return folder + QStringLiteral("backup") + GetParam().separator + "undo"; }

    void layTables(int version) {
        for (const QString& name : tableNames)
            sandbox.writeFile(in(name), tableBytes(name, version));
        sandbox.writeFile(in("Zelmar.ini"), "[Other]\r\nbc=30\r\n");
        sandbox.writeFile(in("bcp.dll"), "archiver");
        sandbox.writeFile(in("backup/05.03.2004.bcp"), "archive");
    }

    QStringList makeundoLines() const {
        return {":try",
                "rd /S /Q \"" + undoFolder() + "\"",
                "if exist \"" + undoFolder() + "\" goto try",
                "md \"" + undoFolder() + "\"",
                "copy \"" + folder + "*.db\" \"" + undoFolder() + GetParam().separator + "*.db\"",
                "del \"" + folder + "makeundo.bat\""};
    }
    QStringList undoLines() const {
        return {"del /Q \"" + folder + "*.db\"",
                "move \"" + undoFolder() + GetParam().separator + "*.db\" \"" + folder + "\"",
                "rd /S /Q \"" + undoFolder() + "\"", "del \"" + folder + "undo.bat\""};
    }
    QStringList delLines() const {
        return {":try", "rd /S /Q \"" + undoFolder() + "\"", "if exist \"" + undoFolder() + "\" goto try",
                "del \"" + folder + "del.bat\""};
    }

    BatchRun runInFolder(const QString& batchName, const QStringList& lines) {
        sandbox.writeBatch(in(batchName), lines, GetParam().lineEnd);
        return runBatch(folder + batchName, folder);
    }

    BatchSandbox sandbox;
    QString folder; // the program folder, ending in '/'
};

TEST_P(LedgerBatch, MakeUndoCopiesEveryTableIntoAFreshSnapshotAndDeletesItself) {
    layTables(1);
    sandbox.writeFile(in("backup/undo/text"), QByteArray("добавление товара"));
    sandbox.writeFile(in("backup/undo/kassa.db"), "stale copy");
    sandbox.writeFile(in("backup/undo/old.db"), "stale table");

    const BatchRun run = runInFolder("makeundo.bat", makeundoLines());

    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, QString());
    QStringList expected = tableNames;
    expected.sort();
    EXPECT_EQ(sandbox.entries(in("backup/undo")), expected);
    for (const QString& name : tableNames)
        EXPECT_EQ(sandbox.readFile(in("backup/undo/" + name)), tableBytes(name, 1)) << name.toStdString();
    EXPECT_FALSE(sandbox.exists(in("makeundo.bat")));
    EXPECT_TRUE(sandbox.exists(in("backup/05.03.2004.bcp")));
    for (const QString& name : tableNames)
        EXPECT_EQ(sandbox.readFile(in(name)), tableBytes(name, 1));
}

TEST_P(LedgerBatch, UndoPutsTheCopiesBackAndRemovesTheSnapshot) {
    layTables(2);
    for (const QString& name : tableNames)
        sandbox.writeFile(in("backup/undo/" + name), tableBytes(name, 1));
    sandbox.writeFile(in("backup/undo/text"), QByteArray("передачу товара"));

    const BatchRun run = runInFolder("undo.bat", undoLines());

    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, QString());
    for (const QString& name : tableNames)
        EXPECT_EQ(sandbox.readFile(in(name)), tableBytes(name, 1)) << name.toStdString();
    EXPECT_FALSE(sandbox.exists(in("backup/undo")));
    EXPECT_TRUE(sandbox.exists(in("backup/05.03.2004.bcp")));
    EXPECT_TRUE(sandbox.exists(in("Zelmar.ini")));
    EXPECT_FALSE(sandbox.exists(in("undo.bat")));
}

TEST_P(LedgerBatch, SnapshotThenUndoRestoresTheTablesAsTheyWere) {
    layTables(1);
    sandbox.makeFolder(in("backup/undo"));
    ASSERT_EQ(runInFolder("makeundo.bat", makeundoLines()).exitCode, 0);
    for (const QString& name : tableNames)
        sandbox.writeFile(in(name), tableBytes(name, 9));
    ASSERT_EQ(runInFolder("undo.bat", undoLines()).exitCode, 0);
    for (const QString& name : tableNames)
        EXPECT_EQ(sandbox.readFile(in(name)), tableBytes(name, 1)) << name.toStdString();
    EXPECT_FALSE(sandbox.exists(in("backup/undo")));
}

TEST_P(LedgerBatch, DelRemovesTheSnapshotFolderAndItself) {
    layTables(1);
    for (const QString& name : tableNames)
        sandbox.writeFile(in("backup/undo/" + name), tableBytes(name, 0));
    sandbox.writeFile(in("backup/undo/text"), QByteArray("возврат"));

    const BatchRun run = runInFolder("del.bat", delLines());

    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_FALSE(sandbox.exists(in("backup/undo")));
    EXPECT_TRUE(sandbox.exists(in("backup/05.03.2004.bcp")));
    EXPECT_FALSE(sandbox.exists(in("del.bat")));
    for (const QString& name : tableNames)
        EXPECT_EQ(sandbox.readFile(in(name)), tableBytes(name, 1));
}

TEST_P(LedgerBatch, DelWithoutASnapshotFolderStillEndsAndDeletesItself) {
    layTables(1);
    const BatchRun run = runInFolder("del.bat", delLines());
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_LT(run.milliseconds, 10000);
    EXPECT_FALSE(sandbox.exists(in("del.bat")));
    EXPECT_TRUE(sandbox.exists(in("backup")));
}

INSTANTIATE_TEST_SUITE_P(
    Folders, LedgerBatch,
    ::testing::Values(FolderStyle{"BackslashCrLf", "zelmar", "\\", LineEnd::CrLf},
                      FolderStyle{"SlashCrLf", "zelmar", "/", LineEnd::CrLf},
                      FolderStyle{"CyrillicFolderCrLf", QStringLiteral("Программа Зелмар"), "\\",
                                  LineEnd::CrLf},
                      FolderStyle{"BackslashLfOnly", "zelmar", "\\", LineEnd::Lf}),
    [](const ::testing::TestParamInfo<FolderStyle>& info) { return std::string(info.param.label); });

// backup.bat with a fake archiver that fails twice before it writes the archive.
TEST(BackupBatch, RenamesTheArchiverRetriesUntilTheArchiveExistsAndRenamesItBack) {
    BatchSandbox sandbox;
    for (const QString& name : tableNames)
        sandbox.writeFile(name, tableBytes(name, 1));
    sandbox.makeFolder("backup");
    sandbox.writeScript("bcp.dll", "n=$(cat runs 2>/dev/null || echo 0)\n"
                                   "n=$((n+1))\n"
                                   "echo \"$n\" > runs\n"
                                   "basename \"$0\" > name\n"
                                   "printf '%s\\n' \"$@\" > args\n"
                                   "[ \"$n\" -lt 3 ] && exit 1\n"
                                   "out=$(printf '%s' \"$5\" | tr '\\\\' '/')\n"
                                   "cat *.db > \"$out\"\n");
    sandbox.writeBatch("backup.bat", {"@ECHO OFF", "ren bcp.dll bcp.exe", ":try",
                                      "bcp.exe a -ep -m5 -hp7304 backup\\05.03.2004.bcp *.db",
                                      "if not exist \"backup\\05.03.2004.bcp\" goto try",
                                      "ren bcp.exe bcp.dll", "del backup.bat"});

    const BatchRun run = runBatch("backup.bat", sandbox.root());

    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, QString());
    EXPECT_EQ(sandbox.readFile("runs"), QByteArray("3\n"));
    EXPECT_EQ(sandbox.readFile("name"), QByteArray("bcp.exe\n"));
    EXPECT_EQ(sandbox.readFile("args"), QByteArray("a\n-ep\n-m5\n-hp7304\nbackup\\05.03.2004.bcp\n*.db\n"));
    EXPECT_TRUE(sandbox.exists("backup/05.03.2004.bcp"));
    EXPECT_TRUE(sandbox.exists("bcp.dll"));
    EXPECT_FALSE(sandbox.exists("bcp.exe"));
    EXPECT_FALSE(sandbox.exists("backup.bat"));
}

// UnInstall.bat in the parent folder of the installation folder, run from another folder.
TEST(UninstallBatch, WaitsForTheUninstallerRemovesTheInstallationFolderAndItself) {
    BatchSandbox sandbox;
    const QString install = sandbox.path(QStringLiteral("Зелмар")) + u'/';
    sandbox.writeFile(QStringLiteral("Зелмар/Uninstall.exe"), "uninstaller");
    sandbox.writeFile(QStringLiteral("Зелмар/info.db"), "table");
    sandbox.writeFile(QStringLiteral("Зелмар/bcp.dll"), "archiver");
    sandbox.writeFile(QStringLiteral("Зелмар/backup/05.03.2004.bcp"), "archive");
    sandbox.writeFile(QStringLiteral("Зелмар/backup/undo/kassa.db"), "copy");
    sandbox.makeFolder("Progra~1");
    sandbox.writeFile("other.txt", "not ours");
    const QString self = install + "Uninstall.exe";
    sandbox.writeBatch("UnInstall.bat",
                       {":try", "del \"" + self + "\"", "if exist \"" + self + "\" goto try",
                        "rd \"" + install + "\" /s /q", "del \"" + install + "..\\UnInstall.bat\""});

    const BatchRun run = runBatch(install + "../UnInstall.bat", sandbox.path("Progra~1"));

    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, QString());
    EXPECT_FALSE(sandbox.exists(QStringLiteral("Зелмар")));
    EXPECT_FALSE(sandbox.exists("UnInstall.bat"));
    EXPECT_TRUE(sandbox.exists("Progra~1"));
    EXPECT_TRUE(sandbox.exists("other.txt"));
}

} // namespace
