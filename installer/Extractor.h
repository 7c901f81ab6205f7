// Writes payload files into the installation folder, one log line each, and keeps the extraction
// error flag of an install: set by any file that could not be written, it alone decides whether the
// install is reported as successful.
#pragma once

#include "installer/Payload.h"

#include <QString>

#include <functional>

class Extractor {
public:
    using Log = std::function<void(const QString& line)>;

    Extractor(const Payload& payload, Log log) : payload_(payload), log_(std::move(log)) {}

    void clearError() { error_ = false; }
    bool failed() const { return error_; }

    // Writes the file held under `resource` to `targetPath`, replacing a file of that name.
    bool extract(const QString& resource, const QString& targetPath);
    // As extract(), but an existing file is kept as it is: the ledger tables and the settings file of
    // an earlier installation hold the owner's data.
    bool extractKeepingExisting(const QString& resource, const QString& targetPath);

    void log(const QString& line) const { log_(line); }

private:
    const Payload& payload_;
    Log log_;
    bool error_ = false;
};
