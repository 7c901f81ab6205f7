#include "store/DefaultSettings.h"

#include "store/Settings.h"

#include <QStringList>

QByteArray DefaultSettingsFile() {
    const QStringList lines{
        QStringLiteral("[Color]"),     QStringLiteral("Cl1=16777215"), QStringLiteral("Cl2=15724527"),
        QStringLiteral("Cl3=8421376"), QStringLiteral("Cl4=16777215"), QStringLiteral("Cl5=0"),
        QStringLiteral("Cl6=12632256"), QString(),                      QStringLiteral("[Money]"),
        QStringLiteral("Labor Rate="), QStringLiteral("Percent="),      QString(),
        QStringLiteral("[Security]"),  QStringLiteral("Pwd=") + PasswordDigest(QString()),
        QString(),                     QStringLiteral("[Other]"),       QStringLiteral("Bc=30"),
    };
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toLatin1() + "\r\n";
    return bytes;
}
