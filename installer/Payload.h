// The files the installer carries, each under a resource name and the file name it is written as.
// The bytes are linked into the installer program (see PayloadSource.cmake); a build that has no
// source for a file leaves it out, and asking for it then finds nothing.
#pragma once

#include <QByteArrayView>
#include <QString>

#include <vector>

class Payload {
public:
    struct File {
        QString resource; // lower case
        QString fileName;
        QByteArrayView bytes;
        bool executable = false;
    };

    explicit Payload(std::vector<File> files) : files_(std::move(files)) {}

    // The file held under `resource` (letter case aside); nullptr when the build did not embed it.
    const File* find(const QString& resource) const;
    const std::vector<File>& files() const { return files_; }

    // The payload linked into this program (defined in the generated source of installer_payload).
    static const Payload& embedded();

private:
    std::vector<File> files_;
};
