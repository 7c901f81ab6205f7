// What the interpreter refuses: unknown commands, programs outside the working folder, paths with
// quotes that would break out of their command; and how it fails: copies that cannot be written
// completely, goto loops that never end.
#include "BatchSandbox.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

TEST(Refusals, UnknownCommandsAndMissingProgramsAreReportedAndSkipped) {
    BatchSandbox sandbox;
    sandbox.writeBatch("test.bat", {"frobnicate the ledger", "nothere.exe a b", "bcp.exe a -ep x *.db",
                                    "set X=1", "md \"after\""});
    const BatchRun run = runBatch("test.bat", sandbox.root());
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains("frobnicate")) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("nothere.exe"));
    EXPECT_TRUE(run.err.contains("bcp.exe"));
    EXPECT_TRUE(run.err.contains("set"));
    EXPECT_EQ(run.err.count(u'\n'), 4) << run.err.toStdString();
    EXPECT_TRUE(sandbox.exists("after"));
}

TEST(Refusals, NoProgramOutsideTheWorkingFolderAndNoPathLookup) {
    BatchSandbox sandbox;
    sandbox.makeFolder("work");
    sandbox.writeScript("outside.exe", "touch ran-outside\n");
    ASSERT_FALSE(QStandardPaths::findExecutable("sh").isEmpty());
    sandbox.writeBatch("work/test.bat",
                       {"sh -c \"touch pwned\"", "touch pwned", "..\\outside.exe",
                        sandbox.path("outside.exe"), "/bin/sh -c \"touch pwned\"", "md \"after\""});
    const BatchRun run = runBatch("test.bat", sandbox.path("work"));
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err.count(u'\n'), 5) << run.err.toStdString();
    EXPECT_FALSE(sandbox.exists("work/pwned"));
    EXPECT_FALSE(sandbox.exists("pwned"));
    EXPECT_FALSE(sandbox.exists("ran-outside"));
    EXPECT_FALSE(sandbox.exists("work/ran-outside"));
    EXPECT_TRUE(sandbox.exists("work/after"));
}

TEST(Refusals, NoExtensionIsAddedToAProgramName) {
    BatchSandbox sandbox;
    sandbox.writeScript("bcp.exe", "touch ran\n");
    sandbox.writeBatch("test.bat", {"bcp a"});
    const BatchRun run = runBatch("test.bat", sandbox.root());
    ASSERT_TRUE(run.finished);
    EXPECT_NE(run.err, QString());
    EXPECT_FALSE(sandbox.exists("ran"));
}

TEST(Refusals, ShellCharactersAreNothingSpecial) {
    BatchSandbox sandbox;
    sandbox.writeBatch("test.bat", {"md \"a&b\"", "md x%PATH%y", "md c>d", "md e|f", "md g;h"});
    const BatchRun run = runBatch("test.bat", sandbox.root());
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, QString());
    for (const char* name : {"a&b", "x%PATH%y", "c>d", "e|f", "g;h"})
        EXPECT_TRUE(sandbox.exists(name)) << name;
    EXPECT_FALSE(sandbox.exists("d"));
}

TEST(Quotes, AQuoteInsideAFolderNameKeepsThePathWhole) {
    BatchSandbox sandbox;
    const QString folder = sandbox.path("we\"ird") + u'/';
    sandbox.writeFile("we\"ird/backup/undo/kassa.db", "copy");
    sandbox.writeFile("we/backup/undo/kassa.db", "other");
    sandbox.writeFile("weird/backup/undo/kassa.db", "other");
    sandbox.writeFile("we\"ird/del.bat", batchBytes({":try", "rd /S /Q \"" + folder + "backup\\undo\"",
                                                     "if exist \"" + folder + "backup\\undo\" goto try",
                                                     "del \"" + folder + "del.bat\""}));
    const BatchRun run = runBatch(folder + "del.bat", folder);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, QString());
    EXPECT_FALSE(sandbox.exists("we\"ird/backup/undo"));
    EXPECT_FALSE(sandbox.exists("we\"ird/del.bat"));
    EXPECT_TRUE(sandbox.exists("we/backup/undo/kassa.db"));
    EXPECT_TRUE(sandbox.exists("weird/backup/undo/kassa.db"));
}

// A program folder whose path holds quote-blank-quote: the quoted path of each line would split in two.
// Every such line is refused; nothing outside the folder is touched.
TEST(Quotes, AQuoteBlankQuoteInAPathDoesNotEscape) {
    BatchSandbox sandbox;
    const QString victim = sandbox.path("victim");
    sandbox.writeFile("victim/backup/undo/kassa.db", "victim's snapshot");
    sandbox.writeFile("victim/del.bat", "victim's batch");
    sandbox.writeFile("victim/kassa.db", "victim's table");
    sandbox.makeFolder("inst"); // the first half of the split path exists
    // The folder "<root>/inst\" \"<root>/victim/" : a folder named `inst" "` holding the victim's path.
    const QString folder = sandbox.path("inst\" \"") + victim + u'/';
    ASSERT_TRUE(QDir().mkpath(folder + "backup/undo"));
    const QStringList lines = {":try",
                               "rd /S /Q \"" + folder + "backup\\undo\"",
                               "if exist \"" + folder + "backup\\undo\" goto try",
                               "del /Q \"" + folder + "*.db\"",
                               "copy \"" + folder + "*.db\" \"" + folder + "backup\\undo\\*.db\"",
                               "move \"" + folder + "backup\\undo\\*.db\" \"" + folder + "\"",
                               "rd \"" + folder + "\" /s /q",
                               "del \"" + folder + "del.bat\""};
    sandbox.writeFile("inst/del.bat", batchBytes(lines));
    const BatchRun run = runBatch(sandbox.path("inst/del.bat"), sandbox.path("inst"));
    ASSERT_TRUE(run.finished);
    EXPECT_LT(run.milliseconds, 20000);
    EXPECT_EQ(run.err.count(u'\n'), 7) << run.err.toStdString();
    EXPECT_EQ(sandbox.readFile("victim/backup/undo/kassa.db"), QByteArray("victim's snapshot"));
    EXPECT_EQ(sandbox.readFile("victim/del.bat"), QByteArray("victim's batch"));
    EXPECT_EQ(sandbox.readFile("victim/kassa.db"), QByteArray("victim's table"));
    EXPECT_TRUE(QFileInfo::exists(folder + "backup/undo"));
}

TEST(Quotes, AQuotedSwitchIsAPathAndAStrayQuoteRefusesTheLine) {
    BatchSandbox sandbox;
    sandbox.writeFile("keep/x.txt", "x");
    sandbox.writeBatch("test.bat",
                       {"rd \"/S\" \"keep\"", "rd /S /Q \"keep", "rd /S /Q \"ke\"ep\"x", "md \"after\""});
    const BatchRun run = runBatch("test.bat", sandbox.root());
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.err.count(u'\n'), 3) << run.err.toStdString();
    EXPECT_TRUE(sandbox.exists("keep/x.txt"));
    EXPECT_TRUE(sandbox.exists("after"));
}

// A copy that cannot be written completely (here: a file size limit, as a full disk would) leaves no
// file under the final name, no temporary file, fails the batch, and the batch goes on.
TEST(Failures, AnIncompleteCopyLeavesNothingUnderTheFinalName) {
    BatchSandbox sandbox;
    sandbox.writeFile("big.db", QByteArray(1024 * 1024, 'b'));
    sandbox.writeFile("small.db", "s");
    sandbox.writeFile("undo/big.db", "old copy");
    sandbox.writeBatch("test.bat", {"copy \"*.db\" \"undo\\*.db\"", "md \"after\""});
    const BatchRun run = runBatch("test.bat", sandbox.root(), QProcessEnvironment(), [] {
        struct rlimit limit = {256 * 1024, 256 * 1024};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    });
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("big.db")) << run.err.toStdString();
    EXPECT_EQ(sandbox.readFile("undo/big.db"), QByteArray("old copy"));
    EXPECT_EQ(sandbox.readFile("undo/small.db"), QByteArray("s"));
    EXPECT_EQ(sandbox.entries("undo"), (QStringList{"big.db", "small.db"}));
    EXPECT_TRUE(sandbox.exists("after"));
}

// Moving between file systems copies and deletes (where the machine has a second file system).
TEST(Failures, MoveAcrossFileSystemsCopiesAndDeletes) {
    BatchSandbox here;
    BatchSandbox there(QStringLiteral("/dev/shm"));
    if (!there.isValid())
        GTEST_SKIP() << "no /dev/shm";
    struct stat a, b;
    ASSERT_EQ(::stat(QFile::encodeName(here.root()).constData(), &a), 0);
    ASSERT_EQ(::stat(QFile::encodeName(there.root()).constData(), &b), 0);
    if (a.st_dev == b.st_dev)
        GTEST_SKIP() << "one file system only";
    here.writeFile("undo/kassa.db", "kassa copy");
    here.writeFile("undo/oper.db", "oper copy");
    there.writeFile("kassa.db", "newer");
    here.writeBatch("test.bat", {"move \"undo\\*.db\" \"" + there.root() + "\""});
    const BatchRun run = runBatch("test.bat", here.root());
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, QString());
    EXPECT_EQ(there.readFile("kassa.db"), QByteArray("kassa copy"));
    EXPECT_EQ(there.readFile("oper.db"), QByteArray("oper copy"));
    EXPECT_EQ(there.entries(""), (QStringList{"kassa.db", "oper.db"}));
    EXPECT_EQ(here.entries("undo"), QStringList());
}

// A retry loop that never succeeds pauses between rounds (no spinning core) and ends after its limit.
TEST(Failures, AGotoLoopThatNeverEndsIsEndedAfterItsLimitWithoutSpinning) {
    BatchSandbox sandbox;
    sandbox.writeScript("tick.exe", "echo . >> ticks\n");
    sandbox.writeBatch("test.bat", {":try", "tick.exe", "if not exist \"never\" goto try", "md \"after\""});
    QProcessEnvironment environment;
    environment.insert("ZELMAR_CMD_LOOP_LIMIT_MS", "1000");
    const BatchRun run = runBatch("test.bat", sandbox.root(), environment);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains("goto")) << run.err.toStdString();
    EXPECT_FALSE(sandbox.exists("after"));
    EXPECT_GE(run.milliseconds, 1000);
    EXPECT_LT(run.milliseconds, 15000);
    const qsizetype rounds = sandbox.readFile("ticks").count('\n');
    EXPECT_GE(rounds, 3);
    EXPECT_LE(rounds, 60); // a 25 ms pause each round: about 40 in one second at most
}

// A loop without a program in it: still paused, so a second of it is a few dozen rounds.
TEST(Failures, AnEmptyRetryLoopPausesEachRound) {
    BatchSandbox sandbox;
    sandbox.writeBatch("test.bat", {":try", "if not exist \"never\" goto try"});
    QProcessEnvironment environment;
    environment.insert("ZELMAR_CMD_LOOP_LIMIT_MS", "500");
    const BatchRun run = runBatch("test.bat", sandbox.root(), environment);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_GE(run.milliseconds, 500);
    EXPECT_LT(run.milliseconds, 10000);
}

} // namespace

namespace {

// Started detached, the interpreter may have no standard streams at all: it still does its work, and
// its messages never end up inside a file it writes.
TEST(Failures, ClosedStandardStreamsDoNotDisturbTheWork) {
    BatchSandbox sandbox;
    sandbox.writeFile("kassa.db", "kassa");
    sandbox.makeFolder("undo");
    sandbox.writeBatch("test.bat",
                       {"unknown-command", "copy \"*.db\" \"undo\\*.db\"", "del \"missing\"",
                        "copy \"kassa.db\" \"undo\\second.db\"", "unknown-command", "del test.bat"});
    const BatchRun run = runBatch("test.bat", sandbox.root(), QProcessEnvironment(), [] {
        ::close(0);
        ::close(1);
        ::close(2);
    });
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(sandbox.readFile("undo/kassa.db"), QByteArray("kassa"));
    EXPECT_EQ(sandbox.readFile("undo/second.db"), QByteArray("kassa"));
    EXPECT_FALSE(sandbox.exists("test.bat"));
}

} // namespace
