#include "settings/HelpViewer.h"

#include "settings/ChmBrowser.h"
#include "settings/ChmFile.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QRegularExpression>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const int kPathRole = Qt::UserRole;

QString unescapeHtml(QString text) {
    text.replace(QLatin1String("&quot;"), QLatin1String("\""));
    text.replace(QLatin1String("&lt;"), QLatin1String("<"));
    text.replace(QLatin1String("&gt;"), QLatin1String(">"));
    text.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return text;
}

QString attribute(const QString& attributes, const QString& name) {
    static const QRegularExpression pair(QStringLiteral("(\\w+)\\s*=\\s*\"([^\"]*)\""));
    for (auto it = pair.globalMatch(attributes); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(1).compare(name, Qt::CaseInsensitive) == 0)
            return unescapeHtml(m.captured(2));
    }
    return QString();
}

} // namespace

HelpViewer::HelpViewer(QWidget* parent) : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(QStringLiteral("Справка"));
    Contents = new QTreeWidget(this);
    Contents->setObjectName(QStringLiteral("Contents"));
    Contents->setHeaderHidden(true);
    Browser = new ChmBrowser(this);
    Browser->setObjectName(QStringLiteral("Browser"));
    BackButton = new QPushButton(QStringLiteral("Назад"), this);
    ForwardButton = new QPushButton(QStringLiteral("Вперед"), this);
    BackButton->setEnabled(false);
    ForwardButton->setEnabled(false);
    connect(BackButton, &QPushButton::clicked, Browser, &QTextBrowser::backward);
    connect(ForwardButton, &QPushButton::clicked, Browser, &QTextBrowser::forward);
    connect(Browser, &QTextBrowser::backwardAvailable, BackButton, &QPushButton::setEnabled);
    connect(Browser, &QTextBrowser::forwardAvailable, ForwardButton, &QPushButton::setEnabled);
    connect(Contents, &QTreeWidget::itemActivated, this, &HelpViewer::ContentsItemActivated);
    connect(Contents, &QTreeWidget::itemClicked, this, &HelpViewer::ContentsItemActivated);
    connect(Browser, &QTextBrowser::sourceChanged, this,
            [this](const QUrl& url) { selectContentsEntry(url.path()); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BackButton);
    buttons->addWidget(ForwardButton);
    buttons->addStretch();
    auto* splitter = new QSplitter(this);
    splitter->addWidget(Contents);
    splitter->addWidget(Browser);
    splitter->setStretchFactor(1, 3);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(splitter);
    resize(820, 560);
}

HelpViewer::~HelpViewer() = default;

void HelpViewer::open(const QString& path) {
    auto file = std::make_unique<ChmFile>(path);
    Browser->setFile(file.get());
    chm = std::move(file);
    setWindowTitle(chm->title().isEmpty() ? QStringLiteral("Справка") : chm->title());
    Contents->clear();
    if (!chm->contentsFile().isEmpty())
        fillContents(ChmFile::decodeText(chm->read(chm->contentsFile())));
}

QString HelpViewer::filePath() const {
    return chm ? chm->path() : QString();
}

// The sitemap of a .hhc: nested <UL> lists of <OBJECT type="text/sitemap"> entries, each with
// "Name" and "Local" parameters; a list nests under the entry before it.
void HelpViewer::fillContents(const QString& hhc) {
    static const QRegularExpression tag(QStringLiteral("<(/?)(ul|object|param)\\b([^>]*)>"),
                                        QRegularExpression::CaseInsensitiveOption);
    QList<QTreeWidgetItem*> parents;
    QTreeWidgetItem* last = nullptr;
    bool inEntry = false;
    QString name;
    QString local;
    for (auto it = tag.globalMatch(hhc); it.hasNext();) {
        const auto m = it.next();
        const bool closing = !m.captured(1).isEmpty();
        const QString kind = m.captured(2).toLower();
        if (kind == QLatin1String("ul")) {
            if (!closing)
                parents.append(last);
            else if (!parents.isEmpty())
                parents.removeLast();
        } else if (kind == QLatin1String("object")) {
            if (!closing) {
                inEntry = attribute(m.captured(3), QStringLiteral("type"))
                              .compare(QLatin1String("text/sitemap"), Qt::CaseInsensitive) == 0;
                name.clear();
                local.clear();
            } else if (inEntry) {
                QTreeWidgetItem* parent = parents.isEmpty() ? nullptr : parents.last();
                last = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(Contents);
                last->setText(0, name);
                last->setData(0, kPathRole, chm->find(local));
                inEntry = false;
            }
        } else if (inEntry) {
            const QString param = attribute(m.captured(3), QStringLiteral("name"));
            if (param.compare(QLatin1String("Name"), Qt::CaseInsensitive) == 0)
                name = attribute(m.captured(3), QStringLiteral("value"));
            else if (param.compare(QLatin1String("Local"), Qt::CaseInsensitive) == 0)
                local = attribute(m.captured(3), QStringLiteral("value"));
        }
    }
    Contents->expandAll();
}

void HelpViewer::showContents() {
    if (!chm)
        return;
    QString page = chm->defaultTopic();
    if (page.isEmpty() && Contents->topLevelItemCount() > 0)
        page = Contents->topLevelItem(0)->data(0, kPathRole).toString();
    if (!page.isEmpty())
        showPage(page);
}

bool HelpViewer::showPage(const QString& name) {
    if (!chm)
        return false;
    const QString stored = chm->find(name);
    if (stored.isEmpty())
        return false;
    Browser->setSource(ChmBrowser::addressOf(stored), QTextDocument::HtmlResource);
    return true;
}

bool HelpViewer::showContext(int context) {
    if (!chm || !chm->contextMap().contains(context))
        return false;
    return showPage(chm->contextMap().value(context));
}

QString HelpViewer::currentPage() const {
    return Browser->source().path();
}

void HelpViewer::ContentsItemActivated(QTreeWidgetItem* item) {
    const QString page = item->data(0, kPathRole).toString();
    if (!page.isEmpty() && page != currentPage())
        showPage(page);
}

// A book of the contents may open at the page of its first entry; the entry itself is the one shown
// as current, and it comes after its book.
void HelpViewer::selectContentsEntry(const QString& storedPath) {
    QTreeWidgetItem* entry = nullptr;
    for (QTreeWidgetItemIterator it(Contents); *it; ++it) {
        if ((*it)->data(0, kPathRole).toString() == storedPath)
            entry = *it;
    }
    if (entry)
        Contents->setCurrentItem(entry);
}
