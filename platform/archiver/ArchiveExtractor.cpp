#include "platform/archiver/ArchiveExtractor.h"

#include "platform/archiver/ArchiveReader.h"
#include "platform/archiver/ArchiverError.h"
#include "platform/archiver/EntryName.h"
#include "platform/archiver/FileFinder.h"
#include "platform/archiver/TempFile.h"

#include <QFile>
#include <QHash>

#include <archive_entry.h>

#include <memory>
#include <sys/stat.h>
#include <vector>

namespace {

struct Pending {
    QString target;
    std::unique_ptr<TempFile> temp;
};

void setTimes(int fd, archive_entry* entry) {
    if (!archive_entry_mtime_is_set(entry))
        return;
    struct timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_sec = archive_entry_mtime(entry);
    times[1].tv_nsec = archive_entry_mtime_nsec(entry);
    ::futimens(fd, times); // the time is a courtesy; failing to set it is no failure
}

} // namespace

ArchiveExtractor::ArchiveExtractor(const QString& archive, const std::optional<std::string>& password)
    : archive_(FileFinder::resolve(archive)), password_(password) {}

void ArchiveExtractor::extractAll() {
    ArchiveReader reader(archive_, password_);
    std::vector<Pending> pending;
    QHash<QString, size_t> byName; // case-folded target name -> index in pending
    while (reader.next()) {
        archive_entry* entry = reader.entry();
        const std::string stored = reader.name();
        const mode_t type = archive_entry_filetype(entry);
        if (type == AE_IFDIR) {
            // Folders are not made (extraction without paths), but their names are held to the same rules.
            std::string name = stored;
            while (name.size() > 1 && (name.back() == '/' || name.back() == '\\'))
                name.pop_back();
            EntryName::target(name);
            reader.read([](const void*, size_t) {});
            continue;
        }
        const QString base = EntryName::target(stored);
        if (type != AE_IFREG || archive_entry_hardlink(entry) != nullptr)
            throw ArchiverError(ArchiverError::Fatal,
                                "refused entry '" + stored +
                                    "': not a plain file (a link or device); nothing was extracted");
        auto temp = std::make_unique<TempFile>(QString(), QStringLiteral("bcp"));
        reader.read([&temp](const void* data, size_t size) { temp->write(data, size); });
        setTimes(temp->fd(), entry);
        temp->finish();
        const QString key = base.toCaseFolded();
        const auto found = byName.constFind(key);
        if (found != byName.constEnd()) {
            // A later entry of the same name overwrites the earlier one, as with "e -y".
            pending[found.value()].temp = std::move(temp);
        } else {
            byName.insert(key, pending.size());
            pending.push_back({FileFinder::resolve(base), std::move(temp)});
        }
    }
    reader.close();
    if (pending.empty())
        throw ArchiverError(ArchiverError::NoFiles,
                            "archive '" + QFile::encodeName(archive_).toStdString() + "' holds no files");
    // Check every target before the first rename, so that the renames cannot stop half way for a
    // reason known in advance.
    for (const Pending& item : pending) {
        struct stat info;
        if (::lstat(QFile::encodeName(item.target).constData(), &info) == 0 && S_ISDIR(info.st_mode))
            throw ArchiverError(ArchiverError::WriteError,
                                "cannot extract '" + QFile::encodeName(item.target).toStdString() +
                                    "': a folder of that name exists; nothing was extracted");
    }
    for (Pending& item : pending)
        item.temp->commit(item.target);
    TempFile::syncFolder(QString());
}
