// The error the statement layer raises: a refused statement or literal, a missing or foreign table
// file, or a failure of SQLite itself. Its text says what was wrong and is meant for the user.
#pragma once

#include <QString>

#include <stdexcept>

class EngineError : public std::runtime_error {
public:
    explicit EngineError(const QString& message);
    QString message() const;
};
