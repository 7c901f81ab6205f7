#include "installer/DesktopEntry.h"

#include "installer/FileWriter.h"

#include <QFileInfo>

QString DesktopEntry::escapeValue(const QString& value) {
    QString escaped;
    for (const QChar c : value) {
        switch (c.unicode()) {
        case '\\':
            escaped += QStringLiteral("\\\\");
            break;
        case '\n':
            escaped += QStringLiteral("\\n");
            break;
        case '\t':
            escaped += QStringLiteral("\\t");
            break;
        case '\r':
            escaped += QStringLiteral("\\r");
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

QString DesktopEntry::execArgument(const QString& program) {
    // Inside the double quotes of an Exec argument '"', '`', '$' and '\' take a backslash; '%' is
    // doubled because it introduces field codes. The string-value escapes apply on top of that.
    QString quoted = QStringLiteral("\"");
    for (const QChar c : program) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        if (c == u'%')
            quoted += u'%';
        quoted += c;
    }
    quoted += u'"';
    return escapeValue(quoted);
}

bool DesktopEntry::create(const QString& linkPath, const QString& name, const QString& program) {
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=") +
                         escapeValue(name) + QStringLiteral("\nExec=") + execArgument(program) +
                         QStringLiteral("\nPath=") + escapeValue(QFileInfo(program).path()) +
                         QStringLiteral("\nTerminal=false\n");
    return FileWriter::write(linkPath, text.toUtf8(), true);
}
