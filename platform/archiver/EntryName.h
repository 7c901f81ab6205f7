// The name under which an archive entry is extracted: always its base name in the working folder
// ("data/oper.db" gives "oper.db", as RAR's "e" does). A name that is empty, absolute ("/etc/x",
// "\x", "C:x"), contains a ".." component (with '/' or '\' as separator), or whose base name is empty,
// "." or ".." is refused: such an entry could only be meant to land outside the working folder.
#pragma once

#include <QString>

#include <string>

class EntryName {
public:
    // The base name to extract to; throws ArchiverError when the stored name is refused.
    static QString target(const std::string& stored);
    // The same test without throwing: an empty text means refused, and `why` says why.
    static QString check(const std::string& stored, std::string* why);
};
