#include "platform/archiver/ArchiverError.h"

ArchiverError::ArchiverError(Code code, const std::string& message)
    : std::runtime_error(message), code_(code) {}
