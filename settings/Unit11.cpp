#include "settings/Unit11.h"

#include "platform/HelpContext.h"
#include "platform/Messages.h"
#include "store/Settings.h"
#include "store/WindowParts.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TForm11* Form11 = nullptr;

namespace {

QLineEdit* passwordBox(QWidget* parent, const char* name) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setEchoMode(QLineEdit::Password);
    box->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    return box;
}

} // namespace

TForm11::TForm11(QWidget* parent) : QDialog(parent) {
    Form11 = this;
    setObjectName(QStringLiteral("Form11"));
    setWindowTitle(QStringLiteral("Изменение пароля"));
    WindowParts::useDialogFrame(this);
    HelpContext::set(this, 15);

    Edit3 = passwordBox(this, "Edit3");
    Edit1 = passwordBox(this, "Edit1");
    Edit2 = passwordBox(this, "Edit2");
    Label3 = new QLabel(QStringLiteral("Старый пароль:"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    auto* label1 = new QLabel(QStringLiteral("Новый пароль:"), this);
    auto* label2 = new QLabel(QStringLiteral("Подтверждение:"), this);
    Label3->setBuddy(Edit3);
    label1->setBuddy(Edit1);
    label2->setBuddy(Edit2);
    BitBtn1 = new QPushButton(QStringLiteral("Сохранить"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("Отмена"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setAutoDefault(false);
    for (QWidget* w :
         std::initializer_list<QWidget*>{Edit1, Edit2, Edit3, Label3, label1, label2, BitBtn1, BitBtn2})
        HelpContext::set(w, 15);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm11::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm11::BitBtn2Click);

    auto* layout = new QGridLayout(this);
    layout->addWidget(Label3, 0, 0);
    layout->addWidget(Edit3, 0, 1, 1, 2);
    layout->addWidget(label1, 1, 0);
    layout->addWidget(Edit1, 1, 1, 1, 2);
    layout->addWidget(label2, 2, 0);
    layout->addWidget(Edit2, 2, 1, 1, 2);
    layout->addWidget(BitBtn1, 3, 1);
    layout->addWidget(BitBtn2, 3, 2);
    setFixedSize(320, 150);
}

TForm11::~TForm11() {
    if (Form11 == this)
        Form11 = nullptr;
}

bool TForm11::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate)
        FormActivate();
    return QDialog::event(e);
}

// The old password is asked for while the stored digest is not that of the empty password.
void TForm11::FormActivate() {
    passwordSet = ReadSetting(QStringLiteral("Security"), QStringLiteral("Pwd")) != PasswordDigest(QString());
    Label3->setEnabled(passwordSet);
    Edit3->setEnabled(passwordSet);
    if (!passwordSet)
        Edit3->clear();
}

// Compared with the digest stored now, not the one seen at activation.
bool TForm11::oldPasswordMatches() {
    if (!passwordSet)
        return true;
    return PasswordDigest(Edit3->text()) == ReadSetting(QStringLiteral("Security"), QStringLiteral("Pwd"));
}

void TForm11::BitBtn1Click() {
    if (!oldPasswordMatches()) {
        Messages::show(QStringLiteral("Старый пароль введен неправильно. Повторите попытку."));
        Edit3->clear();
        Edit3->setFocus();
        return;
    }
    const QString password = Edit1->text();
    if (password != Edit2->text()) {
        Messages::show(QStringLiteral("Подтверждение не совпадает с новым паролем. Повторите попытку"));
        Edit1->clear();
        Edit2->clear();
        Edit1->setFocus();
        return;
    }
    WriteSetting(QStringLiteral("Security"), QStringLiteral("Pwd"), PasswordDigest(password));
    if (!password.isEmpty())
        Messages::show(QStringLiteral("Пароль был успешно сохранен."));
    else
        Messages::show(
            QStringLiteral("Пароль был удален. Теперь при запуске программы пароль не нужно будет вводить."));
    Edit1->clear();
    Edit2->clear();
    Edit3->clear();
    hide();
}

// The new password boxes keep what was typed; the old password does not stay behind for the next
// person at the keyboard.
void TForm11::BitBtn2Click() {
    Edit3->clear();
    hide();
}

void TForm11::reject() {
    BitBtn2Click();
}
