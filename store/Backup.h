// The start-up backup: once a day, before any window is shown, the tables are archived into the
// backup folder under the day's date; archives older than the retention setting are deleted.
#pragma once

void StartupBackup();
