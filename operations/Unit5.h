// The cash window: the cash the current agent hands over for a day and his salary for that day, his
// cash entries with their totals, and a line chart of cash by date, for the whole period or a chosen
// one. The grid and the chart both show the window's one query over kassa, through which every
// statement of the window on kassa runs.
#pragma once

#include "platform/engine/Query.h"

#include <QDialog>

class FilteredLineEdit;
class QChart;
class QChartView;
class QDateEdit;
class QDateTimeAxis;
class QGroupBox;
class QLabel;
class QLineSeries;
class QPushButton;
class QTableView;
class QTimer;
class QValueAxis;
class QueryModel;

class TForm5 : public QDialog {
    Q_OBJECT
public:
    explicit TForm5(QWidget* parent = nullptr);

    Query Query1; // created over "SELECT * FROM kassa ORDER BY k_date"

    QLabel* Label1;
    QGroupBox* GroupBox1;       // "Просмотр кассы"
    QDateEdit* DateTimePicker2; // "C"
    QDateEdit* DateTimePicker3; // "ПО"
    QPushButton* Button1;
    QPushButton* Button2;
    QGroupBox* GroupBox2;       // "Добавление кассы"
    QDateEdit* DateTimePicker1; // "Дата"
    FilteredLineEdit* Edit1;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QGroupBox* GroupBox3; // names the period shown
    QTableView* DBGrid1;
    QLabel* Label6;
    QLabel* Label7;
    QChartView* DBChart1;
    QLineSeries* Series1;
    QTimer* Timer1;

    void FormActivate();
    void Timer1Timer();
    void Button1Click();
    void Button2Click();
    void BitBtn1Click();
    void BitBtn2Click();

    void reject() override;

protected:
    bool event(QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    void buildControls();
    void buildChart();
    QString agentIdText() const;
    QString wholePeriodSelect() const;
    // Runs one statement on Query1 (a SELECT is opened, a change executed); the grid and the chart
    // follow the query at once, so they never show rows it no longer holds.
    void runOnQuery1(const QString& statement);
    void loadView(const QString& statement, const QString& salaryCaption);
    void drawChart();
    // Writes the day's entry, or replaces it after the question; a message when there is nothing to write.
    void addCash();
    bool readSalarySettings(double* rate, double* percent) const;

    QueryModel* Model1;
    QChart* chart;
    QDateTimeAxis* dateAxis;
    QValueAxis* valueAxis;
};

extern TForm5* Form5;
