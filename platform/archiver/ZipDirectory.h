// The entry names of a ZIP archive's central directory, read directly from the file. libarchive names
// an entry after its local header and does not compare that name with the central directory's copy,
// and AES authenticates only the data: a damaged byte in a local name would extract a file under a
// wrong name. The reader therefore checks each entry's name against this second copy.
#pragma once

#include <QString>

#include <map>
#include <string>

class ZipDirectory {
public:
    // Reads the central directory; throws ArchiverError (Damaged) when it cannot be found or parsed.
    explicit ZipDirectory(const QString& path);

    // Takes one entry of the given name (as libarchive reports it) off the directory. False when the
    // directory has no such entry left, i.e. the archive is damaged.
    bool take(const std::string& name);
    // Whether every entry of the directory has been taken.
    bool allTaken() const { return names_.empty() && unchecked_ == 0; }

private:
    std::map<std::string, int> names_; // UTF-8 or ASCII names and how often each stands
    int unchecked_ = 0;                // entries with names in another character set (not compared)
};
