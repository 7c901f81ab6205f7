// The uninstaller's run: asks once, hands the removal of its folder to a batch file run by the
// folder's command interpreter, ends the ledger programs started from the folder, removes the
// shortcuts and the files it knows, and starts the batch file, which deletes the uninstaller once it
// has ended and then the whole folder.
//
// The folder is the one the uninstaller's own program file lies in, and only a folder carrying the
// installer's mark for that very folder is touched. The batch file is written before anything is
// deleted, so a parent folder that refuses it leaves the installation whole.
#pragma once

#include <QByteArray>
#include <QString>

class Uninstaller {
public:
    // `self` is the uninstaller's program file.
    explicit Uninstaller(const QString& self);

    const QString& installationFolder() const { return folder; } // ends in '/'
    QString batchPath() const;

    void run();

    // The batch file's bytes (Windows-1251, CR LF); empty when a path cannot be written in it.
    QByteArray batchText() const;

private:
    bool writeBatch() const;
    bool startBatch() const;
    void removeShortcuts() const;
    void deleteKnownFiles() const;

    QString self;
    QString folder;
};
