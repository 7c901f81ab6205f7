#include "settings/Unit10.h"

#include "platform/HelpContext.h"
#include "settings/ColorBox.h"
#include "store/ColourScheme.h"
#include "store/ProgramState.h"
#include "store/Settings.h"
#include "store/WindowParts.h"

#include <QApplication>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TForm10* Form10 = nullptr;

namespace {

const char* const kDefaultColours[6] = {"16777215", "15724527", "8421376", "16777215", "0", "12632256"};

} // namespace

TForm10::TForm10(QWidget* parent) : QDialog(parent) {
    Form10 = this;
    setObjectName(QStringLiteral("Form10"));
    setWindowTitle(QStringLiteral("Настройки цвета"));
    WindowParts::useDialogFrame(this);
    HelpContext::set(this, 14);

    ColorBox** boxes[6] = {&ColorBox1, &ColorBox2, &ColorBox3, &ColorBox4, &ColorBox5, &ColorBox6};
    for (int i = 0; i < 6; ++i) {
        *boxes[i] = new ColorBox(this);
        (*boxes[i])->setObjectName(QStringLiteral("ColorBox%1").arg(i + 1));
    }
    const struct {
        const char* caption;
        ColorBox* box;
    } rows[] = {{"Четная строка таблицы", ColorBox1},   {"Нечетная строка таблицы", ColorBox2},
                {"Курсор активной таблицы", ColorBox3}, {"Курсор неактивной таблицы", ColorBox6},
                {"Шрифт под курсором", ColorBox4},      {"Шрифт вне курсора", ColorBox5}};
    auto* grid = new QGridLayout;
    int row = 0;
    for (const auto& r : rows) {
        auto* label = new QLabel(QString::fromUtf8(r.caption), this);
        label->setBuddy(r.box);
        HelpContext::set(label, 14);
        HelpContext::set(r.box, 14);
        grid->addWidget(label, row, 0);
        grid->addWidget(r.box, row++, 1);
    }

    BitBtn1 = new QPushButton(QStringLiteral("Сохранить"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    Button1 = new QPushButton(QStringLiteral("По умолчанию"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setAutoDefault(false);
    BitBtn2 = new QPushButton(QStringLiteral("Выход"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setAutoDefault(false);
    for (QWidget* w : std::initializer_list<QWidget*>{BitBtn1, Button1, BitBtn2})
        HelpContext::set(w, 14);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm10::BitBtn1Click);
    connect(Button1, &QPushButton::clicked, this, &TForm10::Button1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm10::BitBtn2Click);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BitBtn1);
    buttons->addWidget(Button1);
    buttons->addWidget(BitBtn2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(380, 260)));
}

TForm10::~TForm10() {
    if (Form10 == this)
        Form10 = nullptr;
}

bool TForm10::event(QEvent* e) {
    if (e->type() == QEvent::WindowDeactivate) {
        inColourDialog = false;
        for (QWidget* w = QApplication::activeWindow(); w && w != this; w = w->parentWidget()) {
            if (w->parentWidget() && this->isAncestorOf(w->parentWidget()))
                inColourDialog = true;
        }
    } else if (e->type() == QEvent::WindowActivate) {
        if (!inColourDialog)
            FormActivate();
        inColourDialog = false;
    }
    return QDialog::event(e);
}

ColorBox* TForm10::box(int number) const {
    ColorBox* const boxes[6] = {ColorBox1, ColorBox2, ColorBox3, ColorBox4, ColorBox5, ColorBox6};
    return boxes[number - 1];
}

// Unsaved choices give way to the scheme in use; a hand-edited text that is no number shows as the
// colour the tables draw for it, the default.
void TForm10::FormActivate() {
    for (int n = 1; n <= 6; ++n)
        box(n)->select(ColourScheme::colour(n));
}

void TForm10::Button1Click() {
    for (int n = 1; n <= 6; ++n)
        box(n)->select(ColourScheme::fromText(QString::fromLatin1(kDefaultColours[n - 1]), QColor()));
}

// All six keys are written before the program state takes them: a refused write (the error box
// shows it) leaves the colours in use as they were and the window open.
void TForm10::BitBtn1Click() {
    QString texts[6];
    for (int n = 1; n <= 6; ++n) {
        texts[n - 1] = ColourScheme::toText(box(n)->selected());
        WriteSetting(QStringLiteral("Color"), QStringLiteral("cl%1").arg(n), texts[n - 1]);
    }
    ProgramState& s = State();
    QString* copies[6] = {&s.cl1, &s.cl2, &s.cl3, &s.cl4, &s.cl5, &s.cl6};
    for (int n = 0; n < 6; ++n)
        *copies[n] = texts[n];
    for (QWidget* w : QApplication::allWidgets())
        w->update();
    hide();
}

void TForm10::BitBtn2Click() {
    hide();
}

void TForm10::reject() {
    BitBtn2Click();
}
