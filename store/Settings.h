// The settings file Zelmar.ini and the password digest: the only ways into the file.
// Each call opens the file, does its one read or write and closes it; nothing is cached. The file is
// Windows-1251 text with CR LF line ends, found in the program folder without regard to letter case.
#pragma once

#include <QString>

#include <stdexcept>

// Raised when the system refuses a write of the settings file (missing or read-only folder, read-only
// file, a folder in the file's place). what() is "Unable to write to <full path>" in UTF-8; the file
// is left as it was.
class SettingsWriteError : public std::runtime_error {
public:
    explicit SettingsWriteError(const QString& path);
    const QString& path() const { return filePath; }

private:
    QString filePath;
};

// The value of `key` in `section` (both in any letter case), possibly empty. When the file is missing,
// or the key or section is absent, or the value is literally "Error", shows the not-found or damaged
// message and ends the program: throws ProgramEnd(1).
QString ReadSetting(const QString& section, const QString& key);

// Sets `key` in `section`: replaces its value on its line, or adds the key at the end of the section,
// or adds the section and the key at the end of the file, or creates the file holding just them. Every
// other line stays byte for byte. Throws SettingsWriteError when the write is refused.
void WriteSetting(const QString& section, const QString& key, const QString& value);

// The one-way text of a password: MD5 of the Windows-1251 bytes of password + "4820615973", each of the
// 16 bytes in upper-case hexadecimal without leading zero, joined (16 to 32 characters). A character
// that Windows-1251 cannot encode counts as '?', the default character of ANSI
// code-page conversion.
QString PasswordDigest(const QString& password);
