// Helpers of the archiver tests: run bcp.dll as a real process, look at folders byte for byte, make
// table-like files, and craft or read ZIP archives directly with libarchive.
#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <vector>

struct BcpRun {
    int exitCode = -1;
    bool finished = false; // false when it crashed or timed out
    QString standardError;
    QString standardOutput;
};

// Runs the archiver with `args` in `workDir`; waits up to `timeoutMs`.
BcpRun runBcp(const QString& workDir, const QStringList& args, int timeoutMs = 120000);
QString bcpPath();

QByteArray readFile(const QString& path);
void writeFile(const QString& path, const QByteArray& bytes);

// Every entry below `dir` (hidden ones included), by relative path: a file's bytes, "<dir>" for a
// folder, "<link:target>" for a symbolic link.
QMap<QString, QByteArray> snapshot(const QString& dir);

// Rows of a ledger table in text: Cyrillic names, goods, dates and sums, repeated with variations.
QByteArray tableContent(const QString& table, int rows);

struct ZipItem {
    std::string name;
    QByteArray data;
    enum Type { File, Folder, Link } type = File;
    std::string linkTarget;
};

// Writes a ZIP archive with the given entries (AES-256 when a password is given), exactly as named.
void craftZip(const QString& path, const std::vector<ZipItem>& items,
              const std::optional<std::string>& password);

struct ZipListing {
    bool ok = false;             // every entry read whole without error or warning
    QString error;               // libarchive's message when not ok
    std::vector<ZipItem> items;  // entries read
    std::vector<bool> encrypted; // per entry: data encrypted
};

// Reads a ZIP archive with libarchive (password optional).
ZipListing readZip(const QString& path, const std::optional<std::string>& password);

// The 7-Zip program ("7zz" of Debian's 7zip package, or "7z"); empty when none is installed.
QString sevenZipPath();
