#include "app/Unit12.h"

#include "app/Unit1.h"
#include "platform/HelpContext.h"
#include "platform/Messages.h"
#include "platform/ProgramEnd.h"
#include "store/Settings.h"
#include "store/WindowParts.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

TForm12* Form12 = nullptr;

TForm12::TForm12(QWidget* parent) : QDialog(parent) {
    Form12 = this;
    setObjectName(QStringLiteral("Form12"));
    setWindowTitle(QStringLiteral("Введите пароль"));
    WindowParts::useDialogFrame(this);
    HelpContext::set(this, 15);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setEchoMode(QLineEdit::Password);
    Edit1->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    BitBtn1 = new QPushButton(QStringLiteral("Вход"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("Выход"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    for (QWidget* w : std::initializer_list<QWidget*>{Edit1, BitBtn1, BitBtn2})
        HelpContext::set(w, 15);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm12::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm12::BitBtn2Click);
    auto* layout = new QGridLayout(this);
    layout->addWidget(Edit1, 0, 0, 1, 2);
    layout->addWidget(BitBtn1, 1, 0);
    layout->addWidget(BitBtn2, 1, 1);
    setFixedSize(260, 90);
}

void TForm12::BitBtn1Click() {
    const QString digest = PasswordDigest(Edit1->text());
    if (digest == ReadSetting(QStringLiteral("Security"), QStringLiteral("Pwd"))) {
        passed = true;
        hide();
        if (Form1) {
            Form1->show();
            Form1->activateWindow();
        }
        return;
    }
    Messages::show(QStringLiteral("Введен неправильный пароль. Повторите попытку."));
    Edit1->clear();
    Edit1->setFocus();
}

void TForm12::BitBtn2Click() { throw ProgramEnd(0); }

// Esc is "Выход".
void TForm12::reject() { BitBtn2Click(); }

// Closing the prompt by its frame would leave the program running with no window: it is "Выход".
void TForm12::closeEvent(QCloseEvent* event) {
    if (passed || !isVisible()) {
        event->accept();
        return;
    }
    event->ignore();
    BitBtn2Click();
}
