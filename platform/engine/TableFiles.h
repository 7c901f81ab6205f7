// Creates the empty table files the installer ships: one SQLite file per table holding just that
// table (and its non-unique indexes), the agents' id counter at its starting value.
#pragma once

#include "platform/engine/Catalogue.h"

#include <QString>

class TableFiles {
public:
    // Writes the empty table to `path` through a temporary file, so a failure leaves no half file.
    // Throws EngineError on failure.
    static void createEmpty(const TableDef& table, const QString& path);
};
