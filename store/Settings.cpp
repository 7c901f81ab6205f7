// The settings file Zelmar.ini, read and written as an initialisation file of lines,
// and the password digest.
//
// The file is held as its lines of raw Windows-1251 bytes, each with the line end it had, so that a
// write changes exactly one line (or adds one or two) and every other byte survives: a comment, odd
// spacing, an LF-only line end, a byte that means nothing in the code page. Lines are decoded only to
// find sections and keys. Writes go to a temporary file that replaces the old one when complete
// (QSaveFile), so a failed write never leaves a half-written settings file.
#include "store/Settings.h"

#include "platform/FileNames.h"
#include "platform/Messages.h"
#include "platform/ProgramEnd.h"
#include "store/ProgramState.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <optional>
#include <vector>

namespace {

const char* const codePage = "windows-1251";
const QByteArray crlf = QByteArrayLiteral("\r\n");

// Windows-1251 bytes of `text`. A character outside the code page becomes '?', the default character
// of ANSI code-page conversion (the converter alone would give the control byte 0x1A, unfit for a text
// file and for a typed password).
QByteArray toWindows1251(const QString& text) {
    QStringEncoder encoder(codePage);
    const QByteArray bytes = encoder.encode(text);
    if (!encoder.hasError())
        return bytes;
    QByteArray replaced;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length =
            text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate() ? 2 : 1;
        QStringEncoder single(codePage);
        const QByteArray character = single.encode(text.mid(i, length));
        replaced += single.hasError() ? QByteArray("?") : character;
        i += length - 1;
    }
    return replaced;
}

// Every byte decodes to one character (0x98, unassigned in the code page, to U+0098), so a decoded line
// has its '=' at the same position as the bytes.
QString fromWindows1251(const QByteArray& bytes) {
    QStringDecoder decoder(codePage);
    return decoder.decode(bytes);
}

// Blanks are spaces and tabs; other characters (a no-break space among them) belong to the value.
QString trimBlanks(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && (text.at(begin) == QLatin1Char(' ') || text.at(begin) == QLatin1Char('\t')))
        ++begin;
    while (end > begin && (text.at(end - 1) == QLatin1Char(' ') || text.at(end - 1) == QLatin1Char('\t')))
        --end;
    return text.mid(begin, end - begin);
}

QString settingsPath() {
    return FileNames::resolve(State().programFolder, QStringLiteral("Zelmar.ini"));
}

[[noreturn]] void endProgram(const QString& message) {
    Messages::show(message);
    throw ProgramEnd(1);
}

// The file as a list of lines. A line `[Name]` opens a section (blanks around the line and the name
// ignored); a line with '=' inside a section is a setting, its key before the first '=' and its value
// after it, blanks trimmed from both; a line starting with ';' is a comment. Values are taken as
// written, quotation marks included. The first matching section and the first matching key count.
class SettingsFile {
public:
    explicit SettingsFile(const QByteArray& bytes) {
        qsizetype start = 0;
        while (start < bytes.size()) {
            const qsizetype newline = bytes.indexOf('\n', start);
            if (newline < 0) {
                lines.push_back({bytes.mid(start), QByteArray()});
                break;
            }
            QByteArray text = bytes.mid(start, newline - start);
            const bool crBefore = text.endsWith('\r');
            if (crBefore)
                text.chop(1);
            lines.push_back({text, crBefore ? crlf : QByteArrayLiteral("\n")});
            start = newline + 1;
        }
    }

    std::optional<QString> value(const QString& section, const QString& key) const {
        const std::optional<size_t> line = findKey(section, key);
        if (!line)
            return std::nullopt;
        const QString text = fromWindows1251(lines[*line].text);
        return trimBlanks(text.mid(text.indexOf(QLatin1Char('=')) + 1));
    }

    void setValue(const QString& section, const QString& key, const QString& value) {
        if (const std::optional<size_t> line = findKey(section, key)) {
            // The key keeps the spelling and spacing it has in the file; only the value changes.
            QByteArray& text = lines[*line].text;
            text = text.left(text.indexOf('=') + 1) + toWindows1251(value);
            return;
        }
        const QByteArray setting = toWindows1251(key + QLatin1Char('=') + value);
        if (const std::optional<size_t> header = findSection(section)) {
            // After the section's last line that is not blank, so the blank line before the next
            // section stays where it is.
            size_t last = *header;
            for (size_t i = *header + 1; i < lines.size() && !sectionName(i); ++i) {
                if (!trimBlanks(fromWindows1251(lines[i].text)).isEmpty())
                    last = i;
            }
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(last) + 1, Line{setting, crlf});
            return;
        }
        lines.push_back(Line{toWindows1251(QLatin1Char('[') + section + QLatin1Char(']')), crlf});
        lines.push_back(Line{setting, crlf});
    }

    // Every line with its own line end; a last line that had none gets CR LF, as every line must end.
    QByteArray bytes() const {
        QByteArray result;
        for (const Line& line : lines)
            result += line.text + (line.ending.isEmpty() ? crlf : line.ending);
        return result;
    }

private:
    struct Line {
        QByteArray text;   // without its line end
        QByteArray ending; // "\r\n", "\n", or empty for a last line without one
    };

    std::optional<QString> sectionName(size_t line) const {
        const QString text = trimBlanks(fromWindows1251(lines[line].text));
        const qsizetype close = text.indexOf(QLatin1Char(']'));
        if (!text.startsWith(QLatin1Char('[')) || close < 0)
            return std::nullopt;
        return trimBlanks(text.mid(1, close - 1));
    }

    std::optional<size_t> findSection(const QString& section) const {
        for (size_t i = 0; i < lines.size(); ++i) {
            const std::optional<QString> name = sectionName(i);
            if (name && name->compare(section, Qt::CaseInsensitive) == 0)
                return i;
        }
        return std::nullopt;
    }

    std::optional<size_t> findKey(const QString& section, const QString& key) const {
        const std::optional<size_t> header = findSection(section);
        if (!header)
            return std::nullopt;
        for (size_t i = *header + 1; i < lines.size() && !sectionName(i); ++i) {
            const QString text = fromWindows1251(lines[i].text);
            const qsizetype equals = text.indexOf(QLatin1Char('='));
            if (equals < 0 || trimBlanks(text).startsWith(QLatin1Char(';')))
                continue;
            if (trimBlanks(text.left(equals)).compare(trimBlanks(key), Qt::CaseInsensitive) == 0)
                return i;
        }
        return std::nullopt;
    }

    std::vector<Line> lines;
};

} // namespace

SettingsWriteError::SettingsWriteError(const QString& path)
    : std::runtime_error(QStringLiteral("Unable to write to %1").arg(path).toStdString()), filePath(path) {}

QString ReadSetting(const QString& section, const QString& key) {
    const QString path = settingsPath();
    if (!QFileInfo(path).isFile())
        endProgram(QStringLiteral("Файл с настройками не найден!!! Переустановите программу."));
    // A file that exists but cannot be read holds no key: it is reported as damaged.
    QByteArray bytes;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    const QString value = SettingsFile(bytes).value(section, key).value_or(QStringLiteral("Error"));
    if (value == QLatin1String("Error"))
        endProgram(QStringLiteral("Файл с настройками поврежден!!! Переустановите программу."));
    return value;
}

void WriteSetting(const QString& section, const QString& key, const QString& value) {
    const QString path = settingsPath();
    const QFileInfo info(path);
    const QString fullPath = info.absoluteFilePath();
    // Refused before anything is written: replacing a read-only file through a new file would succeed
    // where the file itself is protected.
    if (!QFileInfo(info.absolutePath()).isDir() || (info.exists() && (!info.isFile() || !info.isWritable())))
        throw SettingsWriteError(fullPath);
    QByteArray old;
    if (info.exists()) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            throw SettingsWriteError(fullPath);
        old = file.readAll();
    }
    SettingsFile settings(old);
    settings.setValue(section, key, value);
    const QByteArray bytes = settings.bytes();
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
        throw SettingsWriteError(fullPath);
}

QString PasswordDigest(const QString& password) {
    const QByteArray digest = QCryptographicHash::hash(toWindows1251(password + QStringLiteral("4820615973")),
                                                       QCryptographicHash::Md5);
    QString text;
    for (const char byte : digest)
        text += QString::number(static_cast<unsigned char>(byte), 16).toUpper();
    return text;
}
