// The "e" command: extracts every file of an archive, without paths, into the working folder,
// overwriting. All or nothing: each entry is first read whole into a temporary file beside its target;
// only when every entry of the archive has been read to its end without error or warning are the
// temporaries renamed into place, so that a wrong password or a damaged archive changes nothing.
// Targets are found without regard to letter case; a link at a target is replaced, never followed.
#pragma once

#include <QString>

#include <optional>
#include <string>

class ArchiveExtractor {
public:
    ArchiveExtractor(const QString& archive, const std::optional<std::string>& password);

    // Throws ArchiverError; the working folder is then as it was.
    void extractAll();

private:
    QString archive_;
    std::optional<std::string> password_;
};
