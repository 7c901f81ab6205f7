#include "settings/Unit9.h"

#include "store/LedgerDialog.h"
#include "store/WindowParts.h"

#include "platform/HelpContext.h"
#include "platform/Messages.h"
#include "platform/NumberText.h"
#include "platform/RegionalSettings.h"
#include "store/FilteredLineEdit.h"
#include "store/ProgramState.h"
#include "store/Settings.h"
#include "store/procedures.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

TForm9* Form9 = nullptr;

namespace {

const QString kMoney = QStringLiteral("Money");
const QString kRate = QStringLiteral("Labor Rate");
const QString kPercent = QStringLiteral("Percent");

FilteredLineEdit* moneyBox(const char* name, QWidget* parent) { return FilteredLineEdit::moneyBox(parent, name); }

} // namespace

TForm9::TForm9(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form9"));
    setWindowTitle(QStringLiteral("Настройка зарплаты"));
    WindowParts::useDialogFrame(this);

    Edit1 = moneyBox("Edit1", this);
    Edit2 = moneyBox("Edit2", this);
    Edit2->setMaxLength(5);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setPlainText(
        QStringLiteral("Зарплата вычисляется по формуле:\n\n\"Ставка\"+\"Касса\" Х \"Процент\" / 100"));
    Memo1->setReadOnly(true);
    Memo1->setEnabled(false);
    Memo1->setFrameShape(QFrame::NoFrame);
    Memo1->setFixedHeight(60);
    QPalette palette = Memo1->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::Base, palette.color(group, QPalette::Window));
    Memo1->setPalette(palette);

    BitBtn1 = new QPushButton(QStringLiteral("Сохранить"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn1->setEnabled(false);
    BitBtn2 = new QPushButton(QStringLiteral("Выход"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setAutoDefault(false);

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Ставка (грн):"), this), 0, 0);
    layout->addWidget(Edit1, 0, 1);
    layout->addWidget(new QLabel(QStringLiteral("Проценты (%):"), this), 1, 0);
    layout->addWidget(Edit2, 1, 1);
    layout->addWidget(Memo1, 2, 0, 1, 2);
    layout->addWidget(BitBtn1, 3, 0);
    layout->addWidget(BitBtn2, 3, 1);
    setFixedSize(sizeHint().expandedTo(QSize(300, 0)));
    LedgerDialog::centreOnDesktop(this);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, &TForm9::Timer1Timer);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm9::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm9::BitBtn2Click);

    HelpContext::set(this, 13);
    for (QWidget* child : findChildren<QWidget*>())
        HelpContext::set(child, 13);
    Form9 = this;
}

bool TForm9::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate)
        FormActivate();
    return QDialog::event(e);
}

void TForm9::FormActivate() {
    if (!Timer1->isActive())
        Timer1->start();
    Edit1->setText(ReadSetting(kMoney, kRate));
    Edit2->setText(ReadSetting(kMoney, kPercent));
    Edit1->setFocus();
}

bool TForm9::inputComplete() const {
    double rate = 0;
    double percent = 0;
    // Text pasted into a box can still fail to read as a number; such text is never stored.
    return NumberText::read(Edit1->text(), &rate) && NumberText::read(Edit2->text(), &percent) &&
           percent <= 100;
}

void TForm9::Timer1Timer() {
    BitBtn1->setEnabled(inputComplete());
}

void TForm9::BitBtn1Click() {
    // The boxes may have changed since the last tick enabled the button.
    if (!inputComplete()) {
        BitBtn1->setEnabled(false);
        Messages::show(QStringLiteral("Введите ставку и проценты числами; проценты не больше 100."));
        return;
    }
    ExitReason = QStringLiteral("OK");
    const QString rate = Edit1->text();
    const QString percent = Edit2->text();
    WriteSetting(kMoney, kRate, rate);
    WriteSetting(kMoney, kPercent, percent);
    State().laborRate = rate;
    State().percent = percent;
    Messages::show(QStringLiteral("Зарплата успешно сохранена."));
    close();
}

void TForm9::BitBtn2Click() {
    ExitReason = QStringLiteral("Cancel");
    close();
}

void TForm9::reject() {
    BitBtn2Click();
}

bool TForm9::FormCloseQuery() {
    const QString rate = ReadSetting(kMoney, kRate);
    const QString percent = ReadSetting(kMoney, kPercent);
    if ((rate.isEmpty() || percent.isEmpty()) && ExitReason == QStringLiteral("Cancel")) {
        Messages::show(QStringLiteral("Нельзя закрыть окно, не настроив зарплату!!!"));
        return false;
    }
    return true;
}

// Every way of closing (either button, the title bar, Esc) passes the guard.
void TForm9::closeEvent(QCloseEvent* e) {
    if (!FormCloseQuery()) {
        e->ignore();
        return;
    }
    Timer1->stop();
    e->accept();
}

void TForm9::hideEvent(QHideEvent* e) {
    Timer1->stop();
    QDialog::hideEvent(e);
}
