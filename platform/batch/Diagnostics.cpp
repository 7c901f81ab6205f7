#include "Diagnostics.h"

#include <cstdio>

namespace batch {

void Diagnostics::report(const QString& message) const {
    QString text = QStringLiteral("cmd.exe: ") + batchName_;
    if (line_ > 0)
        text += QStringLiteral(", строка %1").arg(line_);
    text += QStringLiteral(": ") + message + u'\n';
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

void Diagnostics::reportGeneral(const QString& message) {
    const QByteArray bytes = (QStringLiteral("cmd.exe: ") + message + u'\n').toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

} // namespace batch
