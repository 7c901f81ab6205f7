#include "settings/ChmFile.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QtEndian>

#include <chm_lib.h>

namespace {

int collectObject(chmFile*, chmUnitInfo* unit, void* context) {
    auto* objects = static_cast<QHash<QString, QString>*>(context);
    const QString path = QString::fromUtf8(unit->path);
    objects->insert(path.toLower(), path);
    return CHM_ENUMERATOR_CONTINUE;
}

quint32 readWord32(const QByteArray& bytes, qsizetype at) {
    return qFromLittleEndian<quint32>(reinterpret_cast<const uchar*>(bytes.constData()) + at);
}

quint16 readWord16(const QByteArray& bytes, qsizetype at) {
    return qFromLittleEndian<quint16>(reinterpret_cast<const uchar*>(bytes.constData()) + at);
}

// Texts inside the system file and the string table end at their first zero byte.
QString zeroEnded(const QByteArray& bytes, qsizetype from = 0, qsizetype length = -1) {
    QByteArray part = length < 0 ? bytes.mid(from) : bytes.mid(from, length);
    const qsizetype end = part.indexOf('\0');
    if (end >= 0)
        part.truncate(end);
    return ChmFile::decodeText(part);
}

} // namespace

ChmFile::ChmFile(const QString& path) : filePath(path) {
    if (!QFile::exists(path))
        throw ChmError("файл не найден");
    handle = chm_open(QFile::encodeName(path).constData());
    if (!handle)
        throw ChmError("это не файл справки CHM или он поврежден");
    indexObjects();
    readSystem();
    readContextMap();
}

ChmFile::~ChmFile() {
    if (handle)
        chm_close(handle);
}

void ChmFile::indexObjects() {
    chm_enumerate(handle, CHM_ENUMERATE_ALL, collectObject, &objects);
}

// The file's own objects ("/#SYSTEM", "/$OBJINST") begin with '#' or '$', so a fragment is cut off
// only when the whole name is not found.
QString ChmFile::find(const QString& name) const {
    QString path = name;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!path.startsWith(QLatin1Char('/')))
        path.prepend(QLatin1Char('/'));
    const QString whole = objects.value(path.toLower());
    if (!whole.isEmpty())
        return whole;
    static const QRegularExpression fragment(QStringLiteral("(?<!/)[#?].*$"));
    path.remove(fragment);
    return objects.value(path.toLower());
}

QByteArray ChmFile::read(const QString& name) const {
    const QString stored = find(name);
    chmUnitInfo unit{};
    if (stored.isEmpty() ||
        chm_resolve_object(handle, stored.toUtf8().constData(), &unit) != CHM_RESOLVE_SUCCESS)
        throw ChmError(QStringLiteral("в файле справки нет страницы %1").arg(name).toStdString());
    QByteArray bytes(qsizetype(unit.length), Qt::Uninitialized);
    if (unit.length > 0 && chm_retrieve_object(handle, &unit, reinterpret_cast<unsigned char*>(bytes.data()),
                                               0, LONGINT64(unit.length)) != LONGINT64(unit.length))
        throw ChmError(QStringLiteral("страница %1 файла справки не читается").arg(name).toStdString());
    return bytes;
}

QString ChmFile::decodeText(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder cp1251("windows-1251");
    return cp1251(bytes);
}

// The system file: a version word, then entries of code, length and data. Code 0 names the
// contents file, 2 the default topic, 3 the title.
void ChmFile::readSystem() {
    if (find(QStringLiteral("/#SYSTEM")).isEmpty())
        return;
    const QByteArray system = read(QStringLiteral("/#SYSTEM"));
    for (qsizetype at = 4; at + 4 <= system.size();) {
        const quint16 code = readWord16(system, at);
        const quint16 length = readWord16(system, at + 2);
        at += 4;
        if (at + length > system.size())
            break;
        const QString text = zeroEnded(system, at, length);
        if (code == 0)
            contentsPath = find(text);
        else if (code == 2)
            defaultTopicPath = find(text);
        else if (code == 3)
            titleText = text;
        at += length;
    }
}

// #IVB: the byte count of the pairs, then pairs of context number and offset into #STRINGS, where
// the topic's name ends at a zero byte.
void ChmFile::readContextMap() {
    if (find(QStringLiteral("/#IVB")).isEmpty() || find(QStringLiteral("/#STRINGS")).isEmpty())
        return;
    const QByteArray ivb = read(QStringLiteral("/#IVB"));
    const QByteArray strings = read(QStringLiteral("/#STRINGS"));
    if (ivb.size() < 4)
        return;
    const qsizetype end = qMin(ivb.size(), qsizetype(4 + readWord32(ivb, 0)));
    for (qsizetype at = 4; at + 8 <= end; at += 8) {
        const quint32 offset = readWord32(ivb, at + 4);
        if (offset >= quint32(strings.size()))
            continue;
        const QString topic = topicOf(strings.mid(offset));
        if (!topic.isEmpty())
            contexts.insert(int(readWord32(ivb, at)), topic);
    }
}

// Some compilers store the topic with the folder it was compiled in ("/home/.../kassa.htm"); the
// topic is the longest tail of that name that the file holds.
QString ChmFile::topicOf(const QByteArray& name) const {
    QString text = zeroEnded(name);
    text.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (!text.isEmpty()) {
        const QString stored = find(text);
        if (!stored.isEmpty())
            return stored;
        const qsizetype slash = text.indexOf(QLatin1Char('/'), 1);
        if (slash < 0)
            break;
        text = text.mid(slash);
    }
    return QString();
}
