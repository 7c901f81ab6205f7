// The "a" command: writes files into a ZIP archive, encrypted with AES-256 under the password when one
// is given, deflated at the level of the -m switch (-m5: level 9). An existing archive is updated as
// RAR updates it: its entries are kept unless a file of the same name (letter case aside) is added.
// The archive is written under a temporary name in its own folder, synced and renamed into place, so
// that its final name never shows a partly written archive.
#pragma once

#include "platform/archiver/FileFinder.h"

#include <QString>

#include <optional>
#include <string>
#include <vector>

class ArchiveWriter {
public:
    struct Options {
        int method = 3;                      // 0: store; 1..5: deflate levels 1, 3, 6, 8, 9
        std::optional<std::string> password; // AES-256 when set
        bool storePaths = true;              // false with -ep
    };

    ArchiveWriter(const QString& archive, const Options& options);

    // Throws ArchiverError; the archive is then as it was. A file that is the archive itself is skipped;
    // no file left to add is a NoFiles error and writes nothing.
    void write(const std::vector<FoundFile>& files);

    // The deflate level of a RAR method number.
    static int deflateLevel(int method);

private:
    QString archive_;
    Options options_;
};
