#include "operations/Unit2.h"

#include "platform/HelpContext.h"
#include "store/FilteredLineEdit.h"
#include "store/Ledger.h"
#include "store/MainWindowLink.h"
#include "store/ProgramState.h"
#include "store/UndoSnapshot.h"
#include "store/WindowParts.h"
#include "store/procedures.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

TForm2* Form2 = nullptr;

namespace {

bool isLatinLetter(QChar c) {
    return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
           (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
}

// А to я without Ё and ё: the 64 letters the single-byte code page keeps in one run.
bool isCyrillicLetter(QChar c) {
    return c.unicode() >= 0x0410 && c.unicode() <= 0x044F;
}

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Surname, name and patronymic.
bool nameCharacter(QChar c) {
    return c == QLatin1Char(' ') || isLatinLetter(c) || isCyrillicLetter(c);
}

bool passportCharacter(QChar c) {
    return nameCharacter(c) || isDigit(c) || c == QLatin1Char('(') || c == QLatin1Char(')');
}

bool addressCharacter(QChar c) {
    return passportCharacter(c) || c == QLatin1Char(',') || c == QLatin1Char('.');
}

// The box takes typed keys and pasted text only of its own characters, so no value can break the
// statement it is joined into.
FilteredLineEdit* makeBox(QWidget* parent, const char* name, int maxLength, bool (*accepted)(QChar)) {
    auto* box = new FilteredLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setMaxLength(maxLength);
    box->setKeyFilter([accepted](const QString&, int, QChar typed) {
        return typed == kBackspace || accepted(typed) ? typed : QChar();
    });
    box->setAllowed(accepted);
    return box;
}

QLabel* makeLabel(QWidget* parent, const char* name, const char* text) {
    return WindowParts::label(parent, name, QString::fromUtf8(text));
}

} // namespace

TForm2::TForm2(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Добавление нового реализатора"));
    WindowParts::useDialogFrame(this);

    Edit1 = makeBox(this, "Edit1", 20, nameCharacter);
    Edit2 = makeBox(this, "Edit2", 15, nameCharacter);
    Edit3 = makeBox(this, "Edit3", 20, nameCharacter);
    Edit4 = makeBox(this, "Edit4", 15, passportCharacter);
    Edit5 = makeBox(this, "Edit5", 50, addressCharacter);
    Label1 = makeLabel(this, "Label1", "Фамилия");
    Label2 = makeLabel(this, "Label2", "Имя");
    Label3 = makeLabel(this, "Label3", "Отчество");
    Label4 = makeLabel(this, "Label4", "Паспорт");
    Label5 = makeLabel(this, "Label5", "Адрес");

    BitBtn1 = WindowParts::confirmButton(this, "BitBtn1", QStringLiteral("Добавить"));
    BitBtn2 = WindowParts::button(this, "BitBtn2", QStringLiteral("Выход"));

    Timer1 = WindowParts::enablingTimer(this);

    auto* layout = new QGridLayout(this);
    QLabel* const labels[] = {Label1, Label2, Label3, Label4, Label5};
    FilteredLineEdit* const boxes[] = {Edit1, Edit2, Edit3, Edit4, Edit5};
    for (int row = 0; row < 5; ++row) {
        layout->addWidget(labels[row], row * 2, 0, 1, 2);
        layout->addWidget(boxes[row], row * 2 + 1, 0, 1, 2);
    }
    Edit5->setMinimumWidth(320);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    layout->addLayout(buttons, 10, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Timer1, &QTimer::timeout, this, &TForm2::Timer1Timer);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm2::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm2::BitBtn2Click);
    setHelpContext(5);
    Form2 = this;
}

TForm2::~TForm2() {
    if (Form2 == this)
        Form2 = nullptr;
}

bool TForm2::adding() const {
    return State().cardMode == QLatin1String("add");
}

void TForm2::setHelpContext(int context) {
    QWidget* const widgets[] = {this, Edit1, Edit2, Edit3, Edit4, Edit5, BitBtn1, BitBtn2};
    for (QWidget* widget : widgets)
        HelpContext::set(widget, context);
}

bool TForm2::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate)
        FormActivate();
    return QDialog::event(e);
}

void TForm2::showEvent(QShowEvent* e) {
    if (const QScreen* screen = this->screen())
        move(screen->geometry().center() - rect().center());
    QDialog::showEvent(e);
}

void TForm2::hideEvent(QHideEvent* e) {
    Timer1->stop();
    QDialog::hideEvent(e);
}

void TForm2::FormActivate() {
    Timer1->start();
    for (FilteredLineEdit* box : {Edit1, Edit2, Edit3, Edit4, Edit5})
        box->clear();
    Edit1->setFocus();
    if (adding()) {
        setWindowTitle(QStringLiteral("Добавление нового реализатора"));
        BitBtn1->setText(QStringLiteral("Добавить"));
        setHelpContext(5);
        return;
    }
    Query& agent = OpenWorkQuery(
        QStringLiteral("SELECT * FROM realizators WHERE r_id=\"%1\"").arg(QString::number(CurrentAgentId())));
    Edit1->setText(agent.fieldByName(QStringLiteral("r_fam")).asString());
    Edit2->setText(agent.fieldByName(QStringLiteral("r_name")).asString());
    Edit3->setText(agent.fieldByName(QStringLiteral("r_otch")).asString());
    Edit4->setText(agent.fieldByName(QStringLiteral("r_pasport")).asString());
    Edit5->setText(agent.fieldByName(QStringLiteral("r_adres")).asString());
    agent.close();
    setWindowTitle(QStringLiteral("Измемение данных реализатора"));
    BitBtn1->setText(QStringLiteral("Изменить"));
    setHelpContext(6);
}

// Every box needs two characters. An edit card also needs an agent to change: without one (the last
// agent deleted while the card stood open) the change would replace the undo snapshot for nothing.
void TForm2::Timer1Timer() {
    bool complete = adding() || CurrentAgentId() != 0;
    for (const FilteredLineEdit* box : {Edit1, Edit2, Edit3, Edit4, Edit5})
        complete = complete && box->text().size() >= 2;
    BitBtn1->setEnabled(complete);
}

void TForm2::BitBtn1Click() {
    const QString fam = Edit1->text();
    const QString name = Edit2->text();
    const QString otch = Edit3->text();
    const QString pasport = Edit4->text();
    const QString adres = Edit5->text();
    if (adding()) {
        MakeUndoSnapshot(QStringLiteral("добавление реализатора"));
        Transaction transaction(Ledger::engine());
        ExecWorkQuery(
            QStringLiteral("INSERT INTO realizators(r_fam,r_name,r_otch,r_pasport,r_adres,ostatok,dolg)"
                           "VALUES(\"%1\",\"%2\",\"%3\",\"%4\",\"%5\",\"0\",\"0\")")
                .arg(fam, name, otch, pasport, adres));
        transaction.commit();
    } else {
        // The agent current at the moment of the click.
        const QString id = QString::number(CurrentAgentId());
        MakeUndoSnapshot(QStringLiteral("изменение реализатора"));
        Transaction transaction(Ledger::engine());
        ExecWorkQuery(
            QStringLiteral("UPDATE realizators SET r_fam=\"%1\",r_name=\"%2\",r_otch=\"%3\",r_pasport=\"%4\","
                           "r_adres=\"%5\" WHERE r_id=\"%6\"")
                .arg(fam, name, otch, pasport, adres, id));
        transaction.commit();
    }
    RefreshMainWindow();
    hide();
}

void TForm2::BitBtn2Click() {
    hide();
}

void TForm2::reject() {
    BitBtn2Click();
}
