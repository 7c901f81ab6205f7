// Names in the program folder are found without regard to letter case, as on the file system the
// ledger was made for: "zelmar.chm" finds "Zelmar.chm", "realizators.DB" finds "realizators.db".
#pragma once

#include <QString>

class FileNames {
public:
    // The path of the entry of `folder` whose name equals `name` ignoring letter case; the exact
    // spelling is preferred. When none exists, folder joined with name as given.
    static QString resolve(const QString& folder, const QString& name);
    // Joins a folder and a relative name with exactly one '/'.
    static QString join(const QString& folder, const QString& name);
};
