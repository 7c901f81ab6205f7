// The help window: the contents of a CHM file (from its .hhc) beside its pages, which are shown by
// stored path or by help context number; links are followed inside the file.
#pragma once

#include <QWidget>

#include <memory>

class ChmBrowser;
class ChmFile;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

class HelpViewer : public QWidget {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* parent = nullptr);
    ~HelpViewer() override;

    // Opens (or opens again) the file and lists its contents; throws ChmError when it cannot be read.
    void open(const QString& path);
    QString filePath() const;

    // The default topic (else the first page of the contents), with the contents listed.
    void showContents();
    // False when the file holds no such page or no topic of that number.
    bool showPage(const QString& name);
    bool showContext(int context);
    // Stored path of the page shown ("/kassa.htm"), empty before any.
    QString currentPage() const;

    QTreeWidget* Contents;
    ChmBrowser* Browser;
    QPushButton* BackButton;
    QPushButton* ForwardButton;

private:
    void fillContents(const QString& hhc);
    void selectContentsEntry(const QString& storedPath);
    void ContentsItemActivated(QTreeWidgetItem* item);

    std::unique_ptr<ChmFile> chm;
};
