#include "settings/ChmBrowser.h"

#include "settings/ChmFile.h"

#include <QTextDocument>

ChmBrowser::ChmBrowser(QWidget* parent) : QTextBrowser(parent) {
    setOpenLinks(true);
    setOpenExternalLinks(false);
}

void ChmBrowser::setFile(const ChmFile* file) {
    chm = file;
    clearHistory();
    clear();
}

QUrl ChmBrowser::addressOf(const QString& storedPath) {
    QUrl url;
    url.setScheme(QStringLiteral("chm"));
    url.setPath(storedPath.startsWith(QLatin1Char('/')) ? storedPath : QLatin1Char('/') + storedPath);
    return url;
}

// A page the file does not hold (or a link out of it) shows a short note instead of an empty view.
QVariant ChmBrowser::loadResource(int type, const QUrl& name) {
    const bool inFile = name.scheme() == QLatin1String("chm") || name.scheme().isEmpty();
    if (chm && inFile && !chm->find(name.path()).isEmpty()) {
        const QByteArray bytes = chm->read(name.path());
        if (type == QTextDocument::ImageResource || type == QTextDocument::StyleSheetResource)
            return type == QTextDocument::ImageResource ? QVariant(bytes)
                                                        : QVariant(ChmFile::decodeText(bytes));
        return ChmFile::decodeText(bytes);
    }
    if (type == QTextDocument::ImageResource || type == QTextDocument::StyleSheetResource)
        return QVariant();
    return QStringLiteral("<html><body><p>Страница «%1» не найдена в файле справки.</p></body></html>")
        .arg(name.toString().toHtmlEscaped());
}
