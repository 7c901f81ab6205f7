#include "app/Unit1.h"

#include "operations/Unit2.h"
#include "operations/Unit3.h"
#include "operations/Unit4.h"
#include "operations/Unit5.h"
#include "operations/Unit6.h"
#include "platform/Application.h"
#include "platform/DisplayMode.h"
#include "platform/HelpContext.h"
#include "platform/Messages.h"
#include "platform/NumberText.h"
#include "platform/ProgramEnd.h"
#include "platform/RegionalSettings.h"
#include "settings/Unit10.h"
#include "settings/Unit11.h"
#include "settings/Unit13.h"
#include "settings/Unit7.h"
#include "settings/Help.h"
#include "settings/Unit9.h"
#include "store/BatchFile.h"
#include "store/ColourScheme.h"
#include "store/MainWindowLink.h"
#include "store/PaintedComboBox.h"
#include "store/RowColourDelegate.h"
#include "store/Settings.h"
#include "store/Unit14.h"
#include "store/UndoSnapshot.h"
#include "store/Restore.h"
#include "store/procedures.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

TForm1* Form1 = nullptr;

namespace {

QLabel* boldLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

QTableView* grid(const char* name, QWidget* parent) {
    auto* view = new QTableView(parent);
    view->setObjectName(QLatin1String(name));
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->verticalHeader()->setDefaultSectionSize(18);
    view->verticalHeader()->setFixedWidth(12);
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->setItemDelegate(new RowColourDelegate(view));
    return view;
}

void showWindow(QWidget* window) {
    if (!window)
        return;
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

TForm1::TForm1(QWidget* parent) : QMainWindow(parent), Query1(nullptr), Query2(nullptr), Query3(nullptr) {
    Form1 = this;
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Зелмар"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    Engine* engine = &Ledger::engine();
    Query1.setEngine(engine);
    Query2.setEngine(engine);
    Query3.setEngine(engine);
    Ledger::setWorkQuery(&Query3);
    HelpContext::setViewer([](int context) { ShowHelpContext(context); });
    SetMainWindowLink({[this] { RefreshMainWindow(); }, [this] { return currentAgentId(); },
                       [this] { return ComboBox1->currentText(); }, [this] { return ComboBox1->count(); }});
    buildLayout();
    buildMenu();
    Timer1 = new QTimer(this);
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    setFixedSize(1024, 740);
    try {
        FormCreate();
    } catch (...) {
        // The window is not made after all: nothing may keep pointing at it.
        ClearMainWindowLink();
        Ledger::setWorkQuery(nullptr);
        Form1 = nullptr;
        throw;
    }
}

TForm1::~TForm1() {
    // The grids' models read the queries, which go before the window's children do.
    Timer1->stop();
    DBGrid1->setModel(nullptr);
    DBGrid2->setModel(nullptr);
    delete goodsModel;
    delete journalModel;
    ClearMainWindowLink();
    Ledger::setWorkQuery(nullptr);
    if (Form1 == this)
        Form1 = nullptr;
}

void TForm1::buildLayout() {
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* top = new QHBoxLayout;

    auto* agents = new QGroupBox(QStringLiteral("Реализаторы"), central);
    auto* agentsLayout = new QGridLayout(agents);
    ComboBox1 = new PaintedComboBox(agents);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setMinimumWidth(320);
    HelpContext::set(ComboBox1, 23);
    Label5 = boldLabel(QString(), agents);
    Label5->setObjectName(QStringLiteral("Label5"));
    Label6 = boldLabel(QString(), agents);
    Label6->setObjectName(QStringLiteral("Label6"));
    agentsLayout->addWidget(ComboBox1, 0, 0, 1, 2);
    agentsLayout->addWidget(new QLabel(QStringLiteral("Паспорт:"), agents), 1, 0);
    agentsLayout->addWidget(Label5, 1, 1);
    agentsLayout->addWidget(new QLabel(QStringLiteral("Адрес:"), agents), 2, 0);
    agentsLayout->addWidget(Label6, 2, 1);
    agentsLayout->setColumnStretch(1, 1);
    top->addWidget(agents, 1);

    auto* buttons = new QGridLayout;
    const struct {
        QPushButton** button;
        const char* name;
        const char* caption;
        int help;
        void (TForm1::*handler)();
    } commands[] = {
        {&Button1, "Button1", "Добавить реализатора", 5, &TForm1::Button1Click},
        {&Button2, "Button2", "Изменить реализатора", 6, &TForm1::Button2Click},
        {&Button3, "Button3", "Удалить реализатора", 7, &TForm1::Button3Click},
        {&Button4, "Button4", "Добавить товар реализатору", 8, &TForm1::Button4Click},
        {&Button5, "Button5", "Передать товар реализатору", 9, &TForm1::Button5Click},
        {&Button8, "Button8", "Возврат товара Хозяину", 10, &TForm1::Button8Click},
        {&Button6, "Button6", "Переучет", 11, &TForm1::Button6Click},
        {&Button7, "Button7", "Касса", 12, &TForm1::Button7Click},
    };
    int position = 0;
    for (const auto& c : commands) {
        *c.button = new QPushButton(QString::fromUtf8(c.caption), central);
        (*c.button)->setObjectName(QLatin1String(c.name));
        HelpContext::set(*c.button, c.help);
        connect(*c.button, &QPushButton::clicked, this, c.handler);
        buttons->addWidget(*c.button, position % 4, position / 4);
        ++position;
    }
    top->addLayout(buttons);

    auto* goods = new QGroupBox(QStringLiteral("Товар"), central);
    auto* goodsLayout = new QVBoxLayout(goods);
    DBGrid1 = grid("DBGrid1", goods);
    HelpContext::set(DBGrid1, 25);
    goodsModel = new QueryModel(&Query1, this);
    DBGrid1->setModel(goodsModel);
    connect(DBGrid1->horizontalHeader(), &QHeaderView::sectionClicked, this, &TForm1::DBGrid1TitleClick);
    goodsLayout->addWidget(DBGrid1, 1);
    auto* money = new QHBoxLayout;
    Label1 = boldLabel(QStringLiteral("Долг:"), goods);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label7 = boldLabel(QStringLiteral("Остаток:"), goods);
    Label7->setObjectName(QStringLiteral("Label7"));
    Label4 = boldLabel(QStringLiteral("Общий товар:"), goods);
    Label4->setObjectName(QStringLiteral("Label4"));
    SpeedButton1 = new QPushButton(QStringLiteral("Посмотреть график общего товара"), goods);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setFlat(true);
    SpeedButton1->setCursor(Qt::PointingHandCursor);
    QFont bold = SpeedButton1->font();
    bold.setBold(true);
    SpeedButton1->setFont(bold);
    connect(SpeedButton1, &QPushButton::clicked, this, &TForm1::SpeedButton1Click);
    money->addWidget(Label1);
    money->addWidget(Label7);
    money->addStretch();
    money->addWidget(Label4);
    money->addWidget(SpeedButton1);
    goodsLayout->addLayout(money);

    auto* journal = new QGroupBox(QStringLiteral("Операции"), central);
    auto* journalLayout = new QVBoxLayout(journal);
    DBGrid2 = grid("DBGrid2", journal);
    HelpContext::set(DBGrid2, 22);
    journalModel = new QueryModel(&Query2, this);
    DBGrid2->setModel(journalModel);
    journalLayout->addWidget(DBGrid2, 1);
    auto* filter = new QHBoxLayout;
    ComboBox2 = new QComboBox(journal);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    ComboBox2->addItems({QStringLiteral("ВСЕ"), QStringLiteral("Возврат"), QStringLiteral("Переучет"), QStringLiteral("Приход"),
                         QStringLiteral("Уход")});
    DateTimePicker1 = new QDateEdit(QDate(1900, 1, 1), journal);
    DateTimePicker1->setObjectName(QStringLiteral("DateTimePicker1"));
    DateTimePicker1->setMinimumDate(QDate(1900, 1, 1));
    DateTimePicker1->setCalendarPopup(true);
    DateTimePicker1->setDisplayFormat(RegionalSettings::shortDatePattern());
    DateTimePicker2 = new QDateEdit(journal);
    DateTimePicker2->setObjectName(QStringLiteral("DateTimePicker2"));
    DateTimePicker2->setMinimumDate(QDate(1900, 1, 1));
    DateTimePicker2->setCalendarPopup(true);
    DateTimePicker2->setDisplayFormat(RegionalSettings::shortDatePattern());
    Button9 = new QPushButton(QStringLiteral("Просмотр"), journal);
    Button9->setObjectName(QStringLiteral("Button9"));
    Button10 = new QPushButton(QStringLiteral("Все за весь период"), journal);
    Button10->setObjectName(QStringLiteral("Button10"));
    connect(Button9, &QPushButton::clicked, this, &TForm1::Button9Click);
    connect(Button10, &QPushButton::clicked, this, &TForm1::Button10Click);
    for (QWidget* w : std::initializer_list<QWidget*>{ComboBox2, DateTimePicker1, DateTimePicker2, Button9, Button10})
        HelpContext::set(w, 16);
    filter->addWidget(new QLabel(QStringLiteral("Вид:"), journal));
    filter->addWidget(ComboBox2);
    filter->addWidget(new QLabel(QStringLiteral("C"), journal));
    filter->addWidget(DateTimePicker1);
    filter->addWidget(new QLabel(QStringLiteral("По"), journal));
    filter->addWidget(DateTimePicker2);
    filter->addWidget(Button9);
    filter->addWidget(Button10);
    filter->addStretch();
    journalLayout->addLayout(filter);

    auto* layout = new QVBoxLayout(central);
    layout->addLayout(top);
    layout->addWidget(goods, 2);
    layout->addWidget(journal, 3);

    connect(ComboBox1, &QComboBox::activated, this, &TForm1::ComboBox1Change);
}

void TForm1::buildMenu() {
    const auto item = [this](QMenu* menu, QAction** action, const char* name, const char* caption, auto handler) {
        *action = menu->addAction(QString::fromUtf8(caption));
        (*action)->setObjectName(QLatin1String(name));
        connect(*action, &QAction::triggered, this, handler);
    };
    QMenu* file = menuBar()->addMenu(QStringLiteral("Файл"));
    item(file, &N6, "N6", "Отменить", &TForm1::N6Click);
    item(file, &N4, "N4", "Восстановить", &TForm1::N4Click);
    item(file, &N2, "N2", "Выход", &TForm1::N2Click);
    QMenu* agents = menuBar()->addMenu(QStringLiteral("Реализатор"));
    item(agents, &NAddReal, "NAddReal", "Добавить реализатора", &TForm1::Button1Click);
    item(agents, &NEditReal, "NEditReal", "Изменить реализатора", &TForm1::Button2Click);
    item(agents, &NDelReal, "NDelReal", "Удалить реализатора", &TForm1::Button3Click);
    QMenu* goods = menuBar()->addMenu(QStringLiteral("Товар"));
    item(goods, &NAddTovar, "NAddTovar", "Добавить товар реализатору", &TForm1::Button4Click);
    item(goods, &NMoveTovar, "NMoveTovar", "Передать товар реализатору", &TForm1::Button5Click);
    item(goods, &NBackTovar, "NBackTovar", "Возврат товара хозяину", &TForm1::Button8Click);
    QMenu* other = menuBar()->addMenu(QStringLiteral("Другое"));
    item(other, &NPereuchet, "NPereuchet", "Переучет", &TForm1::Button6Click);
    item(other, &NKassa, "NKassa", "Касса", &TForm1::Button7Click);
    QMenu* setup = menuBar()->addMenu(QStringLiteral("Настройка"));
    item(setup, &N5, "N5", "Резервная копия", &TForm1::N5Click);
    item(setup, &N16, "N16", "Зарплата", &TForm1::N16Click);
    item(setup, &N17, "N17", "Цвета", &TForm1::N17Click);
    item(setup, &N20, "N20", "Пароль", &TForm1::N20Click);
    QMenu* help = menuBar()->addMenu(QStringLiteral("?"));
    item(help, &N21, "N21", "Помощь", &TForm1::N21Click);
    item(help, &N18, "N18", "О программе", &TForm1::N18Click);
    N6->setEnabled(false);
}

// Creation: help file, journal filter defaults, no undo after a restart, the table handles opened.
void TForm1::FormCreate() {
    helpFilePath = State().programFolder + QStringLiteral("zelmar.chm");
    ComboBox2->setCurrentIndex(0);
    DateTimePicker2->setDate(QDate::currentDate());
    removeLeftoverUndoSnapshot();
    Ledger::engine().openTables();
}

void TForm1::removeLeftoverUndoSnapshot() {
    const QString undo = UndoFolder() + QLatin1Char('/');
    for (const char* name : {"realizators.db", "tovar.db", "oper.db", "kassa.db", "info.db", "text"})
        QFile::remove(undo + QLatin1String(name));
    QDir().rmdir(UndoFolder());
}

int TForm1::currentAgentId() const {
    const int position = ComboBox1->currentIndex();
    if (position < 0 || position >= State().agentIds.size())
        return 0;
    return State().agentIds.at(position);
}

QString TForm1::agentIdText() const { return QString::number(currentAgentId()); }

void TForm1::RefreshMainWindow() {
    // Also before the first activation (a question may take it first), the link is never black.
    paintChartButton();
    // 1. Total goods: whole counts times prices; the stored line sums are not used here.
    double total = 0;
    Query& work = OpenWorkQuery(QStringLiteral("SELECT * FROM tovar"));
    for (work.first(); !work.eof(); work.next())
        total += double(work.fieldByName(QStringLiteral("t_col")).asInteger()) * work.fieldByName(QStringLiteral("t_price")).asFloat();
    work.close();
    Label4->setText(QStringLiteral("Общий товар: ") + NumberText::general(total) + QStringLiteral(" грн."));

    // 2. Agent list, by position.
    const int remembered = ComboBox1->currentIndex();
    {
        const QSignalBlocker blocker(ComboBox1);
        ComboBox1->clear();
        State().agentIds.clear();
        Query& agents = OpenWorkQuery(QStringLiteral("SELECT * FROM realizators ORDER BY r_fam"));
        QStringList names;
        for (agents.first(); !agents.eof(); agents.next()) {
            names << agents.fieldByName(QStringLiteral("r_fam")).asString() + QLatin1Char(' ') +
                         agents.fieldByName(QStringLiteral("r_name")).asString() + QLatin1Char(' ') +
                         agents.fieldByName(QStringLiteral("r_otch")).asString();
            State().agentIds.push_back(int(agents.fieldByName(QStringLiteral("r_id")).asInteger()));
        }
        agents.close();
        ComboBox1->addItems(names);
        // 3. The same position again, or the last one.
        int position = remembered < 0 ? 0 : remembered;
        if (position > ComboBox1->count() - 1)
            position = ComboBox1->count() - 1;
        ComboBox1->setCurrentIndex(position);
    }
    const QString id = agentIdText();

    // 4. Agent details.
    Query& agent = OpenWorkQuery(QStringLiteral("SELECT * FROM realizators WHERE r_id=\"%1\" ORDER BY r_fam").arg(id));
    showAgentDetails(agent);
    agent.close();

    fillArticleList();
    fillHeldGoods(id);

    // 7. Goods grid.
    Query1.close();
    Query1.setSql(QStringLiteral("SELECT * FROM tovar WHERE r_id=\"%1\" ORDER BY t_name").arg(id));
    Query1.open();
    applyGoodsCaptions();

    // 8. Journal, newest first.
    Query2.close();
    Query2.setSql(QStringLiteral("SELECT * FROM oper WHERE r_id=\"%1\" ORDER BY o_date DESC, o_time DESC").arg(id));
    Query2.open();
    applyJournalCaptions();
}

void TForm1::showAgentDetails(Query& agent) {
    Label5->setText(agent.fieldByName(QStringLiteral("r_pasport")).asString());
    Label6->setText(agent.fieldByName(QStringLiteral("r_adres")).asString());
    Label7->setText(QStringLiteral("Остаток: ") + agent.fieldByName(QStringLiteral("ostatok")).asString() + QStringLiteral(" грн."));
    const Field debt = agent.fieldByName(QStringLiteral("dolg"));
    if (debt.asFloat() >= 0)
        Label1->setText(QStringLiteral("Долг реализатора: ") + debt.asString() + QStringLiteral(" грн."));
    else
        Label1->setText(QStringLiteral("Долг хозяина: ") + NumberText::general(debt.asFloat() * -1) + QStringLiteral(" грн."));
}

// 5. The article list and the add-goods window's article box.
void TForm1::fillArticleList() {
    Query articles(&Ledger::engine());
    articles.setSql(QStringLiteral("SELECT DISTINCT t_name, t_price FROM tovar ORDER BY t_name"));
    articles.open();
    State().articles.clear();
    QStringList names;
    for (articles.first(); !articles.eof(); articles.next()) {
        const QString name = articles.fieldByName(QStringLiteral("t_name")).asString();
        names << name;
        State().articles.append(name, articles.fieldByName(QStringLiteral("t_price")).asString());
    }
    if (Form3) {
        Form3->ComboBox1->clear();
        Form3->ComboBox1->addItems(names);
    }
}

// 6. The held-goods list and the transfer window's goods box.
void TForm1::fillHeldGoods(const QString& agentId) {
    Query held(&Ledger::engine());
    held.setSql(QStringLiteral("SELECT DISTINCT * FROM tovar WHERE r_id=\"%1\" ORDER BY t_name").arg(agentId));
    held.open();
    FillHeldGoods(held);
    if (!Form4)
        return;
    Form4->ComboBox2->clear();
    held.first();
    Form4->Edit1->setText(held.fieldByName(QStringLiteral("t_price")).asString());
    Form4->Edit3->setText(held.fieldByName(QStringLiteral("t_col")).asString());
    Form4->Edit2->clear();
    for (int p = 0; p < State().heldGoods.count; ++p)
        Form4->ComboBox2->addItem(State().heldGoods.name(p));
    Form4->ComboBox2->setCurrentIndex(Form4->ComboBox2->count() > 0 ? 0 : -1);
}

void TForm1::applyGoodsCaptions() {
    const char* captions[] = {nullptr, "Назв. товара", "Цена", "Кол-во", "Сумма"};
    for (int i = 0; i < Query1.fieldCount() && i < 5; ++i) {
        Query1.fieldInfo(i).visible = captions[i] != nullptr;
        if (captions[i])
            Query1.fieldInfo(i).caption = QString::fromUtf8(captions[i]);
    }
    goodsModel->reload();
    if (Query1.recordCount() > 0)
        DBGrid1->setCurrentIndex(goodsModel->index(0, 0));
}

void TForm1::applyJournalCaptions() {
    const char* captions[] = {nullptr, "Дата", nullptr, "Вид", "Кому/От кого", "Назв. товара", "Цена", "Кол-во", "Сумма"};
    for (int i = 0; i < Query2.fieldCount() && i < 9; ++i) {
        Query2.fieldInfo(i).visible = captions[i] != nullptr;
        if (captions[i])
            Query2.fieldInfo(i).caption = QString::fromUtf8(captions[i]);
    }
    journalModel->reload();
    if (Query2.recordCount() > 0)
        DBGrid2->setCurrentIndex(journalModel->index(0, 0));
}

void TForm1::ComboBox1Change() {
    const QString id = agentIdText();
    Query1.close();
    Query1.setSql(QStringLiteral("SELECT * FROM realizators WHERE r_id=\"%1\"").arg(id));
    Query1.open();
    showAgentDetails(Query1);
    Query1.close();
    Query1.setSql(QStringLiteral("SELECT * FROM tovar WHERE r_id=\"%1\" ORDER BY t_name").arg(id));
    Query1.open();
    applyGoodsCaptions();
    Query2.close();
    Query2.setSql(QStringLiteral("SELECT * FROM oper WHERE r_id=\"%1\" ORDER BY o_date DESC, o_time DESC").arg(id));
    Query2.open();
    applyJournalCaptions();
}

void TForm1::applyEnablingRules() {
    const QList<QWidget*> agentButtons{Button2, Button3, Button4};
    const QList<QAction*> agentItems{NEditReal, NDelReal, NAddTovar};
    const QList<QWidget*> goodsButtons{Button6, Button7, Button8};
    const QList<QAction*> goodsItems{NBackTovar, NPereuchet, NKassa};
    const bool noAgent = ComboBox1->currentText().isEmpty();
    const bool hasGoods = !noAgent && Query1.isOpen() && Query1.recordCount() >= 1;
    for (QWidget* b : agentButtons)
        b->setEnabled(!noAgent);
    for (QAction* a : agentItems)
        a->setEnabled(!noAgent);
    for (QWidget* b : goodsButtons)
        b->setEnabled(hasGoods);
    for (QAction* a : goodsItems)
        a->setEnabled(hasGoods);
    const bool canTransfer = hasGoods && ComboBox1->count() >= 2;
    Button5->setEnabled(canTransfer);
    NMoveTovar->setEnabled(canTransfer);
}

// Asks to switch a screen that is too small; false when the program is to end.
bool TForm1::checkResolution() {
    const QSize screen = DisplayMode::screenSize();
    if (!(screen.width() < 1024 && screen.height() < 768))
        return true;
    const QString question = QStringLiteral("Текущее разрешение экрана (") + QString::number(screen.width()) +
                             QStringLiteral("х ") + QString::number(screen.height()) +
                             QStringLiteral(") слишком мало для данной программы.") +
                             QStringLiteral("Вы хотите его изменить на 1024х768 ?");
    if (Messages::ask(QStringLiteral("Зелмар"), question)) {
        if (DisplayMode::switchTo1024x768())
            fillScreen();
        return true;
    }
    Messages::show(QStringLiteral("Программа не может работать на таком разрешении."));
    return false;
}

void TForm1::fillScreen() {
    const QSize screen = DisplayMode::screenSize();
    if (size() != screen) {
        setFixedSize(screen);
        move(0, 0);
    }
}

void TForm1::fitWindows() {
    const QSize screen = DisplayMode::screenSize();
    if (screen.width() > 1024 && screen.height() > 768) {
        if (size() != QSize(1024, 740))
            setFixedSize(1024, 740);
        if (Form5 && Form5->size() != QSize(1024, 740))
            Form5->resize(1024, 740);
        if (Form14)
            Form14->setChartFillsWindow(true);
    } else if (screen == QSize(1024, 768)) {
        fillScreen();
        if (Form5 && Form5->size() != screen)
            Form5->resize(screen);
        if (Form14)
            Form14->setChartFillsWindow(true);
    }
}

void TForm1::Timer1Timer() {
    // A box raised by an earlier tick is still open: ticks keep arriving under it, but never stack
    // a second question.
    if (Messages::isOpen())
        return;
    if (!checkResolution())
        throw ProgramEnd(0);
    fitWindows();
    applyEnablingRules();
    // Activating it again only when another window took the focus, so that it is not set up anew
    // under the user's typing every tick.
    if (Form9 && Form9->isVisible() && !Form9->isActiveWindow()) {
        Form9->raise();
        Form9->activateWindow();
    }
    UndoCommandUpkeep(N6);
}

bool TForm1::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate)
        FormActivate();
    return QMainWindow::event(e);
}

void TForm1::FormActivate() {
    if (!Timer1->isActive())
        Timer1->start();
    paintChartButton();
}

// The chart link's text in the cursor colour cl3.
void TForm1::paintChartButton() {
    QPalette palette = SpeedButton1->palette();
    palette.setColor(QPalette::ButtonText, ColourScheme::colour(3));
    SpeedButton1->setPalette(palette);
}

void TForm1::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    // Asked once the window has been painted, so the question stands over the main window.
    if (!e->spontaneous())
        QMetaObject::invokeMethod(this, &TForm1::FormShow, Qt::QueuedConnection);
}

void TForm1::FormShow() {
    const QString percent = ReadSetting(QStringLiteral("Money"), QStringLiteral("Percent"));
    const QString rate = ReadSetting(QStringLiteral("Money"), QStringLiteral("Labor Rate"));
    if (percent.isEmpty() || rate.isEmpty()) {
        Messages::show(QStringLiteral("Необходимо настроить зарплату!!!"));
        showWindow(Form9);
        if (Form9)
            Form9->setFocus();
    }
}

void TForm1::closeEvent(QCloseEvent* e) {
    FormClose();
    e->accept();
}

// The snapshot folder is removed by del.bat once the program has ended.
void TForm1::FormClose() {
    Timer1->stop();
    CloseHelp();
    const QString folder = State().programFolder;
    try {
        BatchFile::start(folder, QStringLiteral("del.bat"),
                         {QStringLiteral(":try"), QStringLiteral("rd /S /Q \"%1backup/undo\"").arg(folder),
                          QStringLiteral("if exist \"%1backup/undo\" goto try").arg(folder),
                          QStringLiteral("del \"%1del.bat\"").arg(folder)});
    } catch (const BatchFileError&) {
        // Nothing is lost: the next start removes a leftover snapshot itself.
    }
    if (Application* app = Application::instance())
        app->requestEnd(0);
    else
        QCoreApplication::exit(0);
}

void TForm1::Button1Click() {
    State().cardMode = QStringLiteral("add");
    showWindow(Form2);
}

void TForm1::Button2Click() {
    State().cardMode = QStringLiteral("update");
    showWindow(Form2);
}

// Agent deletion: after two confirmations and the undo snapshot, the agent goes with all his goods
// lines, journal rows and cash entries, and with the last agent the whole history; all of it or
// nothing.
void TForm1::Button3Click() {
    if (!Messages::ask(QStringLiteral("Зелмар"), QStringLiteral("Вы действительно хотите удалить реализатора ") +
                                                     ComboBox1->currentText() + QStringLiteral("? ") +
                                                     QStringLiteral("Это приведет к удалению записей о его товаре и о его "
                                                                    "операциях! Продолжить?")))
        return;
    if (!Messages::ask(QStringLiteral("Внимание!!!"), QStringLiteral("Подумайте еще разок!!! Удаляем?")))
        return;
    MakeUndoSnapshot(QStringLiteral("удаление реализатора"));
    {
        Transaction transaction(Ledger::engine());
        for (const char* table : {"realizators", "tovar", "oper", "kassa"}) {
            Query2.close();
            Query2.clearSql();
            Query2.setSql(QStringLiteral("DELETE FROM %1 WHERE r_id=\"%2\"").arg(QLatin1String(table), agentIdText()));
            Query2.execSql();
        }
        Query2.setSql(QStringLiteral("SELECT * FROM realizators"));
        Query2.open();
        if (Query2.recordCount() <= 0) {
            Query2.close();
            Query2.setSql(QStringLiteral("DELETE FROM info"));
            Query2.execSql();
        }
        transaction.commit();
    }
    RefreshMainWindow();
}

void TForm1::Button4Click() { showWindow(Form3); }
void TForm1::Button5Click() { showWindow(Form4); }

void TForm1::Button6Click() {
    State().countMode = QStringLiteral("true");
    showWindow(Form6);
}

void TForm1::Button7Click() { showWindow(Form5); }

void TForm1::Button8Click() {
    State().countMode = QStringLiteral("false");
    showWindow(Form6);
}

// "Просмотр": the journal of one kind and a date range, both ends included.
void TForm1::Button9Click() {
    const QString kind = ComboBox2->currentText();
    const QString kindCondition = kind == QStringLiteral("ВСЕ") ? QString() : QStringLiteral("AND o_name=\"%1\"").arg(kind);
    Query2.close();
    Query2.setSql(QStringLiteral("SELECT * FROM oper WHERE r_id=\"%1\"").arg(agentIdText()) + QLatin1Char(' ') + kindCondition +
                  QStringLiteral(" AND o_date BETWEEN \"%1\" AND \"%2\" ORDER BY o_date DESC, o_time DESC")
                      .arg(RegionalSettings::formatDate(DateTimePicker1->date()),
                           RegionalSettings::formatDate(DateTimePicker2->date())));
    Query2.open();
    applyJournalCaptions();
}

void TForm1::Button10Click() {
    Query2.close();
    Query2.setSql(QStringLiteral("SELECT * FROM oper WHERE r_id=\"%1\" ORDER BY o_date DESC, o_time DESC").arg(agentIdText()));
    Query2.open();
    applyJournalCaptions();
}

void TForm1::DBGrid1TitleClick(int column) {
    const int field = goodsModel->fieldOfColumn(column);
    if (field < 0)
        return;
    const QString name = Query1.fieldInfo(field).name;
    Query1.close();
    Query1.setSql(QStringLiteral("SELECT * FROM tovar WHERE r_id=\"%1\" ORDER BY %2").arg(agentIdText(), name));
    Query1.open();
    applyGoodsCaptions();
}

void TForm1::SpeedButton1Click() {
    if (!Form14)
        return;
    Form14->closeQuery();
    Form14->openQuery();
    showWindow(Form14);
}

void TForm1::N2Click() { close(); }

void TForm1::N4Click() { RestoreFromArchive(); }

void TForm1::N5Click() { showWindow(Form13); }

void TForm1::N6Click() {
    if (UndoLastOperation())
        N6->setText(QStringLiteral("Отменить"));
}

void TForm1::N16Click() { showWindow(Form9); }
void TForm1::N17Click() { showWindow(Form10); }
void TForm1::N18Click() { showWindow(Form7); }
void TForm1::N20Click() { showWindow(Form11); }

void TForm1::N21Click() { ShowHelpContents(); }
