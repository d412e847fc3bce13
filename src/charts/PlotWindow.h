#pragma once

#include <QWidget>

#include "plot/PlotData.h"

class QChartView;
class QCheckBox;
class QLabel;
class QLineEdit;

namespace kivo {

class PlotChart;

// A window that plots chosen output columns over time (see PlotChart): a
// regular expression chooses the columns, check boxes show or hide the
// statistics and the movement phases. Drag across the chart to zoom into a
// time range, the wheel zooms, the arrow keys and a drag with the right
// button pan, "Show All" returns to the whole recording; "Export..." writes
// the chart as it is shown to a PNG or SVG file.
class PlotWindow : public QWidget {
    Q_OBJECT

  public:
    // Plots the columns of `request` (with no pattern: its Activation
    // columns, else its first column). Throws as LoadPlotData does, so that
    // the caller can tell the user before a window opens.
    explicit PlotWindow(PlotRequest request, QWidget* parent = nullptr);

    PlotChart* Chart() const { return chart_; }
    // Writes the chart as shown into `path` (.svg or else PNG) at the size
    // of the chart view; false with `error` set when it cannot be written.
    bool Export(const QString& path, QString& error);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void ShowColumns();
    void ShowChart(PlotData plotData);
    void AskAndExport();

    PlotRequest request_;
    PlotChart* chart_ = nullptr;
    QChartView* view_ = nullptr;
    QLineEdit* columns_ = nullptr;
    QCheckBox* statistics_ = nullptr;
    QCheckBox* phases_ = nullptr;
    QLabel* message_ = nullptr;
};

}  // namespace kivo
