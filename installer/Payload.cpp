#include "installer/Payload.h"

const Payload::File* Payload::find(const QString& resource) const {
    for (const File& file : files_) {
        if (file.resource.compare(resource, Qt::CaseInsensitive) == 0)
            return &file;
    }
    return nullptr;
}
