#include "installer/EngineSetup.h"

#include "platform/FileNames.h"

#include <QFile>

#include <dlfcn.h>

bool EngineSetup::present(const QString& library) {
    void* handle = ::dlopen(QFile::encodeName(library).constData(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr)
        return false;
    using Version = int (*)();
    const auto version = reinterpret_cast<Version>(::dlsym(handle, "sqlite3_libversion_number"));
    const bool usable = version != nullptr && version() >= 3000000;
    ::dlclose(handle);
    return usable;
}

void EngineSetup::run(Extractor& extractor, const QString& folder, const QString& library) {
    extractor.log(QStringLiteral(" "));
    extractor.log(QStringLiteral("Установка BDE..."));
    if (present(library)) {
        extractor.log(QStringLiteral("   BDE уже установлено"));
        return;
    }
    extractor.extract(QStringLiteral("dl1"), FileNames::join(folder, libraryName()));
}
