// The page view of the help window: a text browser whose pages, images and links come from a CHM
// file (addresses "chm:/<path>"), so links between the file's pages are followed inside the file.
#pragma once

#include <QTextBrowser>

class ChmFile;

class ChmBrowser : public QTextBrowser {
    Q_OBJECT
public:
    explicit ChmBrowser(QWidget* parent = nullptr);

    void setFile(const ChmFile* file);
    // The address of a stored path ("/kassa.htm" -> "chm:/kassa.htm").
    static QUrl addressOf(const QString& storedPath);

    QVariant loadResource(int type, const QUrl& name) override;

private:
    const ChmFile* chm = nullptr;
};
