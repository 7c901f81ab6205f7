#include "store/Ledger.h"

#include "platform/engine/EngineError.h"

#include <memory>

namespace {

std::unique_ptr<Engine>& theEngine() {
    static std::unique_ptr<Engine> engine;
    return engine;
}

Query& ownQuery() {
    static Query query;
    return query;
}

Query* installedQuery = nullptr;

} // namespace

void Ledger::open(const QString& folder) {
    ownQuery().close();
    theEngine() = std::make_unique<Engine>(folder);
    ownQuery().setEngine(theEngine().get());
}

void Ledger::close() {
    ownQuery().close();
    ownQuery().setEngine(nullptr);
    theEngine().reset();
}

bool Ledger::isOpen() { return theEngine() != nullptr; }

Engine& Ledger::engine() {
    if (!theEngine())
        throw EngineError(QStringLiteral("База данных не открыта"));
    return *theEngine();
}

Query& Ledger::workQuery() { return installedQuery ? *installedQuery : ownQuery(); }

void Ledger::setWorkQuery(Query* query) { installedQuery = query; }
