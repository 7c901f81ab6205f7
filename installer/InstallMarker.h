// The mark an install leaves in its folder: a file naming the folder it was written into. The
// uninstaller removes a folder as a whole, so it acts only on a folder that carries the mark and whose
// own path the mark names (a copied or moved folder, or the uninstaller copied elsewhere, is refused).
#pragma once

#include <QString>

class InstallMarker {
public:
    static QString fileName() { return QStringLiteral(".zelmar-installation"); }

    // Writes the mark into `folder`; false when it cannot be written.
    static bool write(const QString& folder);
    // True when `folder` holds a mark naming `folder` itself.
    static bool matches(const QString& folder);
};
