// The database engine step of an install. The ledger reaches its tables through the system's SQLite
// library; the step loads that library the way the program's own loader does (by its soname) and,
// only when it cannot be loaded, writes the installer's copy of it beside the program.
#pragma once

#include "installer/Extractor.h"

#include <QString>

class EngineSetup {
public:
    // The library the ledger program is linked against.
    static QString libraryName() { return QStringLiteral("libsqlite3.so.0"); }

    // True when `library` loads and answers as an SQLite 3 library.
    static bool present(const QString& library);

    // Logs the step and writes the engine files into `folder` when `library` is not present.
    static void run(Extractor& extractor, const QString& folder, const QString& library = libraryName());
};
