// The installer's window: the installation folder, the two shortcut choices, the log of the install
// and the buttons that run it or leave. One install per start of the installer.
#pragma once

#include "installer/Extractor.h"
#include "installer/Payload.h"

#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <functional>

class TForm1 : public QDialog {
    Q_OBJECT

public:
    explicit TForm1(const Payload& payload, QWidget* parent = nullptr);
    ~TForm1() override;

    // The folder offered at start and after a cancelled choice.
    static QString defaultFolder();
    // The installation folder for a folder the user chose: always its subfolder Zelmar.
    static QString installFolderFor(const QString& chosen);

    void Button1Click();
    void BitBtn1Click();
    void BitBtn2Click();
    void reject() override;

    // Asks the user for a folder; an empty answer is a cancelled choice. Tests replace it.
    std::function<QString(QWidget* owner)> chooseFolder;

    QLabel* Label1;
    QGroupBox* GroupBox1;
    QLineEdit* Edit1;
    QPushButton* Button1;
    QCheckBox* CheckBox1;
    QCheckBox* CheckBox2;
    QPlainTextEdit* Memo1;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;

private:
    void log(const QString& line);
    void createFolder(const QString& folder);
    void extractFiles(const QString& folder);
    void createDesktopShortcut(const QString& folder);
    void createMenuShortcuts(const QString& folder);
    void report(const QString& folder);

    Extractor extractor;
};

extern TForm1* Form1;
