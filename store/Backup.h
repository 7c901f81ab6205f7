// The start-up backup: once a day, before any window is shown, the tables are archived into
// backup/<date>.bcp (the date in the regional short date format) by the archiver through backup.bat,
// while the progress window shows six dots over three seconds; archives older than the retention
// setting are deleted first. A name that does not read as a date, or a retention setting that is not
// a whole number, deletes nothing.
#pragma once

#include <QDate>
#include <QString>

// How long the start waits for the day's archive, in milliseconds.
constexpr int kBackupWaitLimitMs = 120000;

void StartupBackup();

// The archive name of a day: "05.03.2004.bcp".
QString ArchiveName(const QDate& day);
// Deletes the archives of the backup folder older than `days` days before `today`.
void DeleteOldArchives(const QString& backupFolder, const QDate& today, const QString& days);
// Writes and runs backup.bat for the archive of `day` and waits for it; false (with the user told)
// when no archive came of it.
bool ArchiveTables(const QDate& day);
