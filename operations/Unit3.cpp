#include "operations/Unit3.h"

#include "platform/HelpContext.h"
#include "platform/NumberText.h"
#include "platform/RegionalSettings.h"
#include "store/FilteredLineEdit.h"
#include "store/Ledger.h"
#include "store/MainWindowLink.h"
#include "store/ProgramState.h"
#include "store/TotalGoodsHistory.h"
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

TForm3* Form3 = nullptr;

namespace {

QLabel* makeLabel(QWidget* parent, const char* name, const char* text) {
    return WindowParts::label(parent, name, QString::fromUtf8(text));
}

// A whole number of pieces that reads as a 32-bit integer and is not 0.
bool usableCount(const QString& text) {
    bool ok = false;
    const int count = text.toInt(&ok);
    return ok && count != 0;
}

bool usablePrice(const QString& text) {
    double price = 0;
    return NumberText::read(text, &price) && price != 0;
}

} // namespace

TForm3::TForm3(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Добавление товара реализатору"));
    WindowParts::useDialogFrame(this);

    ComboBox1 = new ArticleComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setMinimumWidth(220);

    Edit1 = FilteredLineEdit::moneyBox(this, "Edit1");
    Edit2 = FilteredLineEdit::countBox(this, "Edit2");

    Label1 = makeLabel(this, "Label1", "Наименование товара");
    Label2 = makeLabel(this, "Label2", "Цена за 1 ед. (грн.)");
    Label3 = makeLabel(this, "Label3", "Кол-во");

    BitBtn1 = WindowParts::confirmButton(this, "BitBtn1", QStringLiteral("Добавить"));
    BitBtn2 = WindowParts::button(this, "BitBtn2", QStringLiteral("Выход"));

    Timer1 = WindowParts::enablingTimer(this);

    auto* layout = new QGridLayout(this);
    layout->addWidget(Label1, 0, 0);
    layout->addWidget(ComboBox1, 1, 0);
    layout->addWidget(Label2, 0, 1);
    layout->addWidget(Edit1, 1, 1);
    layout->addWidget(Label3, 0, 2);
    layout->addWidget(Edit2, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    layout->addLayout(buttons, 2, 0, 1, 3);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    QWidget* const helped[] = {ComboBox1, Edit1, Edit2, BitBtn1, BitBtn2};
    for (QWidget* widget : helped)
        HelpContext::set(widget, 8);

    connect(Timer1, &QTimer::timeout, this, &TForm3::Timer1Timer);
    connect(ComboBox1, &ArticleComboBox::nameEdited, this, &TForm3::ComboBox1Change);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm3::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm3::BitBtn2Click);
    Form3 = this;
}

TForm3::~TForm3() {
    if (Form3 == this)
        Form3 = nullptr;
}

bool TForm3::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate)
        FormActivate();
    return QDialog::event(e);
}

void TForm3::showEvent(QShowEvent* e) {
    if (const QScreen* screen = this->screen())
        move(screen->geometry().center() - rect().center());
    QDialog::showEvent(e);
}

void TForm3::hideEvent(QHideEvent* e) {
    Timer1->stop();
    ComboBox1->clear();
    ComboBox1->clearEditText();
    Edit1->clear();
    Edit2->clear();
    QDialog::hideEvent(e);
}

// The price and count boxes keep what was typed; only the name and the lists start afresh.
void TForm3::FormActivate() {
    fillHeldGoods(QString::number(CurrentAgentId()));
    fillArticleList();
    Timer1->start();
    HelpContext::set(this, 8);
    ComboBox1->setFocus();
}

void TForm3::fillHeldGoods(const QString& agentId) {
    Query& rows =
        OpenWorkQuery(QStringLiteral("SELECT * FROM tovar WHERE r_id=\"%1\" ORDER BY t_name").arg(agentId));
    FillHeldGoods(rows);
    rows.close();
}

// On a query of its own, so that the work query's rows stay as they are.
void TForm3::fillArticleList() {
    Query articles(&Ledger::engine());
    articles.setSql(QStringLiteral("SELECT DISTINCT t_name, t_price FROM tovar ORDER BY t_name"));
    articles.open();
    ComboBox1->clear();
    ComboBox1->clearEditText();
    ArticleList& list = State().articles;
    list.clear();
    for (articles.first(); !articles.eof(); articles.next()) {
        const QString name = articles.fieldByName(QStringLiteral("t_name")).asString();
        ComboBox1->addItem(name);
        list.append(name, articles.fieldByName(QStringLiteral("t_price")).asString());
    }
}

// A known article brings its price (the first one listed) and locks it; any other name empties it.
void TForm3::ComboBox1Change() {
    const QString name = ComboBox1->currentText();
    if (name.isEmpty()) {
        Edit1->clear();
        return;
    }
    const ArticleList& list = State().articles;
    const QString wanted = LowerCaseRu(name);
    for (int p = 0; p < list.count; ++p) {
        if (LowerCaseRu(list.name(p)) == wanted) {
            Edit1->setText(list.price(p));
            Edit1->setEnabled(false);
            return;
        }
    }
    Edit1->clear();
    Edit1->setEnabled(true);
}

// No agent, no goods line: without a current agent (the last one deleted while the window stood
// open) a confirmation would write goods nobody holds.
void TForm3::Timer1Timer() {
    const bool complete = CurrentAgentId() != 0 && !ComboBox1->currentText().isEmpty() &&
                          usablePrice(Edit1->text()) && usableCount(Edit2->text());
    BitBtn1->setEnabled(complete);
}

void TForm3::BitBtn1Click() {
    const int agent = CurrentAgentId();
    const QString name = ComboBox1->currentText();
    const QString priceText = Edit1->text();
    const QString countText = Edit2->text();

    MakeUndoSnapshot(QStringLiteral("добавление товара"));
    {
        // The goods line, the journal row, the remainder and the day's history change together or
        // not at all: the history is part of what this operation writes.
        Transaction transaction(Ledger::engine());
        writeOperation(agent, name, priceText, countText);
        UpdateTotalGoodsHistory();
        transaction.commit();
    }

    Edit1->clear();
    Edit2->clear();
    FormActivate();
    ComboBox1->setFocus();
    RefreshMainWindow();
    ComboBox1Change();
}

void TForm3::writeOperation(int agent, const QString& name, const QString& priceText,
                            const QString& countText) {
    const QString id = QString::number(agent);
    const double price = TextToFloat(priceText);
    const qint64 count = TextToInteger(countText);
    const QString statementPrice = CommaToPoint(priceText);
    const QString journal =
        QStringLiteral("INSERT INTO oper VALUES(\"%1\",\"%2\",\"%3\",\"Приход\",\"Хозяин\",\"%4\","
                       "\"%5\",\"%6\",\"%7\")");
    const QString date = RegionalSettings::formatDate(QDate::currentDate());
    const QString time = RegionalSettings::formatTime(QTime::currentTime());

    // The lookup goes by the agent's goods lines as they stand now, not as they stood at activation.
    fillHeldGoods(id);
    const QString held = FindHeldGoods(name, QStringLiteral("false"));
    const QString sum = StatementNumber(price * double(count));
    if (held == QLatin1String("False")) {
        ExecWorkQuery(
            QStringLiteral("INSERT INTO tovar(r_id,t_name,t_price,t_col,t_summ) VALUES(\"%1\",\"%2\",\"%3\","
                           "\"%4\",\"%5\")")
                .arg(id, name, statementPrice, countText, sum));
        ExecWorkQuery(journal.arg(id, date, time, name, statementPrice, countText, sum));
    } else {
        Query& line = OpenWorkQuery(
            QStringLiteral("SELECT * FROM tovar WHERE r_id=\"%1\" and t_name=\"%2\"").arg(id, held));
        const qint64 newCount = line.fieldByName(QStringLiteral("t_col")).asInteger() + count;
        ExecWorkQuery(
            QStringLiteral("UPDATE tovar SET t_col=\"%1\", t_summ=\"%2\" WHERE r_id=\"%3\" and t_name=\"%4\"")
                .arg(QString::number(newCount), StatementNumber(price * double(newCount)), id, held));
        ExecWorkQuery(journal.arg(id, date, time, held, statementPrice, countText, sum));
    }
    AddToRemainder(agent, double(count) * price);
}

void TForm3::BitBtn2Click() {
    hide();
}

void TForm3::reject() {
    BitBtn2Click();
}
