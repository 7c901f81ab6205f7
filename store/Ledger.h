// The ledger of this run: the engine over the five table files of the working folder, and the work
// query through which every statement whose result is not displayed runs. The main window installs
// its own work query (Query3) when it exists; until then, and in tools and tests, the store's own
// query serves.
#pragma once

#include "platform/engine/Engine.h"
#include "platform/engine/Query.h"

class Ledger {
public:
    // Sets up the engine over `folder`; the table handles are not opened yet.
    static void open(const QString& folder);
    static void close();
    static bool isOpen();
    static Engine& engine();

    static Query& workQuery();
    // The main window's query becomes the work query; nullptr gives back the store's own.
    static void setWorkQuery(Query* query);
};
