// The text of a batch file: read whole before anything runs (so a batch that deletes itself as its last
// line still runs to its end), decoded from Windows-1251, split into lines at CR LF, LF or a lone CR.
#pragma once

#include <QString>
#include <QStringList>

namespace batch {

class BatchText {
public:
    // Reads and decodes the file; false with a message when it cannot be read.
    bool load(const QString& path, QString* error);
    // Decodes Windows-1251 bytes and splits them into lines (line ends removed).
    static QStringList decode(const QByteArray& bytes);

    const QStringList& lines() const { return lines_; }

private:
    QStringList lines_;
};

} // namespace batch
