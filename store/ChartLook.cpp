#include "store/ChartLook.h"

#include "platform/RegionalSettings.h"

#include <QChart>
#include <QDateTimeAxis>
#include <QGraphicsLayout>
#include <QLineSeries>
#include <QLinearGradient>
#include <QPen>

QChart* ChartLook::lineChart(QLineSeries** series) {
    auto* line = new QLineSeries;
    line->setPen(QPen(Qt::red, 2));
    line->setPointsVisible(false);
    line->setPointLabelsVisible(false);

    auto* chart = new QChart;
    chart->setLocalizeNumbers(true);
    chart->setLocale(RegionalSettings::numberLocale());
    chart->addSeries(line);
    chart->legend()->hide();
    chart->setTitle(QString());
    chart->setDropShadowEnabled(false);
    chart->setBackgroundRoundness(0);
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    QLinearGradient shade(0, 0, 0, 1);
    shade.setCoordinateMode(QGradient::ObjectBoundingMode);
    shade.setColorAt(0, QColor(0xC0, 0xC0, 0xC0));
    shade.setColorAt(1, Qt::white);
    chart->setBackgroundBrush(shade);
    *series = line;
    return chart;
}

QDateTimeAxis* ChartLook::dateAxis(QChart* chart, QLineSeries* series) {
    auto* axis = new QDateTimeAxis;
    axis->setFormat(QStringLiteral("dd.MM.yy"));
    axis->setLabelsAngle(-90);
    chart->addAxis(axis, Qt::AlignBottom);
    series->attachAxis(axis);
    return axis;
}
