#include "installer/Unit1.h"

#include "installer/DesktopEntry.h"
#include "installer/EngineSetup.h"
#include "installer/InstallMarker.h"
#include "installer/UserFolders.h"
#include "platform/FileNames.h"
#include "platform/Messages.h"
#include "platform/Shell.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

TForm1* Form1 = nullptr;

namespace {

// The files every install writes, in this order; `data` files of an earlier install are kept.
struct InstalledFile {
    const char* resource;
    const char* name;
    bool data;
};

const InstalledFile installedFiles[] = {
    {"exe", "Zelmar.exe", false}, {"del", "Uninstall.exe", false}, {"db1", "kassa.db", true},
    {"db2", "oper.db", true},     {"db3", "realizators.db", true}, {"db4", "tovar.db", true},
    {"db5", "info.db", true},     {"ini", "Zelmar.ini", true},     {"chm", "Zelmar.chm", false},
    {"bcp", "bcp.dll", false},    {"cmd", "cmd.exe", false},
};

QString chooseWithDialog(QWidget* owner) {
    return QFileDialog::getExistingDirectory(owner, QStringLiteral("Выбор прапки"), QStringLiteral("/"),
                                             QFileDialog::ShowDirsOnly);
}

} // namespace

TForm1::TForm1(const Payload& payload, QWidget* parent)
    : QDialog(parent), chooseFolder(chooseWithDialog),
      extractor(payload, [this](const QString& line) { log(line); }) {
    Form1 = this;
    setWindowTitle(QStringLiteral("Установка программы \"Зелмар\""));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    Label1 = new QLabel(QStringLiteral("Выберите каталог, куда Вы хотите установить \"Зелмар\". Если Вас не "
                                       "устраивает предложенный каталог, нажмите кнопку \"Обзор\" и выберите "
                                       "другой."),
                        this);
    Label1->setWordWrap(true);
    GroupBox1 = new QGroupBox(QStringLiteral("Каталог Установки"), this);
    Edit1 = new QLineEdit(defaultFolder(), GroupBox1);
    Edit1->setReadOnly(true);
    Button1 = new QPushButton(QStringLiteral("Обзор..."), GroupBox1);
    auto* folderRow = new QHBoxLayout(GroupBox1);
    folderRow->addWidget(Edit1, 1);
    folderRow->addWidget(Button1);

    CheckBox1 = new QCheckBox(QStringLiteral("Создать ярлык на рабочем столе"), this);
    CheckBox1->setChecked(true);
    CheckBox2 = new QCheckBox(QStringLiteral("Создать раздел в меню \"Программы\""), this);
    CheckBox2->setChecked(true);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setReadOnly(true);
    Memo1->setFocusPolicy(Qt::NoFocus);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    QPalette menuColoured = Memo1->palette();
    menuColoured.setColor(QPalette::Base, menuColoured.color(QPalette::Window));
    Memo1->setPalette(menuColoured);

    BitBtn1 =
        new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("Установить"), this);
    BitBtn1->setDefault(true);
    BitBtn2 =
        new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("Выход"), this);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(GroupBox1);
    layout->addWidget(CheckBox1);
    layout->addWidget(CheckBox2);
    layout->addWidget(Memo1, 1);
    layout->addLayout(buttons);

    const std::pair<QWidget*, const char*> names[] = {
        {Label1, "Label1"},   {GroupBox1, "GroupBox1"}, {Edit1, "Edit1"},
        {Button1, "Button1"}, {CheckBox1, "CheckBox1"}, {CheckBox2, "CheckBox2"},
        {Memo1, "Memo1"},     {BitBtn1, "BitBtn1"},     {BitBtn2, "BitBtn2"}};
    for (const auto& [widget, name] : names)
        widget->setObjectName(QLatin1String(name));

    connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm1::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm1::BitBtn2Click);

    setFixedSize(520, 440);
}

TForm1::~TForm1() {
    if (Form1 == this)
        Form1 = nullptr;
}

QString TForm1::defaultFolder() {
    return QDir::homePath() + QStringLiteral("/Zelmar");
}

QString TForm1::installFolderFor(const QString& chosen) {
    if (chosen.isEmpty())
        return defaultFolder();
    if (chosen.endsWith(u'/'))
        return chosen + QStringLiteral("Zelmar");
    return chosen + QStringLiteral("/Zelmar");
}

void TForm1::Button1Click() {
    Edit1->setText(installFolderFor(chooseFolder(this)));
}

// Leaving the window ends the installer (it is its only window).
void TForm1::BitBtn2Click() {
    QDialog::reject();
}

void TForm1::reject() {
    BitBtn2Click();
}

void TForm1::log(const QString& line) {
    Memo1->appendPlainText(line);
}

void TForm1::BitBtn1Click() {
    extractor.clearError();
    for (QWidget* control : {static_cast<QWidget*>(BitBtn1), static_cast<QWidget*>(Button1),
                             static_cast<QWidget*>(CheckBox1), static_cast<QWidget*>(CheckBox2)})
        control->setEnabled(false);
    const QString folder = Edit1->text();
    createFolder(folder);
    extractFiles(folder);
    EngineSetup::run(extractor, folder);
    if (CheckBox1->isChecked())
        createDesktopShortcut(folder);
    if (CheckBox2->isChecked())
        createMenuShortcuts(folder);
    Memo1->verticalScrollBar()->setValue(0);
    report(folder);
}

void TForm1::createFolder(const QString& folder) {
    log(QStringLiteral("Создание папки назначения..."));
    // One level only: a folder whose parent is missing shows up as failed extractions.
    QDir().mkdir(folder);
    // The mark is what later allows the uninstaller to remove this folder.
    InstallMarker::write(folder);
    log(QStringLiteral("   ") + folder + QStringLiteral("   OK"));
}

void TForm1::extractFiles(const QString& folder) {
    log(QStringLiteral(" "));
    log(QStringLiteral("Извлечение ресурсов..."));
    for (const InstalledFile& file : installedFiles) {
        const QString target = FileNames::join(folder, QLatin1String(file.name));
        if (file.data)
            extractor.extractKeepingExisting(QLatin1String(file.resource), target);
        else
            extractor.extract(QLatin1String(file.resource), target);
    }
}

void TForm1::createDesktopShortcut(const QString& folder) {
    log(QStringLiteral(" "));
    log(QStringLiteral("Создание ярлыка на рабочем столе..."));
    const bool created = DesktopEntry::create(UserFolders::desktopShortcut(), QStringLiteral("Зелмар"),
                                              FileNames::join(folder, QStringLiteral("Zelmar.exe")));
    log(created ? QStringLiteral("   Создание прошло успешно") : QStringLiteral("   Ошибка создания"));
}

void TForm1::createMenuShortcuts(const QString& folder) {
    log(QStringLiteral(" "));
    log(QStringLiteral("Создание ярлыка в меню \"Программы\"..."));
    // The menu folder itself may be missing on a fresh account; it is the standard place.
    QDir().mkpath(UserFolders::programs());
    QDir().mkdir(UserFolders::menuFolder());
    log(QStringLiteral("   Создание папки \"Зелмар\" в меню \"Программы\"   OK"));
    const bool created =
        DesktopEntry::create(UserFolders::menuShortcut(), QStringLiteral("Зелмар"),
                             FileNames::join(folder, QStringLiteral("Zelmar.exe"))) &&
        DesktopEntry::create(UserFolders::menuUninstallShortcut(), QStringLiteral("Удаление"),
                             FileNames::join(folder, QStringLiteral("Uninstall.exe")));
    log(created ? QStringLiteral("   Создание самого ярлыка   OK")
                : QStringLiteral("   Создание самого ярлыка   ОШИБКА"));
}

void TForm1::report(const QString& folder) {
    if (extractor.failed()) {
        Messages::show(QStringLiteral("При установки программы произошли ошибки. У пользователя \"") +
                       UserFolders::logonName() + QStringLiteral("\" нет прав доступа на запись в папку \"") +
                       folder +
                       QStringLiteral("\". Или файлы в этой папке открыты другим приложением. Обратитесь к "
                                      "администратору."));
        return;
    }
    if (!Messages::ask(QStringLiteral("Зелмар"),
                       QStringLiteral("Устновка успешно завершена. Вы желаете запустить \"Зелмар\" ?")))
        return;
    Shell::startDetached(FileNames::join(folder, QStringLiteral("Zelmar.exe")), {}, folder);
    accept();
}
