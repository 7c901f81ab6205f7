// bcp: Zelmar's console archiver, installed in the program folder as bcp.dll. It takes the RAR-style
// command lines of the start-up backup and the restore and writes ZIP archives encrypted
// with AES-256. Exit status 0 on success; on failure one line on standard error and a RAR exit code.
#include "platform/archiver/ArchiveExtractor.h"
#include "platform/archiver/ArchiveWriter.h"
#include "platform/archiver/ArchiverError.h"
#include "platform/archiver/CommandLine.h"
#include "platform/archiver/FileFinder.h"

#include <QFile>

#include <clocale>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

namespace {

void add(const ArchiverCommand& command) {
    std::vector<FoundFile> files;
    for (const QString& pattern : command.patterns) {
        const std::vector<FoundFile> found = FileFinder::find(pattern);
        if (found.empty())
            std::fprintf(stderr, "bcp: warning: no file matches '%s'\n",
                         QFile::encodeName(pattern).constData());
        files.insert(files.end(), found.begin(), found.end());
    }
    ArchiveWriter::Options options;
    options.method = command.method;
    options.password = command.password;
    options.storePaths = !command.excludePaths;
    ArchiveWriter(command.archive, options).write(files);
}

} // namespace

int main(int argc, char** argv) {
    // File names and archive entry names are UTF-8, whatever locale the caller left us.
    if (std::setlocale(LC_CTYPE, "C.UTF-8") == nullptr)
        std::setlocale(LC_CTYPE, "");
    const std::vector<std::string> args(argv + 1, argv + argc);
    try {
        const ArchiverCommand command = CommandLine::parse(args);
        if (command.kind == ArchiverCommand::Kind::Add)
            add(command);
        else
            ArchiveExtractor(command.archive, command.password).extractAll();
        return 0;
    } catch (const ArchiverError& error) {
        std::fprintf(stderr, "bcp: %s\n", error.what());
        return error.exitCode();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bcp: %s\n", error.what());
        return ArchiverError::Fatal;
    }
}
