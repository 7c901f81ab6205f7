// The RAR-style command line of the archiver, taken as an argument vector:
//   a [-ep] [-m0..-m5] [-y] [-hp<pwd>|-p<pwd>] <archive> <file patterns...>   create or update
//   e [-y] [-hp<pwd>|-p<pwd>] <archive>                                         extract without paths
// Commands and switch names in any letter case (as RAR takes them); the password keeps its case.
// Switches may stand anywhere before "--"; empty arguments are ignored.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <vector>

struct ArchiverCommand {
    enum class Kind { Add, Extract };

    Kind kind = Kind::Add;
    bool excludePaths = false;           // -ep: names stored without their folder
    int method = 3;                      // -m0 (store) .. -m5 (best); RAR's default is 3
    std::optional<std::string> password; // -hp<pwd> or -p<pwd>, bytes as given
    QString archive;                     // as given, '\' or '/' separators
    QStringList patterns;                // file patterns of "a"
};

class CommandLine {
public:
    // Throws ArchiverError (UserError) with a clear message when the command line is wrong.
    static ArchiverCommand parse(const std::vector<std::string>& args);

    static const char* usage();
};
