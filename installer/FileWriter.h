// Writes a whole file under a temporary name in its folder and renames it into place, so that the
// target is either the complete new file or left as it was (never a torn file under its final name).
// A running program's file is replaced this way too: the running process keeps the old inode.
#pragma once

#include <QByteArrayView>
#include <QString>

class FileWriter {
public:
    // False when the file cannot be created, written or renamed; nothing is left behind then.
    static bool write(const QString& path, QByteArrayView bytes, bool executable);
};
