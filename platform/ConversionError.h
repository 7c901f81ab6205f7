// Raised when text that must be a number is not one: a count that is not a whole number, a price
// that does not read in the regional number format. Its text names the value.
#pragma once

#include <QString>

#include <stdexcept>

class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(const QString& message) : std::runtime_error(message.toStdString()) {}
};
