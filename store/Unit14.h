// The total-goods chart window: the history of table info drawn as a red line over the dates, with
// zoom by a left drag to the right, back to the full view by a left drag to the left, and panning by
// a right drag. Created once at program start and shown on demand; Escape hides it.
#pragma once

#include "platform/engine/Query.h"

#include <QDialog>
#include <QPoint>
#include <QRect>

class QChart;
class QChartView;
class QDateTimeAxis;
class QLineSeries;
class QMouseEvent;
class QRubberBand;
class QValueAxis;

class TForm14 : public QDialog {
    Q_OBJECT

public:
    explicit TForm14(QWidget* parent = nullptr);
    ~TForm14() override;

    // "SELECT * FROM info ORDER BY i_date"; the chart draws its rows.
    Query Query1;

    // Opens the query and draws its rows; an open query stays as it is and is not re-read.
    void openQuery();
    // Closes the query; the chart goes blank.
    void closeQuery();
    // True: the chart fills the window and follows its size; false: it keeps its design size.
    void setChartFillsWindow(bool fills);
    bool chartFillsWindow() const { return fills; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildChart();
    void placeChart();
    void centreOnDesktop();
    void drawSeries();
    void showFullRange();
    void fitDateTicks();
    void fitValueTicks();
    bool hasLine() const;

    bool pressMouse(QMouseEvent* event);
    bool moveMouse(QMouseEvent* event);
    bool releaseMouse(QMouseEvent* event);
    void zoomOrReset(const QPoint& from, const QPoint& to);
    QRectF chartRect(const QRect& viewportRect) const;

    QChartView* Chart1 = nullptr;
    QChart* chart = nullptr;
    QLineSeries* Series1 = nullptr;
    QDateTimeAxis* dateAxis = nullptr;
    QValueAxis* valueAxis = nullptr;
    QRubberBand* band = nullptr;

    bool fills = false;
    Qt::MouseButton dragButton = Qt::NoButton;
    QPoint dragStart;
    QPoint dragLast;
};

// The program's chart window; nullptr until the program creates it.
extern TForm14* Form14;
