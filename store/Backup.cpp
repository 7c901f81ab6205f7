#include "store/Backup.h"

void StartupBackup() {}
