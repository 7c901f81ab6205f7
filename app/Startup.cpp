#include "app/Startup.h"

#include "app/Forms.h"
#include "app/Unit1.h"
#include "app/Unit12.h"
#include "platform/FileNames.h"
#include "platform/Messages.h"
#include "platform/ProgramEnd.h"
#include "store/Backup.h"
#include "store/Ledger.h"
#include "store/ProgramState.h"
#include "store/Settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString Startup::missingTable() {
    for (const char* name : {"realizators.db", "info.db", "tovar.db", "oper.db", "kassa.db"}) {
        if (!QFileInfo(FileNames::resolve(QDir::currentPath(), QLatin1String(name))).isFile())
            return QLatin1String(name);
    }
    return QString();
}

QString Startup::programFolderOfExecutable() {
    QString path = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
    if (path.isEmpty())
        path = QCoreApplication::applicationFilePath();
    while (!path.isEmpty() && !path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

bool Startup::run(const QString& programFolder) {
    if (!missingTable().isEmpty()) {
        Messages::show(QStringLiteral("База данный повреждена. Переустановите программу!!!"));
        return false;
    }
    State() = ProgramState();
    State().programFolder = programFolder;
    QCoreApplication::setApplicationName(QStringLiteral("Зелмар"));
    Ledger::open(QDir::currentPath());
    try {
        Forms::create();
        ProgramState& s = State();
        s.laborRate = ReadSetting(QStringLiteral("Money"), QStringLiteral("Labor Rate"));
        s.percent = ReadSetting(QStringLiteral("Money"), QStringLiteral("Percent"));
        QString* colours[] = {&s.cl1, &s.cl2, &s.cl3, &s.cl4, &s.cl5, &s.cl6};
        for (int i = 0; i < 6; ++i)
            *colours[i] = ReadSetting(QStringLiteral("Color"), QStringLiteral("cl%1").arg(i + 1));
        s.backupDays = ReadSetting(QStringLiteral("Other"), QStringLiteral("bc"));
        StartupBackup();
        if (ReadSetting(QStringLiteral("Security"), QStringLiteral("Pwd")) == PasswordDigest(QString()))
            Form1->show();
        else
            Form12->show();
        Form1->RefreshMainWindow();
    } catch (const ProgramEnd&) {
        return false;
    } catch (const std::exception& error) {
        // A table file that is not what it should be, say: nothing can run, so say why and end.
        Messages::showError(QString::fromUtf8(error.what()));
        return false;
    }
    return true;
}
