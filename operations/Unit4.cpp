#include "operations/Unit4.h"

#include "platform/HelpContext.h"
#include "platform/Messages.h"
#include "platform/RegionalSettings.h"
#include "store/Ledger.h"
#include "store/MainWindowLink.h"
#include "store/PaintedComboBox.h"
#include "store/ProgramState.h"
#include "store/UndoSnapshot.h"
#include "store/WindowParts.h"
#include "store/procedures.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

TForm4* Form4 = nullptr;

namespace {

constexpr int kHelpContext = 9;

QString idText(int id) {
    return QString::number(id);
}

} // namespace

TForm4::TForm4(QWidget* parent) : LedgerDialog(parent) {
    Form4 = this;
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Передача товара"));

    Label1 = WindowParts::boldLabel(this, "Label1");
    ComboBox1 = new PaintedComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox2 = new PaintedComboBox(this);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    Edit1 = WindowParts::shownValue(this, "Edit1");
    // Pasted text must be digits too: the count goes into statements as a whole number.
    Edit2 = FilteredLineEdit::countBox(this, "Edit2");
    Edit3 = WindowParts::shownValue(this, "Edit3");
    BitBtn1 = WindowParts::confirmButton(this, "BitBtn1", QStringLiteral("Передать"));
    BitBtn2 = WindowParts::button(this, "BitBtn2", QStringLiteral("Выход"));
    for (QWidget* w :
         std::initializer_list<QWidget*>{ComboBox1, ComboBox2, Edit1, Edit2, Edit3, BitBtn1, BitBtn2})
        HelpContext::set(w, kHelpContext);

    auto* layout = new QGridLayout(this);
    layout->addWidget(Label1, 0, 0, 1, 4);
    layout->addWidget(new QLabel(QStringLiteral("Кому"), this), 1, 0);
    layout->addWidget(ComboBox1, 1, 1, 1, 3);
    layout->addWidget(new QLabel(QStringLiteral("Товар"), this), 2, 0);
    layout->addWidget(ComboBox2, 2, 1, 1, 3);
    layout->addWidget(new QLabel(QStringLiteral("Цена"), this), 3, 0);
    layout->addWidget(Edit1, 3, 1);
    layout->addWidget(new QLabel(QStringLiteral("Макс. кол-во"), this), 3, 2);
    layout->addWidget(Edit3, 3, 3);
    layout->addWidget(new QLabel(QStringLiteral("Кол-во"), this), 4, 0);
    layout->addWidget(Edit2, 4, 1);
    layout->addWidget(BitBtn1, 5, 2);
    layout->addWidget(BitBtn2, 5, 3);
    setFixedSize(380, 190);

    Timer1 = WindowParts::enablingTimer(this);
    connect(Timer1, &QTimer::timeout, this, &TForm4::Timer1Timer);
    connect(ComboBox2, &QComboBox::currentIndexChanged, this, &TForm4::ComboBox2Change);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm4::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm4::BitBtn2Click);
}

void TForm4::hideEvent(QHideEvent* e) {
    Timer1->stop();
    LedgerDialog::hideEvent(e);
}

// Esc is "Выход".
void TForm4::reject() {
    BitBtn2Click();
}

void TForm4::BitBtn2Click() {
    hide();
}

void TForm4::FormActivate() {
    Timer1->start();
    Label1->setText(CurrentAgentName());
    const int giver = CurrentAgentId();
    fillReceivers(giver);
    fillArticles(giver);
}

void TForm4::fillReceivers(int giver) {
    Query& others =
        OpenWorkQuery(QStringLiteral("SELECT * FROM realizators WHERE r_id<>\"%1\"").arg(idText(giver)));
    QStringList names;
    QVector<int>& ids = State().receiverIds;
    ids.clear();
    for (others.first(); !others.eof(); others.next()) {
        names << others.fieldByName(QStringLiteral("r_fam")).asString() + QLatin1Char(' ') +
                     others.fieldByName(QStringLiteral("r_name")).asString() + QLatin1Char(' ') +
                     others.fieldByName(QStringLiteral("r_otch")).asString();
        ids.push_back(int(others.fieldByName(QStringLiteral("r_id")).asInteger()));
    }
    others.close();
    ComboBox1->clear();
    ComboBox1->addItems(names);
    ComboBox1->setCurrentIndex(names.isEmpty() ? -1 : 0);
}

void TForm4::fillArticles(int giver) {
    Query& held = OpenWorkQuery(
        QStringLiteral("SELECT * FROM tovar WHERE r_id=\"%1\" ORDER BY t_name").arg(idText(giver)));
    {
        const QSignalBlocker blocker(ComboBox2);
        ComboBox2->clear();
    }
    held.first();
    Edit1->setText(held.fieldByName(QStringLiteral("t_price")).asString());
    Edit3->setText(held.fieldByName(QStringLiteral("t_col")).asString());
    Edit2->clear();
    FillHeldGoods(held);
    held.close();
    const HeldGoodsList& goods = State().heldGoods;
    for (int p = 0; p < goods.count; ++p)
        ComboBox2->addItem(goods.name(p));
    ComboBox2->setCurrentIndex(goods.count > 0 ? 0 : -1);
}

void TForm4::ComboBox2Change() {
    const QString position = FindHeldGoods(ComboBox2->currentText(), QStringLiteral("true"));
    if (position == QLatin1String("False"))
        return;
    const int p = position.toInt();
    Edit1->setText(State().heldGoods.price(p));
    Edit3->setText(State().heldGoods.goodsCount(p));
}

qint64 TForm4::typedCount() const {
    bool ok = false;
    const qint64 count = Edit2->text().toLongLong(&ok);
    return ok && count >= 0 ? count : -1;
}

void TForm4::Timer1Timer() {
    bool maximumRead = false;
    const qint64 maximum = Edit3->text().toLongLong(&maximumRead);
    const qint64 count = typedCount();
    BitBtn1->setEnabled(!Edit1->text().isEmpty() && maximumRead && count > 0 && count <= maximum &&
                        ComboBox1->currentIndex() >= 0);
}

void TForm4::BitBtn1Click() {
    const int giver = CurrentAgentId();
    const int position = ComboBox1->currentIndex();
    const QVector<int>& receivers = State().receiverIds;
    const qint64 count = typedCount();
    const QString article = ComboBox2->currentText();
    if (position < 0 || position >= receivers.size() || receivers.at(position) == giver ||
        article.isEmpty() || count <= 0)
        return;
    const int receiver = receivers.at(position);

    // The count is checked against the giver's line as the table holds it: Enter can come before the
    // next tick has disabled the button for a count typed above the holding.
    Query& line = OpenWorkQuery(QStringLiteral("SELECT * FROM tovar WHERE r_id=\"%1\" AND t_name=\"%2\"")
                                    .arg(idText(giver), article));
    const qint64 held = line.recordCount() > 0 ? line.fieldByName(QStringLiteral("t_col")).asInteger() : 0;
    const QString priceText = line.fieldByName(QStringLiteral("t_price")).asString();
    const double price = line.fieldByName(QStringLiteral("t_price")).asFloat();
    line.close();
    if (count > held) {
        Messages::show(QStringLiteral("Количество товара(") + Edit2->text() +
                       QStringLiteral(") не должно превышать количество, которое имеется у реализатора (") +
                       QString::number(held) + QStringLiteral(")!!!"));
        Edit2->selectAll();
        Edit2->setFocus();
        return;
    }

    // The count as a plain whole number: "05" passes 5, and a transfer of the whole holding removes
    // the line however the count was typed.
    const QString countText = QString::number(count);
    const qint64 rest = held - count;
    const double value = price * double(count);
    const QString date = RegionalSettings::formatDate(QDate::currentDate());
    const QString time = RegionalSettings::formatTime(QTime::currentTime());
    const QString journalRow = QStringLiteral(
        "INSERT INTO oper VALUES(\"%1\",\"%2\",\"%3\",\"%4\",\"%5\",\"%6\",\"%7\",\"%8\",\"%9\")");

    MakeUndoSnapshot(QStringLiteral("передачу товара"));
    {
        Transaction transaction(Ledger::engine());
        if (rest > 0)
            ExecWorkQuery(
                QStringLiteral(
                    "UPDATE tovar SET t_col=\"%1\", t_summ=\"%2\" WHERE t_name=\"%3\" and r_id=\"%4\"")
                    .arg(QString::number(rest), StatementNumber(price * double(rest)), article,
                         idText(giver)));
        else
            ExecWorkQuery(QStringLiteral("DELETE FROM tovar WHERE t_name=\"%1\" and r_id=\"%2\"")
                              .arg(article, idText(giver)));
        AddToGoodsLine(receiver, countText, priceText, article);
        ExecWorkQuery(journalRow.arg(idText(giver), date, time, QStringLiteral("Уход"),
                                     NameWithInitials(ComboBox1->currentText()), article,
                                     CommaToPoint(priceText), countText, StatementNumber(value)));
        AddToRemainder(giver, -value);
        ExecWorkQuery(journalRow.arg(idText(receiver), date, time, QStringLiteral("Приход"),
                                     NameWithInitials(CurrentAgentName()), article, CommaToPoint(priceText),
                                     countText, StatementNumber(value)));
        AddToRemainder(receiver, value);
        transaction.commit();
    }
    FormActivate();
    RefreshMainWindow();
}
