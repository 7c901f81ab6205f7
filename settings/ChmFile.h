// A compiled HTML Help file (.chm) read through chmlib: its objects by path (found without regard to
// letter case), the contents file, default topic and title from its system file, and the map from
// help context numbers to topics (#IVB with #STRINGS).
#pragma once

#include <QByteArray>
#include <QHash>
#include <QMap>
#include <QString>

#include <memory>
#include <stdexcept>

struct chmFile;

class ChmError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class ChmFile {
public:
    // Throws ChmError when the file cannot be opened as a CHM file.
    explicit ChmFile(const QString& path);
    ~ChmFile();
    ChmFile(const ChmFile&) = delete;
    ChmFile& operator=(const ChmFile&) = delete;

    const QString& path() const { return filePath; }
    // The object's path as stored ("/kassa.htm"), or empty when the file holds none of that name.
    // `name` may lack the leading '/' and may carry a "#fragment" or "?query", which is ignored.
    QString find(const QString& name) const;
    // The object's bytes; throws ChmError when there is no such object or it cannot be read.
    QByteArray read(const QString& name) const;

    QString title() const { return titleText; }
    QString defaultTopic() const { return defaultTopicPath; } // stored path, may be empty
    QString contentsFile() const { return contentsPath; }     // stored path of the .hhc, may be empty
    // Context number to stored topic path.
    const QMap<int, QString>& contextMap() const { return contexts; }

    // Text of a page or contents file: UTF-8 when it reads as such, else Windows-1251.
    static QString decodeText(const QByteArray& bytes);

private:
    void indexObjects();
    void readSystem();
    void readContextMap();
    QString topicOf(const QByteArray& name) const;

    QString filePath;
    chmFile* handle = nullptr;
    QHash<QString, QString> objects; // lower-case path -> stored path
    QString titleText;
    QString defaultTopicPath;
    QString contentsPath;
    QMap<int, QString> contexts;
};
