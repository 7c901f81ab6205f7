#include "BatchText.h"

#include <QFile>
#include <QStringDecoder>

namespace batch {

bool BatchText::load(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("не удается открыть пакетный файл %1: %2").arg(path, file.errorString());
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *error = QStringLiteral("не удается прочитать пакетный файл %1: %2").arg(path, file.errorString());
        return false;
    }
    lines_ = decode(bytes);
    return true;
}

QStringList BatchText::decode(const QByteArray& bytes) {
    QStringDecoder decoder("windows-1251");
    const QString text = decoder.isValid() ? decoder.decode(bytes) : QString::fromLatin1(bytes);
    QStringList lines;
    QString current;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            lines.append(current);
            current.clear();
            if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
        } else {
            current.append(c);
        }
    }
    if (!current.isEmpty())
        lines.append(current);
    return lines;
}

} // namespace batch
