#include "platform/archiver/CommandLine.h"

#include "platform/archiver/ArchiverError.h"

#include <QFile>

namespace {

std::string lower(const std::string& text) {
    std::string result = text;
    for (char& c : result) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return result;
}

[[noreturn]] void refuse(const std::string& message) {
    throw ArchiverError(ArchiverError::UserError, message + "\n" + CommandLine::usage());
}

// One switch without its leading '-'. RAR compares switch names without regard to letter case.
void applySwitch(ArchiverCommand& command, const std::string& text) {
    const std::string name = lower(text);
    if (name == "ep") {
        command.excludePaths = true;
    } else if (name == "y" || name == "o+") {
        // Assume Yes / overwrite: extraction always overwrites and never asks.
    } else if (name.size() == 2 && name[0] == 'm' && name[1] >= '0' && name[1] <= '5') {
        command.method = name[1] - '0';
    } else if (name == "p-") {
        command.password.reset();
    } else if (name.rfind("hp", 0) == 0 || name.rfind("p", 0) == 0) {
        // -hp encrypts data and headers in RAR, -p the data only; ZIP encrypts the data either way.
        const std::string value = text.substr(name.rfind("hp", 0) == 0 ? 2 : 1);
        if (value.empty())
            refuse("switch -" + text + ": the password must follow the switch (no prompt is offered)");
        command.password = value;
    } else {
        refuse("unknown switch -" + text);
    }
}

} // namespace

const char* CommandLine::usage() {
    return "usage: bcp a [-ep] [-m0..-m5] [-y] [-hp<password>] <archive> <files...>\n"
           "       bcp e [-y] [-hp<password>] <archive>";
}

ArchiverCommand CommandLine::parse(const std::vector<std::string>& args) {
    ArchiverCommand command;
    std::vector<std::string> words;
    bool switches = true;
    bool haveCommand = false;
    for (const std::string& arg : args) {
        if (arg.empty())
            continue;
        if (!haveCommand) {
            const std::string name = lower(arg);
            if (name == "a")
                command.kind = ArchiverCommand::Kind::Add;
            else if (name == "e")
                command.kind = ArchiverCommand::Kind::Extract;
            else
                refuse("unknown command '" + arg + "'");
            haveCommand = true;
            continue;
        }
        if (switches && arg == "--") {
            switches = false;
        } else if (switches && arg.size() > 1 && arg[0] == '-') {
            applySwitch(command, arg.substr(1));
        } else {
            words.push_back(arg);
        }
    }
    if (!haveCommand)
        refuse("no command given");
    if (words.empty())
        refuse("no archive name given");
    command.archive = QFile::decodeName(QByteArray::fromStdString(words.front()));
    for (size_t i = 1; i < words.size(); ++i)
        command.patterns << QFile::decodeName(QByteArray::fromStdString(words[i]));
    if (command.kind == ArchiverCommand::Kind::Add && command.patterns.isEmpty())
        refuse("no files to add given");
    if (command.kind == ArchiverCommand::Kind::Extract && !command.patterns.isEmpty())
        refuse("extraction takes only the archive name (every entry is extracted)");
    return command;
}
