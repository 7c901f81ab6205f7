#include "platform/engine/EngineError.h"

EngineError::EngineError(const QString& message) : std::runtime_error(message.toStdString()) {}

QString EngineError::message() const { return QString::fromUtf8(what()); }
