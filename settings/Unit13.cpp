#include "settings/Unit13.h"

#include "platform/Messages.h"
#include "store/FilteredLineEdit.h"
#include "store/ProgramState.h"
#include "store/Settings.h"
#include "store/WindowParts.h"
#include "store/procedures.h"

#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QToolButton>
#include <QVBoxLayout>

TForm13* Form13 = nullptr;

namespace {

const int kMaxDays = 999;

// A number of days the start-up backup can use: one to three digits.
bool IsDayCount(const QString& text) {
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,3}$"));
    return digits.match(text).hasMatch();
}

QToolButton* arrow(QWidget* parent, Qt::ArrowType type, const char* name) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setArrowType(type);
    button->setFixedSize(18, 14);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

TForm13::TForm13(QWidget* parent) : QDialog(parent) {
    Form13 = this;
    setObjectName(QStringLiteral("Form13"));
    setWindowTitle(QStringLiteral("Резервное копирование"));
    WindowParts::useDialogFrame(this);

    auto* label =
        new QLabel(QStringLiteral("Количество дней, за которые нужно хранить резервные копии"), this);
    label->setWordWrap(true);
    Edit1 = new FilteredLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setText(QStringLiteral("0"));
    Edit1->setMaxLength(3);
    QFont bold = Edit1->font();
    bold.setBold(true);
    bold.setPixelSize(16);
    Edit1->setFont(bold);
    Edit1->setKeyFilter([](const QString&, int, QChar typed) { return DigitKeyFilter(typed); });
    Edit1->setAllowed([](QChar c) { return c.isDigit() && c.unicode() < 128; });
    Edit1->installEventFilter(this);

    UpDown1 = new QWidget(this);
    UpDown1->setObjectName(QStringLiteral("UpDown1"));
    UpDown1Up = arrow(UpDown1, Qt::UpArrow, "UpDown1Up");
    UpDown1Down = arrow(UpDown1, Qt::DownArrow, "UpDown1Down");
    auto* arrows = new QVBoxLayout(UpDown1);
    arrows->setContentsMargins(0, 0, 0, 0);
    arrows->setSpacing(0);
    arrows->addWidget(UpDown1Up);
    arrows->addWidget(UpDown1Down);
    connect(UpDown1Up, &QToolButton::clicked, this, [this] { UpDown1Click(1); });
    connect(UpDown1Down, &QToolButton::clicked, this, [this] { UpDown1Click(-1); });

    BitBtn1 = new QPushButton(QStringLiteral("Сохранить"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("Отмена"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setAutoDefault(false);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm13::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm13::BitBtn2Click);

    auto* layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0, 1, 3);
    layout->addWidget(Edit1, 1, 0, 1, 2);
    layout->addWidget(UpDown1, 1, 2);
    layout->addWidget(BitBtn1, 2, 0);
    layout->addWidget(BitBtn2, 2, 1, 1, 2);
    setFixedSize(260, 130);
}

TForm13::~TForm13() {
    if (Form13 == this)
        Form13 = nullptr;
}

bool TForm13::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate)
        FormActivate();
    return QDialog::event(e);
}

bool TForm13::eventFilter(QObject* watched, QEvent* e) {
    if (watched == Edit1 && e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            UpDown1Click(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QDialog::eventFilter(watched, e);
}

void TForm13::FormActivate() {
    Edit1->setText(State().backupDays);
}

// An emptied box counts as 0; the arrows stop at the ends of the range.
void TForm13::UpDown1Click(int step) {
    const int days = IsDayCount(Edit1->text()) ? Edit1->text().toInt() : 0;
    Edit1->setText(QString::number(qBound(0, days + step, kMaxDays)));
}

// The start-up backup reads the text as a whole number of days, so an empty box is not stored.
void TForm13::BitBtn1Click() {
    const QString text = Edit1->text();
    if (!IsDayCount(text)) {
        Messages::show(QStringLiteral("Укажите количество дней: целое число от 0 до 999."));
        Edit1->setFocus();
        return;
    }
    WriteSetting(QStringLiteral("Other"), QStringLiteral("Bc"), text);
    State().backupDays = text;
    hide();
}

void TForm13::BitBtn2Click() {
    hide();
}

void TForm13::reject() {
    BitBtn2Click();
}
