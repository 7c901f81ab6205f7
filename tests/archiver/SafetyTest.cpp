// Extraction never writes outside the working folder, never follows a link at a target, and never
// shows a partly written archive or table under its final name, even when the archiver is killed.
#include "tests/archiver/ArchiverFixture.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

TEST_F(ArchiverTest, EntriesNamedOutsideTheWorkingFolderAreRefused) {
    const QString outside = root + "/outside";
    const std::vector<std::string> unsafe{
        "../evil",
        "../work/evil.db",
        "sub/../../evil",
        "..\\evil",
        "sub\\..\\..\\evil",
        "..",
        ".",
        (outside + "/abs.db").toStdString(), // an absolute name (under the test's folder, not /etc)
        "/etc/x",
        "\\evil",
        "C:\\evil.db",
        "C:evil.db",
    };
    ASSERT_TRUE(QDir().mkpath(outside));
    writeFile(at("oper.db"), "current");
    for (const std::string& name : unsafe) {
        for (const std::optional<std::string>& password :
             {std::optional<std::string>("7304"), std::optional<std::string>()}) {
            const QString archive = root + "/evil.bcp";
            craftZip(archive,
                     {{"good.db", "good", ZipItem::File, {}},
                      {name, "evil", ZipItem::File, {}},
                      {"oper.db", "archived", ZipItem::File, {}}},
                     password);
            const QMap<QString, QByteArray> before = snapshot(root);
            const BcpRun run = runBcp(work, {"e", "-y", "-hp7304", archive});
            ASSERT_TRUE(run.finished);
            EXPECT_NE(run.exitCode, 0) << name;
            EXPECT_TRUE(run.standardError.contains("refused"))
                << name << ": " << run.standardError.toStdString();
            EXPECT_EQ(snapshot(root), before) << name;
            EXPECT_FALSE(QFileInfo::exists("/etc/x"));
        }
    }
}

TEST_F(ArchiverTest, NestedNamesAreExtractedByTheirBaseName) {
    craftZip(root + "/nested.bcp",
             {{"data/", {}, ZipItem::Folder, {}},
              {"data/ok.db", "ok", ZipItem::File, {}},
              {"a\\b\\win.db", "win", ZipItem::File, {}}},
             std::string("7304"));
    const BcpRun run = runBcp(work, {"e", "-y", "-hp7304", root + "/nested.bcp"});
    ASSERT_EQ(run.exitCode, 0) << run.standardError.toStdString();
    EXPECT_EQ(snapshot(work),
              (QMap<QString, QByteArray>{{"backup", "<dir>"}, {"ok.db", "ok"}, {"win.db", "win"}}));
}

TEST_F(ArchiverTest, LinkEntriesAreRefused) {
    writeFile(root + "/outside.db", "outside");
    craftZip(root + "/link.bcp",
             {{"good.db", "good", ZipItem::File, {}},
              {"link.db", {}, ZipItem::Link, (root + "/outside.db").toStdString()}},
             std::string("7304"));
    const QMap<QString, QByteArray> before = snapshot(root);
    const BcpRun run = runBcp(work, {"e", "-y", "-hp7304", root + "/link.bcp"});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.standardError.contains("refused")) << run.standardError.toStdString();
    EXPECT_EQ(snapshot(root), before);
}

TEST_F(ArchiverTest, ALinkAtTheTargetIsReplacedNotFollowed) {
    writeFile(at("oper.db"), "archived");
    backUp();
    ASSERT_TRUE(QFile::remove(at("oper.db")));
    writeFile(root + "/outside.db", "outside");
    ASSERT_TRUE(QFile::link(root + "/outside.db", at("oper.db")));
    ASSERT_EQ(runBcp(work, {"e", "-y", "-hp7304", archivePath()}).exitCode, 0);
    EXPECT_EQ(readFile(root + "/outside.db"), QByteArray("outside"));
    EXPECT_FALSE(QFileInfo(at("oper.db")).isSymLink());
    EXPECT_EQ(readFile(at("oper.db")), QByteArray("archived"));
}

TEST_F(ArchiverTest, ALaterEntryOfTheSameNameWins) {
    craftZip(root + "/twice.bcp",
             {{"x.db", "first", ZipItem::File, {}}, {"sub/X.DB", "second", ZipItem::File, {}}},
             std::string("7304"));
    ASSERT_EQ(runBcp(work, {"e", "-y", "-hp7304", root + "/twice.bcp"}).exitCode, 0);
    EXPECT_EQ(snapshot(work), (QMap<QString, QByteArray>{{"backup", "<dir>"}, {"x.db", "second"}}));
}

namespace {

// Starts the archiver, kills it after `delayMs`, and reports whether it had already finished.
bool killAfter(const QString& workDir, const QStringList& args, int delayMs) {
    QProcess process;
    process.setWorkingDirectory(workDir);
    process.start(bcpPath(), args);
    if (!process.waitForStarted())
        return false;
    const bool finished = process.waitForFinished(delayMs);
    if (!finished) {
        process.kill();
        process.waitForFinished();
    }
    return finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

QByteArray bulk(int megabytes) {
    QByteArray bytes = tableContent("oper", 40000);
    unsigned state = 7;
    QByteArray result;
    while (result.size() < megabytes * (1 << 20)) {
        QByteArray chunk = bytes;
        for (int i = 0; i < chunk.size(); i += 61) {
            state = state * 1103515245u + 12345u;
            chunk[i] = static_cast<char>(state >> 24);
        }
        result += chunk;
    }
    return result;
}

} // namespace

TEST_F(ArchiverTest, AKilledBackupLeavesNoArchiveUnderItsName) {
    writeFile(at("oper.db"), bulk(24));
    for (int delay : {50, 300, 900}) {
        QFile::remove(archivePath());
        const bool finished =
            killAfter(work, {"a", "-ep", "-m5", "-hp7304", "backup\\05.03.2004.bcp", "*.db"}, delay);
        if (finished) {
            const ZipListing listing = readZip(archivePath(), std::string("7304"));
            EXPECT_TRUE(listing.ok) << listing.error.toStdString();
        } else {
            EXPECT_FALSE(QFileInfo::exists(archivePath())) << "killed after " << delay << " ms";
        }
    }
}

TEST_F(ArchiverTest, AKilledRestoreLeavesEachTableWholeOldOrWholeNew) {
    const QByteArray archived = bulk(32);
    writeFile(at("oper.db"), archived);
    writeFile(at("kassa.db"), "archived kassa");
    backUp();
    for (int delay : {20, 150, 400}) {
        writeFile(at("oper.db"), "current");
        writeFile(at("kassa.db"), "current kassa");
        const bool finished = killAfter(work, {"e", "-y", "-hp7304", archivePath()}, delay);
        const QByteArray oper = readFile(at("oper.db"));
        const QByteArray kassa = readFile(at("kassa.db"));
        if (finished) {
            EXPECT_EQ(oper, archived);
            EXPECT_EQ(kassa, QByteArray("archived kassa"));
        } else {
            EXPECT_TRUE(oper == "current" || oper == archived) << "killed after " << delay << " ms";
            EXPECT_TRUE(kassa == "current kassa" || kassa == "archived kassa");
        }
    }
}
