#include "operations/Unit6.h"

#include "operations/TextCellColourDelegate.h"
#include "platform/HelpContext.h"
#include "platform/Messages.h"
#include "platform/NumberText.h"
#include "platform/RegionalSettings.h"
#include "store/FilteredLineEdit.h"
#include "store/Ledger.h"
#include "store/MainWindowLink.h"
#include "store/PaintedComboBox.h"
#include "store/ProgramState.h"
#include "store/TotalGoodsHistory.h"
#include "store/UndoSnapshot.h"
#include "store/WindowParts.h"
#include "store/procedures.h"

#include <QEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTimer>

TForm6* Form6 = nullptr;

namespace {

constexpr int kColumnWidths[] = {215, 60, 60, 60};

// A whole number of pieces from box or cell text; -1 when the text is not one.
qint64 Pieces(const QString& text) {
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    return ok && value >= 0 ? value : -1;
}

} // namespace

TForm6::TForm6(QWidget* parent) : LedgerDialog(parent) {
    Form6 = this;
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("Переучет товара"));

    Label1 = WindowParts::boldLabel(this, "Label1");
    ComboBox1 = new PaintedComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    Edit1 = WindowParts::shownValue(this, "Edit1");
    // Pasted text must be digits too: the count goes into statements as a whole number.
    Edit2 = FilteredLineEdit::countBox(this, "Edit2");
    Edit3 = WindowParts::shownValue(this, "Edit3");

    StringGrid1 = new QTableWidget(0, 4, this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setHorizontalHeaderLabels({QStringLiteral("Название товара"), QStringLiteral("Цена"),
                                            QStringLiteral("Кол-во"), QStringLiteral("Сумма")});
    for (int c = 0; c < 4; ++c)
        StringGrid1->setColumnWidth(c, kColumnWidths[c]);
    StringGrid1->verticalHeader()->hide();
    StringGrid1->verticalHeader()->setDefaultSectionSize(18);
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setItemDelegate(new TextCellColourDelegate(StringGrid1));

    BitBtn1 = WindowParts::button(this, "BitBtn1", QStringLiteral("Добавить"));
    BitBtn2 = WindowParts::button(this, "BitBtn2", QStringLiteral("Удалить"));
    BitBtn3 = WindowParts::confirmButton(this, "BitBtn3", QStringLiteral("Переучет"));
    BitBtn4 = WindowParts::button(this, "BitBtn4", QStringLiteral("Выход"));
    for (QPushButton* b : {BitBtn1, BitBtn2})
        b->setEnabled(false);

    auto* layout = new QGridLayout(this);
    layout->addWidget(Label1, 0, 0, 1, 4);
    layout->addWidget(new QLabel(QStringLiteral("Товар"), this), 1, 0);
    layout->addWidget(new QLabel(QStringLiteral("Цена"), this), 1, 1);
    layout->addWidget(new QLabel(QStringLiteral("Макс. кол-во"), this), 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("Кол-во"), this), 1, 3);
    layout->addWidget(ComboBox1, 2, 0);
    layout->addWidget(Edit1, 2, 1);
    layout->addWidget(Edit3, 2, 2);
    layout->addWidget(Edit2, 2, 3);
    layout->addWidget(BitBtn1, 3, 2);
    layout->addWidget(BitBtn2, 3, 3);
    layout->addWidget(StringGrid1, 4, 0, 1, 4);
    layout->addWidget(BitBtn3, 5, 2);
    layout->addWidget(BitBtn4, 5, 3);
    layout->setColumnStretch(0, 1);
    setFixedSize(440, 400);

    Timer1 = WindowParts::enablingTimer(this);
    connect(Timer1, &QTimer::timeout, this, &TForm6::Timer1Timer);
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TForm6::ComboBox1Change);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm6::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm6::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TForm6::BitBtn3Click);
    connect(BitBtn4, &QPushButton::clicked, this, &TForm6::BitBtn4Click);
}

// Closing throws the entries away.
void TForm6::hideEvent(QHideEvent* e) {
    Timer1->stop();
    StringGrid1->setRowCount(0);
    LedgerDialog::hideEvent(e);
}

// Esc is "Выход".
void TForm6::reject() {
    BitBtn4Click();
}

void TForm6::BitBtn4Click() {
    hide();
}

bool TForm6::recounting() const {
    return State().countMode == QLatin1String("true");
}

QString TForm6::cell(int row, Column column) const {
    const QTableWidgetItem* item = StringGrid1->item(row, column);
    return item ? item->text() : QString();
}

void TForm6::setCell(int row, Column column, const QString& text) {
    if (QTableWidgetItem* item = StringGrid1->item(row, column))
        item->setText(text);
    else
        StringGrid1->setItem(row, column, new QTableWidgetItem(text));
}

// Activation sets the window up afresh for the current agent, whose goods may have changed meanwhile:
// entries made before leaving the window are dropped rather than confirmed against other goods.
void TForm6::FormActivate() {
    Timer1->start();
    StringGrid1->setRowCount(0);
    Label1->setText(CurrentAgentName());
    Query& goods = OpenWorkQuery(
        QStringLiteral("SELECT * FROM tovar WHERE r_id=\"%1\" ORDER BY t_name").arg(CurrentAgentId()));
    QStringList names;
    for (goods.first(); !goods.eof(); goods.next())
        names << goods.fieldByName(QStringLiteral("t_name")).asString();
    goods.close();
    {
        const QSignalBlocker blocker(ComboBox1);
        ComboBox1->clear();
        ComboBox1->addItems(names);
        ComboBox1->setCurrentIndex(names.isEmpty() ? -1 : 0);
    }
    ComboBox1Change();
    Edit2->clear();

    const bool recount = recounting();
    setWindowTitle(recount ? QStringLiteral("Переучет товара") : QStringLiteral("Возврат товара хазяину"));
    BitBtn3->setText(recount ? QStringLiteral("Переучет") : QStringLiteral("Возврат"));
    const int help = recount ? 11 : 10;
    for (QWidget* w : std::initializer_list<QWidget*>{ComboBox1, Edit1, Edit2, Edit3, StringGrid1, BitBtn1,
                                                      BitBtn2, BitBtn3, BitBtn4})
        HelpContext::set(w, help);
}

void TForm6::ComboBox1Change() {
    Query& line = OpenWorkQuery(QStringLiteral("SELECT * FROM tovar WHERE t_name=\"%1\" AND r_id=\"%2\"")
                                    .arg(ComboBox1->currentText(), QString::number(CurrentAgentId())));
    Edit1->setText(line.fieldByName(QStringLiteral("t_price")).asString());
    Edit3->setText(line.fieldByName(QStringLiteral("t_col")).asString());
    line.close();
}

void TForm6::Timer1Timer() {
    const qint64 count = Pieces(Edit2->text());
    const qint64 maximum = Pieces(Edit3->text());
    BitBtn1->setEnabled(count >= 0 && maximum >= 0 && count <= maximum && (recounting() || count != 0));
    BitBtn3->setEnabled(StringGrid1->rowCount() > 0 && !cell(0, NameColumn).isEmpty());
    const int row = StringGrid1->currentRow();
    BitBtn2->setEnabled(row >= 0 && !cell(row, NameColumn).isEmpty());
}

int TForm6::rowOf(const QString& article) const {
    for (int row = 0; row < StringGrid1->rowCount(); ++row) {
        if (cell(row, NameColumn) == article)
            return row;
    }
    return -1;
}

void TForm6::showTooMany(const QString& count, const QString& maximum) {
    Messages::show(QStringLiteral("Количество товара(") + count +
                   QStringLiteral(") не должно превышать количество, которое имеется у реализатора (") +
                   maximum + QStringLiteral(")!!!"));
}

void TForm6::BitBtn1Click() {
    const QString article = ComboBox1->currentText();
    const QString priceText = Edit1->text();
    if (article.isEmpty() || priceText.isEmpty() || Edit2->text().isEmpty()) {
        Messages::show(QStringLiteral("Все поля обязательно должны быть заполнены!!!"));
        return;
    }
    const qint64 count = Pieces(Edit2->text());
    const qint64 maximum = Pieces(Edit3->text());
    if (count < 0 || maximum < 0 || count > maximum) {
        showTooMany(Edit2->text(), Edit3->text());
        Edit2->selectAll();
        Edit2->setFocus();
        return;
    }
    // Returning nothing would only write an empty journal row.
    if (count == 0 && !recounting())
        return;
    const double price = TextToFloat(priceText);

    const int existing = rowOf(article);
    if (existing >= 0) {
        const qint64 merged = Pieces(cell(existing, CountColumn)) + count;
        if (merged > maximum) {
            Messages::show(
                QStringLiteral("Количество, которое Вы добавляете не может быть больше количества, которое "
                               "имеется у реализатора!!!"));
            return;
        }
        setCell(existing, CountColumn, QString::number(merged));
        setCell(existing, SumColumn, NumberText::general(price * double(merged)));
        return;
    }
    // The count is kept as a plain whole number, so "05" and "00" are entered as 5 and 0.
    const int row = StringGrid1->rowCount();
    StringGrid1->insertRow(row);
    setCell(row, NameColumn, article);
    setCell(row, PriceColumn, priceText);
    setCell(row, CountColumn, QString::number(count));
    setCell(row, SumColumn, NumberText::general(double(count) * price));
    if (StringGrid1->currentRow() < 0)
        StringGrid1->setCurrentCell(row, NameColumn);
    Edit2->clear();
}

// The rows below move up; the table holds exactly the entered articles.
void TForm6::BitBtn2Click() {
    const int row = StringGrid1->currentRow();
    if (row < 0 || cell(row, NameColumn).isEmpty())
        return;
    StringGrid1->removeRow(row);
}

void TForm6::BitBtn3Click() {
    if (StringGrid1->rowCount() == 0 || cell(0, NameColumn).isEmpty())
        return;
    const QString agent = QString::number(CurrentAgentId());
    if (recounting())
        confirmRecount(agent);
    else
        confirmReturn(agent);
}

void TForm6::confirmRecount(const QString& agent) {
    const QString date = RegionalSettings::formatDate(QDate::currentDate());
    const QString time = RegionalSettings::formatTime(QTime::currentTime());
    MakeUndoSnapshot(QStringLiteral("переучет"));
    {
        Transaction transaction(Ledger::engine());
        ExecWorkQuery(QStringLiteral("DELETE FROM tovar WHERE r_id=\"%1\"").arg(agent));
        double counted = 0;
        for (int row = 0; row < StringGrid1->rowCount() && !cell(row, PriceColumn).isEmpty(); ++row) {
            const QString countText = cell(row, CountColumn);
            if (countText == QLatin1String("0"))
                continue;
            const QString priceText = cell(row, PriceColumn);
            const double value = TextToFloat(priceText) * double(TextToInteger(countText));
            ExecWorkQuery(QStringLiteral("INSERT INTO tovar VALUES(\"%1\",\"%2\",\"%3\",\"%4\",\"%5\")")
                              .arg(agent, cell(row, NameColumn), CommaToPoint(priceText), countText,
                                   StatementNumber(value)));
            counted += value;
        }
        const double remainder =
            OpenWorkQuery(QStringLiteral("SELECT ostatok FROM realizators WHERE r_id=\"%1\"").arg(agent))
                .fieldByName(QStringLiteral("ostatok"))
                .asFloat();
        const double debt =
            OpenWorkQuery(QStringLiteral("SELECT dolg FROM realizators WHERE r_id=\"%1\"").arg(agent))
                .fieldByName(QStringLiteral("dolg"))
                .asFloat();
        ExecWorkQuery(
            QStringLiteral("UPDATE realizators SET ostatok=\"%1\", dolg=\"%2\" WHERE r_id=\"%3\"")
                .arg(StatementNumber(counted), StatementNumber(debt + (remainder - counted)), agent));
        ExecWorkQuery(QStringLiteral("INSERT INTO oper(r_id, o_date, o_time, o_name, o_komu) "
                                     "VALUES(\"%1\",\"%2\",\"%3\",\"Переучет\",\"%4\")")
                          .arg(agent, date, time, NameWithInitials(Label1->text())));
        transaction.commit();
    }
    RefreshMainWindow();
    UpdateTotalGoodsHistory();
    hide();
}

// A return may take no more than the line holds: a count above it would leave a negative count.
bool TForm6::rowsWithinHolding(const QString& agent) {
    for (int row = 0; row < StringGrid1->rowCount(); ++row) {
        Query& line = OpenWorkQuery(QStringLiteral("SELECT * FROM tovar WHERE r_id=\"%1\" AND t_name=\"%2\"")
                                        .arg(agent, cell(row, NameColumn)));
        const qint64 held =
            line.recordCount() > 0 ? line.fieldByName(QStringLiteral("t_col")).asInteger() : 0;
        line.close();
        if (Pieces(cell(row, CountColumn)) > held) {
            showTooMany(cell(row, CountColumn), QString::number(held));
            return false;
        }
    }
    return true;
}

void TForm6::confirmReturn(const QString& agent) {
    if (!rowsWithinHolding(agent))
        return;
    const QString date = RegionalSettings::formatDate(QDate::currentDate());
    const QString time = RegionalSettings::formatTime(QTime::currentTime());
    MakeUndoSnapshot(QStringLiteral("возврат"));
    {
        Transaction transaction(Ledger::engine());
        double returned = 0;
        for (int row = 0; row < StringGrid1->rowCount() && !cell(row, PriceColumn).isEmpty(); ++row) {
            const QString name = cell(row, NameColumn);
            const QString priceText = cell(row, PriceColumn);
            const QString countText = cell(row, CountColumn);
            const double price = TextToFloat(priceText);
            const qint64 count = TextToInteger(countText);
            const double value = price * double(count);
            ExecWorkQuery(
                QStringLiteral(
                    "INSERT INTO oper "
                    "VALUES(\"%1\",\"%2\",\"%3\",\"Возврат\",\"Хозяин\",\"%4\",\"%5\",\"%6\",\"%7\")")
                    .arg(agent, date, time, name, CommaToPoint(priceText), countText,
                         StatementNumber(value)));
            const qint64 held =
                OpenWorkQuery(QStringLiteral("SELECT * FROM tovar WHERE r_id=\"%1\" AND t_name=\"%2\"")
                                  .arg(agent, name))
                    .fieldByName(QStringLiteral("t_col"))
                    .asInteger();
            if (count == held)
                ExecWorkQuery(
                    QStringLiteral("DELETE FROM tovar WHERE r_id=\"%1\" AND t_name=\"%2\"").arg(agent, name));
            else
                ExecWorkQuery(
                    QStringLiteral(
                        "UPDATE tovar SET t_col=\"%1\", t_summ=\"%2\" WHERE r_id=\"%3\" AND t_name=\"%4\"")
                        .arg(QString::number(held - count), StatementNumber(double(held - count) * price),
                             agent, name));
            returned += value;
        }
        double remainder =
            OpenWorkQuery(QStringLiteral("SELECT ostatok FROM realizators WHERE r_id=\"%1\"").arg(agent))
                .fieldByName(QStringLiteral("ostatok"))
                .asFloat();
        if (remainder < returned)
            remainder = returned;
        ExecWorkQuery(QStringLiteral("UPDATE realizators SET ostatok=\"%1\" WHERE r_id=\"%2\"")
                          .arg(StatementNumber(remainder - returned), agent));
        transaction.commit();
    }
    RefreshMainWindow();
    UpdateTotalGoodsHistory();
    hide();
}
