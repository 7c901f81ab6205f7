// The settings file the installer lays down, byte for byte: Windows-1251, CR LF after every line,
// and in [Security] the digest of the empty password, so a changed salt changes this file too.
#pragma once

#include <QByteArray>

QByteArray DefaultSettingsFile();
