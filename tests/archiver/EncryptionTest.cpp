// The archive really is encrypted (a passphrase without libarchive's AES option would silently write a
// plain archive): its bytes do not show the tables, and readers open it with password 7304 only.
#include "tests/archiver/ArchiverFixture.h"

#include <QProcess>
#include <QTemporaryDir>

namespace {

const QByteArray marker = "Бондаренко Ольга Петровна, г. Киев, ул. Крещатик 22, кв. 7; ";

int runSevenZip(const QStringList& args, QString* output = nullptr) {
    QProcess process;
    process.start(sevenZipPath(), args);
    process.closeWriteChannel(); // no terminal: 7-Zip must not wait for a password
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        return -1;
    }
    if (output != nullptr)
        *output = QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

} // namespace

TEST_F(ArchiverTest, StoredDataIsEncrypted) {
    // Stored (-m0), so that only the encryption can hide the text; the same without a password shows it.
    writeFile(at("realizators.db"), marker.repeated(50));
    ASSERT_EQ(runBcp(work, {"a", "-ep", "-m0", "-hp7304", "backup\\secret.bcp", "*.db"}).exitCode, 0);
    ASSERT_EQ(runBcp(work, {"a", "-ep", "-m0", "backup\\plain.bcp", "*.db"}).exitCode, 0);
    EXPECT_TRUE(readFile(at("backup/plain.bcp")).contains(marker));
    EXPECT_FALSE(readFile(at("backup/secret.bcp")).contains(marker));
    EXPECT_FALSE(readFile(at("backup/secret.bcp")).contains(marker.left(16)));
}

TEST_F(ArchiverTest, LibarchiveReadsTheBackupWithThePasswordOnly) {
    const QMap<QString, QByteArray> tables = makeTables(300);
    backUp();
    const QByteArray raw = readFile(archivePath());
    EXPECT_FALSE(raw.contains(tables.value("oper.Db").mid(200, 24)));

    const ZipListing right = readZip(archivePath(), std::string("7304"));
    ASSERT_TRUE(right.ok) << right.error.toStdString();
    ASSERT_EQ(right.items.size(), 5u);
    for (size_t i = 0; i < right.items.size(); ++i) {
        EXPECT_TRUE(right.encrypted[i]) << right.items[i].name;
        EXPECT_EQ(right.items[i].data, tables.value(QString::fromStdString(right.items[i].name)));
    }
    const ZipListing none = readZip(archivePath(), std::nullopt);
    EXPECT_FALSE(none.ok);
    EXPECT_TRUE(none.items.empty() || none.items.front().data.isEmpty());
    const ZipListing wrong = readZip(archivePath(), std::string("7305"));
    EXPECT_FALSE(wrong.ok);
}

TEST_F(ArchiverTest, SevenZipOpensTheBackupWithPassword7304AndNotWithout) {
    if (sevenZipPath().isEmpty())
        GTEST_SKIP() << "7-Zip (Debian package 7zip) is not installed";
    const QMap<QString, QByteArray> tables = makeTables(300);
    backUp();
    QString listing;
    ASSERT_EQ(runSevenZip({"l", "-slt", "-p7304", archivePath()}, &listing), 0) << listing.toStdString();
    EXPECT_EQ(listing.count("Encrypted = +"), 5) << listing.toStdString();
    EXPECT_EQ(listing.count("Method = AES-256 Deflate"), 5) << listing.toStdString();

    QString output;
    EXPECT_EQ(runSevenZip({"t", "-p7304", archivePath()}, &output), 0) << output.toStdString();
    EXPECT_NE(runSevenZip({"t", "-p7305", archivePath()}, &output), 0) << output.toStdString();
    EXPECT_NE(runSevenZip({"t", "-p", archivePath()}, &output), 0) << output.toStdString();

    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    ASSERT_EQ(runSevenZip({"x", "-p7304", "-o" + out.path(), archivePath()}, &output), 0)
        << output.toStdString();
    EXPECT_EQ(snapshot(out.path()), tables);
}

TEST_F(ArchiverTest, ArchivesOfSevenZipAreExtracted) {
    if (sevenZipPath().isEmpty())
        GTEST_SKIP() << "7-Zip (Debian package 7zip) is not installed";
    const QMap<QString, QByteArray> tables = makeTables(100);
    QStringList args{"a", "-tzip", "-mem=AES256", "-mx=9", "-p7304", at("backup/7z.bcp")};
    for (const QString& name : tables.keys())
        args << at(name);
    QString output;
    ASSERT_EQ(runSevenZip(args, &output), 0) << output.toStdString();
    for (const QString& name : tables.keys())
        writeFile(at(name), "current");
    const BcpRun run = runBcp(work, {"e", "-y", "-hp7304", "backup\\7z.bcp"});
    ASSERT_EQ(run.exitCode, 0) << run.standardError.toStdString();
    for (auto it = tables.begin(); it != tables.end(); ++it)
        EXPECT_EQ(readFile(at(it.key())), it.value());
}
