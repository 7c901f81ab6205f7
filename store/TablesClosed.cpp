#include "store/TablesClosed.h"

#include "store/Ledger.h"

TablesClosed::TablesClosed() { Ledger::engine().closeTables(); }

TablesClosed::~TablesClosed() {
    try {
        Ledger::engine().openTables();
    } catch (const std::exception&) {
        // A table missing now is reported by the next statement that needs it.
    }
}
