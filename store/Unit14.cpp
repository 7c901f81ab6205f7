#include "store/Unit14.h"

#include "platform/RegionalSettings.h"
#include "store/ChartLook.h"
#include "store/Ledger.h"

#include <QChart>
#include <QChartView>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QGraphicsLayout>
#include <QGuiApplication>
#include <QLineSeries>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPolygonF>
#include <QRubberBand>
#include <QScreen>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

TForm14* Form14 = nullptr;

namespace {

// The chart's place in the window while it does not follow the window's size.
const QRect kDesignRect(0, 0, 800, 560);
// A drag shorter than this is a click and changes nothing.
constexpr int kMinimumDrag = 4;
constexpr double kMsecsPerDay = 86400000.0;

// 1, 2 or 5 times a power of ten, the smallest such step not below `rough`.
double niceStep(double rough) {
    if (!(rough > 0))
        return 1;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (double factor : {1.0, 2.0, 5.0, 10.0}) {
        if (factor * power >= rough * (1 - 1e-9))
            return factor * power;
    }
    return 10 * power;
}

} // namespace

TForm14::TForm14(QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint |
                          Qt::WindowStaysOnTopHint) {
    // The close button comes with the system menu of the title bar; minimising is not offered.
    setWindowTitle(QStringLiteral("График общего товара"));
    resize(kDesignRect.size());
    buildChart();
    placeChart();
    centreOnDesktop();

    Query1.setSql(QStringLiteral("SELECT * FROM info ORDER BY i_date"));
    // Tools and tests may create the window before the ledger exists; the query is then opened by
    // the first openQuery. Any other failure is the engine's and is not caught.
    if (Ledger::isOpen())
        openQuery();
    // Only a window that was built completely becomes the program's chart window.
    Form14 = this;
}

TForm14::~TForm14() {
    if (Form14 == this)
        Form14 = nullptr;
}

void TForm14::buildChart() {
    chart = ChartLook::lineChart(&Series1);

    dateAxis = ChartLook::dateAxis(chart, Series1);

    valueAxis = new QValueAxis;
    valueAxis->setTickType(QValueAxis::TicksDynamic);
    valueAxis->setTickAnchor(0);
    chart->addAxis(valueAxis, Qt::AlignLeft);
    Series1->attachAxis(valueAxis);

    // Scale steps follow the visible range, after a zoom or a pan as well.
    connect(dateAxis, &QDateTimeAxis::rangeChanged, this, [this] { fitDateTicks(); });
    connect(valueAxis, &QValueAxis::rangeChanged, this, [this] { fitValueTicks(); });

    Chart1 = new QChartView(chart, this);
    Chart1->setObjectName(QStringLiteral("Chart1"));
    Chart1->setRenderHint(QPainter::Antialiasing);
    Chart1->setFrameShape(QFrame::NoFrame);
    Chart1->setRubberBand(QChartView::NoRubberBand);
    Chart1->viewport()->installEventFilter(this);
    band = new QRubberBand(QRubberBand::Rectangle, Chart1->viewport());

    drawSeries();
}

void TForm14::placeChart() {
    Chart1->setGeometry(fills ? rect() : kDesignRect);
}

void TForm14::centreOnDesktop() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = geometry();
    frame.moveCenter(screen->availableGeometry().center());
    // Moving before the first show also keeps the dialog from placing itself over its parent.
    move(frame.topLeft());
}

void TForm14::setChartFillsWindow(bool fill) {
    if (fills == fill)
        return;
    fills = fill;
    placeChart();
}

void TForm14::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    placeChart();
}

void TForm14::openQuery() {
    if (Query1.isOpen())
        return;
    // The ledger may have been set up anew since the last open.
    Query1.setEngine(&Ledger::engine());
    Query1.open();
    drawSeries();
}

void TForm14::closeQuery() {
    Query1.close();
    drawSeries();
}

bool TForm14::hasLine() const {
    return Series1->count() >= 2;
}

// Points in ascending date order; fewer than two rows make no line, and the chart then stays blank.
void TForm14::drawSeries() {
    QList<QPointF> points;
    if (Query1.isOpen()) {
        const int date = Query1.fieldIndex(QStringLiteral("i_date"));
        const int summ = Query1.fieldIndex(QStringLiteral("i_summ"));
        for (int row = 0; row < Query1.recordCount(); ++row) {
            const QDate day = Query1.fieldAt(row, date).asDate();
            if (day.isValid())
                points.append(QPointF(double(day.startOfDay().toMSecsSinceEpoch()),
                                      Query1.fieldAt(row, summ).asFloat()));
        }
        std::stable_sort(points.begin(), points.end(),
                         [](const QPointF& a, const QPointF& b) { return a.x() < b.x(); });
    }
    if (points.size() < 2)
        points.clear();
    Series1->replace(points);
    dateAxis->setVisible(!points.isEmpty());
    valueAxis->setVisible(!points.isEmpty());
    showFullRange();
}

// Every day of the history, the values from 0 up to the largest.
void TForm14::showFullRange() {
    const QList<QPointF> points = Series1->points();
    if (points.size() < 2)
        return;
    double largest = 0;
    for (const QPointF& point : points)
        largest = std::max(largest, point.y());
    dateAxis->setRange(QDateTime::fromMSecsSinceEpoch(qint64(points.first().x())),
                       QDateTime::fromMSecsSinceEpoch(qint64(points.last().x())));
    valueAxis->setRange(0, largest > 0 ? largest : 1);
}

// At most fifteen steps, and none shorter than a day while the range allows, so that no two labels
// show the same date.
void TForm14::fitDateTicks() {
    const double days = double(dateAxis->min().msecsTo(dateAxis->max())) / kMsecsPerDay;
    const int steps = std::clamp(int(std::floor(days + 1e-9)), 1, 15);
    dateAxis->setTickCount(steps + 1);
}

// Round steps from 0, about five of them over the visible range, with as many decimals as they need.
void TForm14::fitValueTicks() {
    const double step = niceStep((valueAxis->max() - valueAxis->min()) / 5);
    valueAxis->setTickInterval(step);
    const int decimals = std::max(0, int(-std::floor(std::log10(step) + 1e-9)));
    valueAxis->setLabelFormat(QStringLiteral("%.%1f").arg(decimals));
}

bool TForm14::eventFilter(QObject* watched, QEvent* event) {
    if (Chart1 && watched == Chart1->viewport()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            return pressMouse(static_cast<QMouseEvent*>(event));
        case QEvent::MouseMove:
            return moveMouse(static_cast<QMouseEvent*>(event));
        case QEvent::MouseButtonRelease:
            return releaseMouse(static_cast<QMouseEvent*>(event));
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool TForm14::pressMouse(QMouseEvent* event) {
    if (dragButton != Qt::NoButton)
        return true; // one drag at a time
    if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton)
        return false;
    dragButton = event->button();
    dragStart = dragLast = event->position().toPoint();
    if (dragButton == Qt::LeftButton) {
        band->setGeometry(QRect(dragStart, QSize()));
        band->show();
    }
    return true;
}

bool TForm14::moveMouse(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (dragButton == Qt::LeftButton) {
        band->setGeometry(QRect(dragStart, at).normalized());
    } else if (dragButton == Qt::RightButton) {
        if (hasLine())
            chart->scroll(dragLast.x() - at.x(), at.y() - dragLast.y());
    } else {
        return false;
    }
    dragLast = at;
    return true;
}

bool TForm14::releaseMouse(QMouseEvent* event) {
    if (dragButton == Qt::NoButton)
        return false;
    if (event->button() != dragButton)
        return true;
    const QPoint at = event->position().toPoint();
    if (dragButton == Qt::LeftButton) {
        band->hide();
        zoomOrReset(dragStart, at);
    } else if (hasLine()) {
        chart->scroll(dragLast.x() - at.x(), at.y() - dragLast.y());
    }
    dragButton = Qt::NoButton;
    return true;
}

// To the right: the marked rectangle, within the plot area, becomes the visible range. To the left:
// back to the full view.
void TForm14::zoomOrReset(const QPoint& from, const QPoint& to) {
    if (!hasLine())
        return;
    const int dx = to.x() - from.x();
    if (dx <= -kMinimumDrag) {
        showFullRange();
        return;
    }
    if (dx < kMinimumDrag || std::abs(to.y() - from.y()) < kMinimumDrag)
        return;
    const QRectF area = chartRect(QRect(from, to).normalized()).intersected(chart->plotArea());
    if (area.isEmpty())
        return;
    const QPointF topLeft = chart->mapToValue(area.topLeft(), Series1);
    const QPointF bottomRight = chart->mapToValue(area.bottomRight(), Series1);
    dateAxis->setRange(QDateTime::fromMSecsSinceEpoch(qint64(std::llround(topLeft.x()))),
                       QDateTime::fromMSecsSinceEpoch(qint64(std::llround(bottomRight.x()))));
    valueAxis->setRange(bottomRight.y(), topLeft.y());
}

QRectF TForm14::chartRect(const QRect& viewportRect) const {
    const QPolygonF scene = Chart1->mapToScene(viewportRect);
    return chart->mapFromScene(scene).boundingRect();
}
