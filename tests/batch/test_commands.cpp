// The commands one by one, in a table: files laid down, batch lines run in the sandbox as working
// folder, then which paths must and must not exist, whether standard error must say something, and
// the exit status.
#include "BatchSandbox.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

struct CommandCase {
    const char* name;
    QStringList files;   // files laid down (relative), content "x"; a name ending in '/' is a folder
    QStringList lines;   // the batch lines
    QStringList present; // paths that exist afterwards
    QStringList absent;  // paths that do not exist afterwards
    bool reportsError;   // standard error holds a message
    int exitCode;
};

void PrintTo(const CommandCase& c, std::ostream* os) {
    *os << c.name;
}

class Commands : public ::testing::TestWithParam<CommandCase> {};

TEST_P(Commands, Run) {
    const CommandCase& c = GetParam();
    BatchSandbox sandbox;
    for (const QString& file : c.files) {
        if (file.endsWith(u'/'))
            sandbox.makeFolder(file);
        else
            sandbox.writeFile(file, "x");
    }
    sandbox.writeBatch("test.bat", c.lines);
    const BatchRun run = runBatch("test.bat", sandbox.root());
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, c.exitCode) << run.err.toStdString();
    if (c.reportsError)
        EXPECT_NE(run.err, QString());
    else
        EXPECT_EQ(run.err, QString());
    for (const QString& path : c.present)
        EXPECT_TRUE(sandbox.exists(path)) << "missing: " << path.toStdString() << "\n"
                                          << run.err.toStdString();
    for (const QString& path : c.absent)
        EXPECT_FALSE(sandbox.exists(path)) << "still there: " << path.toStdString();
}

const CommandCase commandCases[] = {
    // Letter case of keywords, names and wildcards.
    {"DelFindsNameInOtherCase", {"kassa.db"}, {"DEL \"KASSA.DB\""}, {}, {"kassa.db"}, false, 0},
    {"WildcardIgnoresCase",
     {"kassa.DB", "Info.Db", "notes.txt", "kassa.dbx"},
     {"Del /q *.db"},
     {"notes.txt", "kassa.dbx"},
     {"kassa.DB", "Info.Db"},
     false,
     0},
    {"CopyUpperWildcardIntoFolder",
     {"kassa.DB", "oper.db", "sub/"},
     {"COPY \"*.DB\" \"SUB\\*.db\""},
     {"sub/kassa.db", "sub/oper.db", "kassa.DB", "oper.db"},
     {"SUB"},
     false,
     0},
    {"RenFindsOldNameInOtherCase", {"BCP.DLL"}, {"REN bcp.dll bcp.exe"}, {"bcp.exe"}, {"BCP.DLL"}, false, 0},
    {"RdFindsFolderInOtherCase",
     {"backup/undo/kassa.db", "backup/x.bcp"},
     {"RD /s /Q \"BACKUP\\UNDO\""},
     {"backup/x.bcp"},
     {"backup/undo"},
     false,
     0},
    {"IfNotExistKeywordsInAnyCase",
     {},
     {"IF NOT EXIST \"missing\" MD \"made\"", "If Exist \"missing\" md \"not\""},
     {"made"},
     {"not"},
     false,
     0},
    {"IfExistFindsNameInOtherCase",
     {"Text.TXT"},
     {"if exist \"text.txt\" md \"found\""},
     {"found"},
     {},
     false,
     0},
    {"IfExistWithWildcard",
     {"a.db"},
     {"if exist \"*.DB\" md \"found\"", "if exist *.bcp md \"nope\""},
     {"found"},
     {"nope"},
     false,
     0},
    {"CyrillicNamesIgnoreCase",
     {QStringLiteral("Папка/касса.txt")},
     {QStringLiteral("del \"ПАПКА\\КАССА.TXT\"")},
     {QStringLiteral("Папка")},
     {QStringLiteral("Папка/касса.txt")},
     false,
     0},
    // rd switches: any position, any case; without /S only an empty folder.
    {"RdSwitchesAfterThePath", {"inst/a/b.txt"}, {"rd \"inst\" /s /q"}, {}, {"inst"}, false, 0},
    {"RdWithoutSRemovesAnEmptyFolder", {"empty/"}, {"rd \"empty\""}, {}, {"empty"}, false, 0},
    {"RdWithoutSKeepsAFullFolder", {"full/x.txt"}, {"rd /Q \"full\""}, {"full/x.txt"}, {}, true, 0},
    {"RdMissingFolderIsReportedAndTheBatchGoesOn",
     {},
     {"rd /S /Q \"nothing\"", "md \"after\""},
     {"after"},
     {},
     true,
     0},
    {"RdOfTheWorkingFolderIsRefused", {"keep.txt"}, {"rd /S /Q \".\""}, {"keep.txt"}, {}, true, 0},
    // md creates parents; an existing folder is reported.
    {"MdCreatesParents", {}, {"md \"a\\b\\c\""}, {"a/b/c"}, {}, false, 0},
    {"MdOfAnExistingFolderIsReported", {"a/"}, {"md a", "md \"b\""}, {"a", "b"}, {}, true, 0},
    // ren: the new name is a bare name in the same folder, and must not exist yet.
    {"RenInASubfolder",
     {"sub/old.txt"},
     {"ren sub\\old.txt new.txt"},
     {"sub/new.txt"},
     {"sub/old.txt"},
     false,
     0},
    {"RenToAPathIsRefused",
     {"old.txt", "sub/"},
     {"ren old.txt sub\\new.txt"},
     {"old.txt"},
     {"sub/new.txt"},
     true,
     0},
    {"RenOntoAnExistingNameIsRefused",
     {"a.txt", "b.txt"},
     {"ren a.txt B.TXT"},
     {"a.txt", "b.txt"},
     {},
     true,
     0},
    // copy and move.
    {"CopyOneFileToAFileName", {"a.db"}, {"copy \"a.db\" \"b.db\""}, {"a.db", "b.db"}, {}, false, 0},
    {"CopyMissingSourceFailsTheBatchButGoesOn",
     {"sub/"},
     {"copy \"*.db\" \"sub\\*.db\"", "md \"after\""},
     {"after"},
     {},
     true,
     1},
    {"CopyIntoAMissingFolderFails",
     {"a.db"},
     {"copy \"a.db\" \"nowhere\\*.db\""},
     {"a.db"},
     {"nowhere"},
     true,
     1},
    {"CopyOntoItselfFails", {"a.db"}, {"copy \"a.db\" \"A.DB\""}, {"a.db"}, {}, true, 1},
    {"MoveIntoAFolderReplacesFiles",
     {"undo/kassa.db", "undo/oper.db", "undo/text", "kassa.db"},
     {"move \"undo\\*.db\" \".\""},
     {"kassa.db", "oper.db", "undo/text"},
     {"undo/kassa.db", "undo/oper.db"},
     false,
     0},
    {"MoveMissingSourceFails", {}, {"move \"undo\\*.db\" \".\""}, {}, {}, true, 1},
    // del.
    {"DelOfAMissingFileIsReported", {}, {"del \"none.txt\"", "md \"after\""}, {"after"}, {}, true, 0},
    {"DelDoesNotRemoveFolders", {"d.db/x"}, {"del /Q \"*.db\""}, {"d.db/x"}, {}, true, 0},
    // goto and labels.
    {"GotoSkipsForward",
     {},
     {"goto Done", "md \"skipped\"", ":DONE", "md \"after\""},
     {"after"},
     {"skipped"},
     false,
     0},
    {"GotoWithColon", {}, {"goto :end", "md \"skipped\"", ":end"}, {}, {"skipped"}, false, 0},
    {"GotoMissingLabelIsReported", {}, {"goto nowhere", "md \"after\""}, {"after"}, {}, true, 0},
    // The batch text is read whole first: deleting itself early does not stop it.
    {"DeletingItselfFirstStillRunsTheRest",
     {},
     {"del test.bat", "md \"after\""},
     {"after"},
     {"test.bat"},
     false,
     0},
    // Both separators, unquoted paths, ECHO OFF and REM.
    {"SlashSeparatorsAndUnquotedPaths",
     {"a.db", "sub/"},
     {"@echo off", "rem a comment", "copy ./*.db sub/"},
     {"sub/a.db"},
     {},
     false,
     0},
};

INSTANTIATE_TEST_SUITE_P(Table, Commands, ::testing::ValuesIn(commandCases),
                         [](const ::testing::TestParamInfo<CommandCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(CommandsAbsolute, AbsolutePathsStartingWithSlashAreNoSwitches) {
    BatchSandbox sandbox;
    sandbox.writeFile("S/Q/x.txt", "x");
    sandbox.writeFile("keep/y.txt", "y");
    // /tmp/.../S would be a path even unquoted; only the exact tokens /S and /Q are switches.
    sandbox.writeBatch("keep/test.bat", {"rd /S /Q " + sandbox.path("S")});
    const BatchRun run = runBatch("test.bat", sandbox.path("keep"));
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, QString());
    EXPECT_FALSE(sandbox.exists("S"));
    EXPECT_TRUE(sandbox.exists("keep/y.txt"));
}

TEST(CommandsCopy, CopiesAreByteExactAndKeepTheModificationTime) {
    BatchSandbox sandbox;
    QByteArray bytes;
    for (int i = 0; i < 3 * 1024 * 1024 + 17; ++i)
        bytes.append(char((i * 131) >> 3));
    sandbox.writeFile("big.db", bytes);
    QFile big(sandbox.path("big.db"));
    ASSERT_TRUE(big.open(QIODevice::ReadWrite));
    const QDateTime old = QDateTime::fromString("2004-03-05T10:00:00", Qt::ISODate);
    ASSERT_TRUE(big.setFileTime(old, QFileDevice::FileModificationTime));
    big.close();
    sandbox.makeFolder("backup/undo");
    sandbox.writeBatch("test.bat", {"copy \"*.db\" \"backup\\undo\\*.db\""});
    const BatchRun run = runBatch("test.bat", sandbox.root());
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(sandbox.readFile("backup/undo/big.db"), bytes);
    EXPECT_EQ(QFileInfo(sandbox.path("backup/undo/big.db")).lastModified(), old);
    EXPECT_EQ(sandbox.entries("backup/undo"), QStringList{"big.db"});
}

TEST(CommandsPrograms, ProgramGetsItsArgumentsAndItsExitStatusDoesNotStopTheBatch) {
    BatchSandbox sandbox;
    sandbox.writeScript("tool.exe", "printf '%s\\n' \"$@\" > args\nexit 7\n");
    sandbox.writeBatch("test.bat", {"TOOL.EXE one \"two words\" *.db back\\slash", "md \"after\""});
    const BatchRun run = runBatch("test.bat", sandbox.root());
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, QString());
    EXPECT_EQ(sandbox.readFile("args"), QByteArray("one\ntwo words\n*.db\nback\\slash\n"));
    EXPECT_TRUE(sandbox.exists("after"));
}

TEST(CommandsEcho, EchoOffIsSilentAndEchoPrintsItsText) {
    BatchSandbox sandbox;
    sandbox.writeBatch("test.bat", {"@ECHO OFF", "ECHO OFF", QStringLiteral("echo Готово")});
    const BatchRun run = runBatch("test.bat", sandbox.root());
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, QStringLiteral("Готово\n"));
}

TEST(CommandsInvocation, AMissingBatchFileIsReported) {
    BatchSandbox sandbox;
    const BatchRun run = runBatch("none.bat", sandbox.root());
    ASSERT_TRUE(run.finished);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.err, QString());
}

} // namespace
