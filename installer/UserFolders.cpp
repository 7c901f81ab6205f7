#include "installer/UserFolders.h"

#include <QStandardPaths>

#include <pwd.h>
#include <unistd.h>

QString UserFolders::desktop() {
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

QString UserFolders::programs() {
    return QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation);
}

QString UserFolders::logonName() {
    const passwd* entry = ::getpwuid(::getuid());
    if (entry == nullptr || entry->pw_name == nullptr || entry->pw_name[0] == '\0')
        return QStringLiteral("Unknown");
    return QString::fromLocal8Bit(entry->pw_name);
}
