#include "tests/archiver/ArchiverHarness.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <archive.h>
#include <archive_entry.h>

#include <stdexcept>

QString bcpPath() {
    return QStringLiteral(ZELMAR_PROGRAM_DIR "/bcp.dll");
}

BcpRun runBcp(const QString& workDir, const QStringList& args, int timeoutMs) {
    QProcess process;
    process.setWorkingDirectory(workDir);
    process.start(bcpPath(), args);
    BcpRun run;
    if (!process.waitForStarted(30000))
        return run;
    process.closeWriteChannel();
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.finished = process.exitStatus() == QProcess::NormalExit;
    run.exitCode = process.exitCode();
    run.standardError = QString::fromUtf8(process.readAllStandardError());
    run.standardOutput = QString::fromUtf8(process.readAllStandardOutput());
    return run;
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    return file.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

QMap<QString, QByteArray> snapshot(const QString& dir) {
    QMap<QString, QByteArray> result;
    QDirIterator it(dir, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    const QDir base(dir);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info(path);
        const QString name = base.relativeFilePath(path);
        if (info.isSymLink())
            result.insert(name, "<link:" + info.symLinkTarget().toUtf8() + ">");
        else if (info.isDir())
            result.insert(name, "<dir>");
        else
            result.insert(name, readFile(path));
    }
    return result;
}

QByteArray tableContent(const QString& table, int rows) {
    static const char* const surnames[] = {"Иванов",    "Петренко", "Сидоренко",
                                           "Коваленко", "Шевченко", "Бондаренко"};
    static const char* const goods[] = {"Шоколад \"Рошен\"", "Печенье овсяное", "Конфеты \"Белочка\"",
                                        "Вафли \"Артек\"",   "Зефир ванильный", "Халва"};
    static const char* const kinds[] = {"Приход", "Уход", "Возврат", "Переучет"};
    QByteArray text = "SQLite format 3 table " + table.toUtf8() + "\n";
    unsigned state = 12345u + static_cast<unsigned>(qHash(table));
    auto next = [&state]() {
        state = state * 1103515245u + 12345u;
        return (state >> 16) & 0x7fff;
    };
    for (int row = 0; row < rows; ++row) {
        text += QByteArray::number(21 + next() % 60) + '|' + "2004-" + QByteArray::number(1 + next() % 12) +
                '-' + QByteArray::number(1 + next() % 28) + '|' + kinds[next() % 4] + '|' +
                surnames[next() % 6] + " И.П.|" + goods[next() % 6] + '|' +
                QByteArray::number((next() % 5000) / 100.0, 'f', 2) + '|' + QByteArray::number(next() % 100) +
                '\n';
    }
    return text;
}

void craftZip(const QString& path, const std::vector<ZipItem>& items,
              const std::optional<std::string>& password) {
    struct archive* a = archive_write_new();
    archive_write_set_format_zip(a);
    if (password) {
        archive_write_set_format_option(a, "zip", "encryption", "aes256");
        archive_write_set_passphrase(a, password->c_str());
    }
    if (archive_write_open_filename(a, QFile::encodeName(path).constData()) != ARCHIVE_OK)
        throw std::runtime_error(std::string("craftZip: ") + archive_error_string(a));
    for (const ZipItem& item : items) {
        struct archive_entry* entry = archive_entry_new();
        archive_entry_copy_pathname(entry, item.name.c_str());
        if (item.type == ZipItem::Folder) {
            archive_entry_set_filetype(entry, AE_IFDIR);
            archive_entry_set_perm(entry, 0755);
        } else if (item.type == ZipItem::Link) {
            archive_entry_set_filetype(entry, AE_IFLNK);
            archive_entry_set_perm(entry, 0777);
            archive_entry_copy_symlink(entry, item.linkTarget.c_str());
        } else {
            archive_entry_set_filetype(entry, AE_IFREG);
            archive_entry_set_perm(entry, 0644);
            archive_entry_set_size(entry, item.data.size());
        }
        if (archive_write_header(a, entry) != ARCHIVE_OK)
            throw std::runtime_error(std::string("craftZip header: ") + archive_error_string(a));
        if (item.type == ZipItem::File && !item.data.isEmpty())
            archive_write_data(a, item.data.constData(), static_cast<size_t>(item.data.size()));
        archive_entry_free(entry);
    }
    if (archive_write_close(a) != ARCHIVE_OK)
        throw std::runtime_error(std::string("craftZip close: ") + archive_error_string(a));
    archive_write_free(a);
}

ZipListing readZip(const QString& path, const std::optional<std::string>& password) {
    ZipListing listing;
    struct archive* a = archive_read_new();
    archive_read_support_format_zip_seekable(a);
    if (password)
        archive_read_add_passphrase(a, password->c_str());
    if (archive_read_open_filename(a, QFile::encodeName(path).constData(), 65536) != ARCHIVE_OK) {
        listing.error = QString::fromUtf8(archive_error_string(a));
        archive_read_free(a);
        return listing;
    }
    struct archive_entry* entry = nullptr;
    for (;;) {
        const int status = archive_read_next_header(a, &entry);
        if (status == ARCHIVE_EOF) {
            listing.ok = true;
            break;
        }
        if (status != ARCHIVE_OK) {
            listing.error = QString::fromUtf8(archive_error_string(a));
            break;
        }
        ZipItem item;
        item.name = archive_entry_pathname(entry);
        listing.encrypted.push_back(archive_entry_is_data_encrypted(entry) != 0);
        char buffer[65536];
        la_ssize_t count;
        while ((count = archive_read_data(a, buffer, sizeof buffer)) > 0)
            item.data.append(buffer, static_cast<qsizetype>(count));
        listing.items.push_back(item);
        if (count < 0) {
            listing.error = QString::fromUtf8(archive_error_string(a));
            break;
        }
    }
    archive_read_free(a);
    return listing;
}

QString sevenZipPath() {
    for (const char* name : {"7zz", "7z"}) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!path.isEmpty())
            return path;
    }
    return QString();
}
