// Build tool: writes the files every new program folder starts from, into the folder given as its
// argument: the five empty table files and the default settings file Zelmar.ini (Windows-1251,
// CR LF after every line, the digest of the empty password).
#include "platform/engine/Catalogue.h"
#include "platform/engine/EngineError.h"
#include "platform/engine/TableFiles.h"
#include "store/DefaultSettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QSaveFile>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    try {
        for (const TableDef& table : Catalogue::tables())
            TableFiles::createEmpty(table, QDir(folder).filePath(table.fileName));
    } catch (const EngineError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    QSaveFile ini(QDir(folder).filePath(QStringLiteral("Zelmar.ini")));
    if (!ini.open(QIODevice::WriteOnly) || ini.write(DefaultSettingsFile()) < 0 || !ini.commit()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(ini.fileName()));
        return 1;
    }
    return 0;
}
