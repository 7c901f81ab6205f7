// The look both charts of the ledger share: a red line without point markers or value marks on a
// flat chart shaded from silver to white, no legend, no title, dates "dd.MM.yy" turned 90 degrees
// along the bottom, numbers in the regional decimal separator.
#pragma once

class QChart;
class QDateTimeAxis;
class QLineSeries;

class ChartLook {
public:
    // A new chart holding a new red line series; the caller owns the chart.
    static QChart* lineChart(QLineSeries** series);
    // The date axis along the bottom, attached to the series.
    static QDateTimeAxis* dateAxis(QChart* chart, QLineSeries* series);
};
