#include "CommandParser.h"

namespace batch {

namespace {

bool isKeyword(const Token& token, const char* keyword) {
    return !token.quoted && token.text.compare(QLatin1String(keyword), Qt::CaseInsensitive) == 0;
}

bool isAnyKeyword(const Token& token, std::initializer_list<const char*> keywords) {
    for (const char* keyword : keywords)
        if (isKeyword(token, keyword))
            return true;
    return false;
}

// Commands of the Windows command interpreter that our batch files never use: refused by name, so
// that they are not mistaken for programs of the working folder.
bool isUnsupportedBuiltin(const Token& token) {
    return isAnyKeyword(token,
                        {"assoc", "break", "call",     "cd",     "chdir", "cls",    "color",    "date",
                         "dir",   "dpath", "endlocal", "exit",   "for",   "ftype",  "keys",     "mklink",
                         "path",  "pause", "popd",     "prompt", "pushd", "set",    "setlocal", "shift",
                         "start", "time",  "title",    "type",   "ver",   "verify", "vol"});
}

QString trimmedLeft(const QString& line) {
    qsizetype i = 0;
    while (i < line.size() && (line.at(i) == u' ' || line.at(i) == u'\t'))
        ++i;
    return line.mid(i);
}

// Splits the tokens after the command word into switches (from `allowed`, unquoted, exact) and paths.
bool takeSwitchesAndPaths(const QList<Token>& tokens, const QStringList& allowed, int pathCount,
                          QStringList* switches, QStringList* paths, QString* error) {
    for (qsizetype i = 1; i < tokens.size(); ++i) {
        const Token& token = tokens.at(i);
        bool isSwitch = false;
        if (!token.quoted) {
            for (const QString& name : allowed) {
                if (token.text.compare(name, Qt::CaseInsensitive) == 0) {
                    switches->append(name.toUpper());
                    isSwitch = true;
                    break;
                }
            }
        }
        if (!isSwitch)
            paths->append(token.text);
    }
    if (paths->size() != pathCount) {
        *error = QStringLiteral("команда %1 ожидает %2 (найдено: %3)")
                     .arg(tokens.first().text.toLower(),
                          pathCount == 1 ? QStringLiteral("один путь") : QStringLiteral("два пути"))
                     .arg(paths->size());
        return false;
    }
    for (const QString& path : *paths) {
        if (path.isEmpty()) {
            *error = QStringLiteral("команда %1: пустой путь").arg(tokens.first().text.toLower());
            return false;
        }
    }
    return true;
}

} // namespace

bool CommandParser::parse(const QString& line, Command* command, QString* error) {
    QString rest = trimmedLeft(line);
    if (rest.startsWith(u'@'))
        rest = trimmedLeft(rest.mid(1));
    if (rest.startsWith(u':')) {
        *command = Command();
        return true;
    }
    QList<Token> tokens;
    if (!CommandLine::split(rest, &tokens, error))
        return false;
    return parseTokens(tokens, command, error);
}

bool CommandParser::parseTokens(const QList<Token>& tokens, Command* command, QString* error) {
    *command = Command();
    if (tokens.isEmpty())
        return true;
    const Token& word = tokens.first();
    using Kind = Command::Kind;

    if (isKeyword(word, "rem"))
        return true;
    if (isKeyword(word, "echo")) {
        if (tokens.size() == 2 && (isKeyword(tokens.at(1), "off") || isKeyword(tokens.at(1), "on")))
            return true;
        QStringList words;
        for (qsizetype i = 1; i < tokens.size(); ++i)
            words.append(tokens.at(i).text);
        command->kind = Kind::Echo;
        command->text = words.join(u' ');
        return true;
    }
    if (isKeyword(word, "goto")) {
        if (tokens.size() != 2 || tokens.at(1).quoted) {
            *error = QStringLiteral("команда goto ожидает одну метку");
            return false;
        }
        QString label = tokens.at(1).text;
        if (label.startsWith(u':'))
            label = label.mid(1);
        if (label.isEmpty()) {
            *error = QStringLiteral("команда goto ожидает одну метку");
            return false;
        }
        command->kind = Kind::Goto;
        command->text = label.toLower();
        return true;
    }
    if (isKeyword(word, "if")) {
        qsizetype i = 1;
        if (i < tokens.size() && isKeyword(tokens.at(i), "not")) {
            command->negate = true;
            ++i;
        }
        if (i >= tokens.size() || !isKeyword(tokens.at(i), "exist")) {
            *error = QStringLiteral("поддерживается только if [not] exist <путь> <команда>");
            return false;
        }
        ++i;
        if (i >= tokens.size() || tokens.at(i).text.isEmpty()) {
            *error = QStringLiteral("if exist: нет пути");
            return false;
        }
        command->paths.append(tokens.at(i).text);
        ++i;
        if (i >= tokens.size()) {
            *error = QStringLiteral("if exist: нет команды после пути");
            return false;
        }
        auto then = std::make_shared<Command>();
        if (!parseTokens(tokens.mid(i), then.get(), error))
            return false;
        command->kind = Kind::IfExist;
        command->then = then;
        return true;
    }

    QStringList switches;
    if (isAnyKeyword(word, {"ren", "rename"})) {
        if (!takeSwitchesAndPaths(tokens, {}, 2, &switches, &command->paths, error))
            return false;
        command->kind = Kind::Ren;
        return true;
    }
    if (isAnyKeyword(word, {"md", "mkdir"})) {
        if (!takeSwitchesAndPaths(tokens, {}, 1, &switches, &command->paths, error))
            return false;
        command->kind = Kind::Md;
        return true;
    }
    if (isAnyKeyword(word, {"rd", "rmdir"})) {
        if (!takeSwitchesAndPaths(tokens, {QStringLiteral("/S"), QStringLiteral("/Q")}, 1, &switches,
                                  &command->paths, error))
            return false;
        command->kind = Kind::Rd;
        command->recursive = switches.contains(QStringLiteral("/S"));
        command->quiet = switches.contains(QStringLiteral("/Q"));
        return true;
    }
    if (isKeyword(word, "copy")) {
        if (!takeSwitchesAndPaths(tokens, {}, 2, &switches, &command->paths, error))
            return false;
        command->kind = Kind::Copy;
        return true;
    }
    if (isKeyword(word, "move")) {
        if (!takeSwitchesAndPaths(tokens, {}, 2, &switches, &command->paths, error))
            return false;
        command->kind = Kind::Move;
        return true;
    }
    if (isAnyKeyword(word, {"del", "erase"})) {
        if (!takeSwitchesAndPaths(tokens, {QStringLiteral("/Q"), QStringLiteral("/F")}, 1, &switches,
                                  &command->paths, error))
            return false;
        command->kind = Kind::Del;
        command->quiet = switches.contains(QStringLiteral("/Q"));
        return true;
    }
    if (isUnsupportedBuiltin(word)) {
        *error = QStringLiteral("команда не поддерживается: %1").arg(word.text);
        return false;
    }
    if (word.text.isEmpty()) {
        *error = QStringLiteral("пустое имя программы");
        return false;
    }
    command->kind = Kind::Program;
    command->program = word.text;
    for (qsizetype i = 1; i < tokens.size(); ++i)
        command->arguments.append(tokens.at(i).text);
    return true;
}

QString CommandParser::labelOf(const QString& line) {
    QString rest = trimmedLeft(line);
    if (!rest.startsWith(u':'))
        return {};
    rest = rest.mid(1);
    qsizetype end = 0;
    while (end < rest.size() && rest.at(end) != u' ' && rest.at(end) != u'\t')
        ++end;
    return rest.left(end).toLower();
}

} // namespace batch
