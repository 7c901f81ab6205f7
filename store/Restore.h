// The restore (File menu "Восстановить"): the tables are brought back from a chosen daily archive.
// The archive is extracted into a folder of its own first and the tables are checked whole there;
// only then do they replace the current ones, so a wrong password, a damaged archive or a missing
// archiver leave the ledger as it was, and the user is told so.
#pragma once

#include <QString>

#include <functional>

// Chooses the archive to restore, starting in the backup folder; an empty text when cancelled.
using ArchiveChooser = std::function<QString(const QString& backupFolder)>;
void SetArchiveChooser(ArchiveChooser chooser);

// How long the restore waits for the archiver, in milliseconds.
constexpr int kRestoreWaitLimitMs = 120000;

// Asks for the archive and the confirmation, then restores. True when the tables were replaced.
bool RestoreFromArchive();
