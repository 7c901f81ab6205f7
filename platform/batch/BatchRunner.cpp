#include "BatchRunner.h"

#include <cstdio>

namespace batch {

BatchRunner::BatchRunner(QStringList lines, const PathResolver& paths, Diagnostics& diagnostics,
                         LoopGuard& guard)
    : lines_(std::move(lines)), paths_(paths), diagnostics_(diagnostics), guard_(guard),
      files_(paths, diagnostics), launcher_(paths, diagnostics) {
    for (int i = 0; i < lines_.size(); ++i) {
        const QString label = CommandParser::labelOf(lines_.at(i));
        if (!label.isEmpty() && !labels_.contains(label))
            labels_.insert(label, i);
    }
}

int BatchRunner::run() {
    int line = 0;
    while (line < lines_.size()) {
        diagnostics_.setLine(line + 1);
        guard_.lineReached(line);
        Command command;
        QString error;
        int next = line + 1;
        if (!CommandParser::parse(lines_.at(line), &command, &error)) {
            diagnostics_.report(error + QStringLiteral(" — строка пропущена"));
        } else if (!execute(command, line, &next)) {
            return LoopLimit;
        }
        line = next;
    }
    diagnostics_.setLine(0);
    return copyFailed_ ? CopyFailed : Completed;
}

bool BatchRunner::execute(const Command& command, int line, int* next) {
    using Kind = Command::Kind;
    switch (command.kind) {
    case Kind::Empty:
        return true;
    case Kind::Echo: {
        const QByteArray text = (command.text + u'\n').toUtf8();
        std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
        std::fflush(stdout);
        return true;
    }
    case Kind::Goto: {
        const auto found = labels_.constFind(command.text);
        if (found == labels_.constEnd()) {
            diagnostics_.report(QStringLiteral("метка не найдена: %1").arg(command.text));
            return true;
        }
        if (!guard_.beforeJump(line, found.value())) {
            diagnostics_.report(QStringLiteral("цикл goto %1 повторяется дольше %2 с; пакетный файл прерван")
                                    .arg(command.text)
                                    .arg(guard_.limit().count() / 1000.0));
            return false;
        }
        *next = found.value();
        return true;
    }
    case Kind::IfExist:
        if (files_.exists(command.paths.at(0)) != command.negate)
            return execute(*command.then, line, next);
        return true;
    case Kind::Ren:
        files_.ren(command.paths.at(0), command.paths.at(1));
        return true;
    case Kind::Md:
        files_.md(command.paths.at(0));
        return true;
    case Kind::Rd:
        files_.rd(command.paths.at(0), command.recursive);
        return true;
    case Kind::Copy:
        if (!files_.copy(command.paths.at(0), command.paths.at(1)))
            copyFailed_ = true;
        return true;
    case Kind::Move:
        if (!files_.move(command.paths.at(0), command.paths.at(1)))
            copyFailed_ = true;
        return true;
    case Kind::Del:
        files_.del(command.paths.at(0));
        return true;
    case Kind::Program:
        launcher_.run(command.program, command.arguments, &lastExitStatus_);
        return true;
    }
    return true;
}

} // namespace batch
