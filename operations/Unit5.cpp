#include "operations/Unit5.h"

#include "store/ChartLook.h"
#include "store/LedgerDialog.h"
#include "store/WindowParts.h"

#include "platform/DisplayMode.h"
#include "platform/HelpContext.h"
#include "platform/Messages.h"
#include "platform/NumberText.h"
#include "platform/QueryModel.h"
#include "platform/RegionalSettings.h"
#include "store/FilteredLineEdit.h"
#include "store/Ledger.h"
#include "store/MainWindowLink.h"
#include "store/RowColourDelegate.h"
#include "store/UndoSnapshot.h"
#include "store/procedures.h"

#include <QChart>
#include <QChartView>
#include <QCloseEvent>
#include <QDateEdit>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QGraphicsLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QLinearGradient>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>

TForm5* Form5 = nullptr;

namespace {

constexpr qint64 kMsecsPerDay = 86400000;
const QString kWholePeriod = QStringLiteral("За весь период");

QLabel* boldLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

QDateEdit* datePicker(const char* name, QWidget* parent) {
    auto* picker = new QDateEdit(parent);
    picker->setObjectName(QLatin1String(name));
    picker->setCalendarPopup(true);
    return picker;
}

QPushButton* button(const char* name, const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}


} // namespace

TForm5::TForm5(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Управление кассой"));
    WindowParts::useDialogFrame(this);
    setSizeGripEnabled(false);
    buildControls();
    buildChart();
    // The window fills the screen until the main window's command tick fits it.
    resize(DisplayMode::screenSize());

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, &TForm5::Timer1Timer);
    connect(Button1, &QPushButton::clicked, this, &TForm5::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm5::Button2Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm5::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm5::BitBtn2Click);

    HelpContext::set(this, 12);
    for (QWidget* child : findChildren<QWidget*>())
        HelpContext::set(child, 12);

    // The entries of every agent until the first activation shows the current agent's.
    Query1.setSql(QStringLiteral("SELECT * FROM kassa ORDER BY k_date"));
    if (Ledger::isOpen()) {
        Query1.setEngine(&Ledger::engine());
        Query1.open();
    }
    Model1->reload();
    drawChart();
    Form5 = this;
}

void TForm5::buildControls() {
    Label1 = boldLabel("Label1", this);
    Label1->setAlignment(Qt::AlignCenter);

    GroupBox1 = new QGroupBox(QStringLiteral("Просмотр кассы"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    DateTimePicker2 = datePicker("DateTimePicker2", GroupBox1);
    DateTimePicker3 = datePicker("DateTimePicker3", GroupBox1);
    Button1 = button("Button1", QStringLiteral("Просмотр"), GroupBox1);
    Button2 = button("Button2", QStringLiteral("За весь период"), GroupBox1);
    auto* period = new QGridLayout(GroupBox1);
    period->addWidget(new QLabel(QStringLiteral("C"), GroupBox1), 0, 0);
    period->addWidget(DateTimePicker2, 0, 1);
    period->addWidget(new QLabel(QStringLiteral("ПО"), GroupBox1), 1, 0);
    period->addWidget(DateTimePicker3, 1, 1);
    period->addWidget(Button1, 2, 0, 1, 2);
    period->addWidget(Button2, 3, 0, 1, 2);

    GroupBox2 = new QGroupBox(QStringLiteral("Добавление кассы"), this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    DateTimePicker1 = datePicker("DateTimePicker1", GroupBox2);
    Edit1 = FilteredLineEdit::moneyBox(GroupBox2, "Edit1");
    BitBtn1 = button("BitBtn1", QStringLiteral("Добавить кассу"), GroupBox2);
    BitBtn1->setDefault(true);
    BitBtn1->setEnabled(false);
    BitBtn2 = button("BitBtn2", QStringLiteral("Выход"), GroupBox2);
    auto* entry = new QGridLayout(GroupBox2);
    entry->addWidget(new QLabel(QStringLiteral("Дата"), GroupBox2), 0, 0);
    entry->addWidget(DateTimePicker1, 0, 1);
    entry->addWidget(new QLabel(QStringLiteral("Касса"), GroupBox2), 1, 0);
    entry->addWidget(Edit1, 1, 1);
    entry->addWidget(BitBtn1, 2, 0, 1, 2);
    entry->addWidget(BitBtn2, 3, 0, 1, 2);

    GroupBox3 = new QGroupBox(kWholePeriod, this);
    GroupBox3->setObjectName(QStringLiteral("GroupBox3"));
    DBGrid1 = new QTableView(GroupBox3);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid1->verticalHeader()->setDefaultSectionSize(18);
    DBGrid1->verticalHeader()->setFixedWidth(12);
    DBGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    DBGrid1->setItemDelegate(new RowColourDelegate(DBGrid1));
    Model1 = new QueryModel(&Query1, this);
    DBGrid1->setModel(Model1);
    Label6 = boldLabel("Label6", GroupBox3);
    Label7 = boldLabel("Label7", GroupBox3);
    auto* shown = new QVBoxLayout(GroupBox3);
    shown->addWidget(DBGrid1, 1);
    shown->addWidget(Label6);
    shown->addWidget(Label7);

    auto* left = new QVBoxLayout;
    left->addWidget(GroupBox1);
    left->addWidget(GroupBox2);
    left->addWidget(GroupBox3, 1);
    DBChart1 = new QChartView(this);
    DBChart1->setObjectName(QStringLiteral("DBChart1"));
    auto* body = new QHBoxLayout;
    body->addLayout(left, 0);
    body->addWidget(DBChart1, 1);
    auto* layout = new QVBoxLayout(this);
    // Label1 spans the window less 5 pixels on either side.
    layout->setContentsMargins(5, 5, 5, 5);
    layout->addWidget(Label1);
    layout->addLayout(body, 1);
}

void TForm5::buildChart() {
    chart = ChartLook::lineChart(&Series1);
    chart->setPlotAreaBackgroundVisible(false);

    const QPen dotted(QColor(0x80, 0x80, 0x80), 1, Qt::DotLine);
    dateAxis = ChartLook::dateAxis(chart, Series1);
    dateAxis->setGridLinePen(dotted);

    valueAxis = new QValueAxis;
    valueAxis->setGridLinePen(dotted);
    valueAxis->setLabelFormat(QStringLiteral("%.2f"));
    chart->addAxis(valueAxis, Qt::AlignLeft);
    Series1->attachAxis(valueAxis);

    DBChart1->setChart(chart);
    DBChart1->setRenderHint(QPainter::Antialiasing);
    DBChart1->setFrameShape(QFrame::NoFrame);
    // A left drag zooms into the marked rectangle, a right click zooms back out.
    DBChart1->setRubberBand(QChartView::RectangleRubberBand);
}

bool TForm5::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate)
        FormActivate();
    return QDialog::event(e);
}

void TForm5::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (e->spontaneous())
        return;
    LedgerDialog::centreOnDesktop(this);
}

// Closing needs no confirmation; the dialog's own handling would route it through reject() again.
void TForm5::closeEvent(QCloseEvent* e) {
    e->accept();
}

void TForm5::hideEvent(QHideEvent* e) {
    Timer1->stop();
    QDialog::hideEvent(e);
}

void TForm5::reject() {
    BitBtn2Click();
}

QString TForm5::agentIdText() const {
    return QString::number(CurrentAgentId());
}

QString TForm5::wholePeriodSelect() const {
    return QStringLiteral("SELECT * FROM kassa WHERE r_id=\"%1\" ORDER BY k_date").arg(agentIdText());
}

void TForm5::runOnQuery1(const QString& statement) {
    Query1.setEngine(&Ledger::engine());
    Query1.close();
    Query1.clearSql();
    Query1.setSql(statement);
    try {
        if (statement.startsWith(QStringLiteral("SELECT")))
            Query1.open();
        else
            Query1.execSql();
    } catch (...) {
        Model1->reload();
        drawChart();
        throw;
    }
    Model1->reload();
    drawChart();
}

void TForm5::loadView(const QString& statement, const QString& salaryCaption) {
    runOnQuery1(statement);
    double salary = 0;
    double cash = 0;
    for (Query1.first(); !Query1.eof(); Query1.next()) {
        salary += Query1.fieldByName(QStringLiteral("zp")).asFloat();
        cash += Query1.fieldByName(QStringLiteral("k_summ")).asFloat();
    }
    const QString captions[] = {QString(), QStringLiteral("Дата"), QStringLiteral("Касса"), salaryCaption};
    for (int i = 0; i < Query1.fieldCount() && i < 4; ++i) {
        Query1.fieldInfo(i).visible = i != 0;
        if (i != 0)
            Query1.fieldInfo(i).caption = captions[i];
    }
    Model1->reload();
    Query1.first();
    if (Query1.recordCount() > 0)
        DBGrid1->setCurrentIndex(Model1->index(0, 0));
    Label6->setText(QStringLiteral("Зарплата: ") + NumberText::general(salary) + QStringLiteral(" грн."));
    Label7->setText(QStringLiteral("Касса: ") + NumberText::general(cash) + QStringLiteral(" грн."));
}

// One point per row of the query in rising date order; the axes show only while there are points.
void TForm5::drawChart() {
    QList<QPointF> points;
    const int date = Query1.isOpen() ? Query1.fieldIndex(QStringLiteral("k_date")) : -1;
    const int summ = Query1.isOpen() ? Query1.fieldIndex(QStringLiteral("k_summ")) : -1;
    if (date >= 0 && summ >= 0) {
        for (int row = 0; row < Query1.recordCount(); ++row) {
            const QDate day = Query1.fieldAt(row, date).asDate();
            if (day.isValid())
                points.append(QPointF(double(day.startOfDay().toMSecsSinceEpoch()),
                                      Query1.fieldAt(row, summ).asFloat()));
        }
        std::stable_sort(points.begin(), points.end(),
                         [](const QPointF& a, const QPointF& b) { return a.x() < b.x(); });
    }
    Series1->replace(points);
    dateAxis->setVisible(!points.isEmpty());
    valueAxis->setVisible(!points.isEmpty());
    if (points.isEmpty())
        return;
    chart->zoomReset();
    double largest = 0;
    for (const QPointF& point : points)
        largest = std::max(largest, point.y());
    qint64 first = qint64(points.first().x());
    qint64 last = qint64(points.last().x());
    if (first == last) { // one day: a day either side, so that its point stands inside the plot
        first -= kMsecsPerDay;
        last += kMsecsPerDay;
    }
    dateAxis->setRange(QDateTime::fromMSecsSinceEpoch(first), QDateTime::fromMSecsSinceEpoch(last));
    dateAxis->setTickCount(int(std::clamp<qint64>((last - first) / kMsecsPerDay, 1, 12)) + 1);
    valueAxis->setRange(0, largest > 0 ? largest : 1);
}

void TForm5::FormActivate() {
    if (!Timer1->isActive())
        Timer1->start();
    Label1->setText(CurrentAgentName());
    GroupBox3->setTitle(kWholePeriod);
    loadView(wholePeriodSelect(), QStringLiteral("Зарлата"));
    const QString pattern = RegionalSettings::shortDatePattern();
    for (QDateEdit* picker : {DateTimePicker1, DateTimePicker2, DateTimePicker3}) {
        picker->setDisplayFormat(pattern);
        picker->setDate(QDate::currentDate());
    }
    Edit1->clear();
}

void TForm5::Timer1Timer() {
    const QString text = Edit1->text();
    double cash = 0;
    BitBtn1->setEnabled(!text.isEmpty() && NumberText::read(text, &cash) && cash != 0);
}

void TForm5::Button1Click() {
    const QString from = RegionalSettings::formatDate(DateTimePicker2->date());
    const QString to = RegionalSettings::formatDate(DateTimePicker3->date());
    loadView(
        QStringLiteral(
            "SELECT * FROM kassa WHERE k_date BETWEEN \"%1\" AND \"%2\" AND r_id=\"%3\"  ORDER BY k_date")
            .arg(from, to, agentIdText()),
        QStringLiteral("Зарлата"));
    GroupBox3->setTitle(QStringLiteral("За период с ") + from + QStringLiteral(" по ") + to);
}

void TForm5::Button2Click() {
    loadView(wholePeriodSelect(), QStringLiteral("Зарлата"));
    GroupBox3->setTitle(kWholePeriod);
}

// The snapshot is taken on every press, before the input is looked at.
void TForm5::BitBtn1Click() {
    MakeUndoSnapshot(QStringLiteral("добавление кассы"));
    double rate = 0;
    double percent = 0;
    if (!Edit1->text().isEmpty() && !readSalarySettings(&rate, &percent)) {
        // The typed cash stays in the box for another press once the salary is set up.
        Messages::show(QStringLiteral("Зарплата настроена неверно: ставка «%1», проценты «%2». "
                                      "Исправьте их в окне «Настройка зарплаты».")
                           .arg(State().laborRate, State().percent));
        return;
    }
    addCash();
    loadView(wholePeriodSelect(), QStringLiteral("Зарплата"));
    Edit1->clear();
    GroupBox3->setTitle(kWholePeriod);
    RefreshMainWindow();
}

bool TForm5::readSalarySettings(double* rate, double* percent) const {
    return NumberText::read(State().percent, percent) && NumberText::read(State().laborRate, rate);
}

void TForm5::addCash() {
    const QString cashText = Edit1->text();
    double cash = 0;
    // Zero or unreadable cash counts as none: it can only reach here before the next tick has
    // disabled the button.
    if (cashText.isEmpty() || !NumberText::read(cashText, &cash) || cash == 0) {
        Messages::show(QStringLiteral("Введите кассу!!!"));
        return;
    }
    double rate = 0;
    double percent = 0;
    readSalarySettings(&rate, &percent);
    const double salary = percent * cash / 100 + rate;
    const QString date = RegionalSettings::formatDate(DateTimePicker1->date());

    runOnQuery1(
        QStringLiteral("SELECT * FROM kassa WHERE r_id=\"%1\" AND k_date=\"%2\"").arg(agentIdText(), date));
    if (Query1.recordCount() > 0) {
        const double oldCash = Query1.fieldByName(QStringLiteral("k_summ")).asFloat();
        Query1.close();
        Model1->reload();
        drawChart();
        if (cash == oldCash) {
            Messages::show(QStringLiteral("Будьте внимательней! Такая запись уже существует!!!"));
            return;
        }
        if (!Messages::ask(QStringLiteral("Зелмар"),
                           QStringLiteral("Реализатор ") + Label1->text() + QLatin1Char(' ') + date +
                               QStringLiteral(" уже сдал кассу (") + NumberText::general(oldCash) +
                               QStringLiteral("грн). Вы действительно хотите обновить информацию?")))
            return;
        Transaction transaction(Ledger::engine());
        runOnQuery1(
            QStringLiteral("UPDATE kassa SET k_summ=\"%1\", zp=\"%2\" WHERE r_id=\"%3\" AND k_date=\"%4\"")
                .arg(CommaToPoint(cashText), StatementNumber(salary), agentIdText(), date));
        AddToRemainder(CurrentAgentId(), oldCash - cash);
        transaction.commit();
        return;
    }
    Transaction transaction(Ledger::engine());
    runOnQuery1(QStringLiteral("INSERT INTO kassa VALUES(\"%1\",\"%2\",\"%3\",\"%4\")")
                    .arg(agentIdText(), date, CommaToPoint(cashText), StatementNumber(salary)));
    AddToRemainder(CurrentAgentId(), -cash);
    transaction.commit();
}

void TForm5::BitBtn2Click() {
    close();
}
