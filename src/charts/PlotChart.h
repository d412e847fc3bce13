#pragma once

#include <QChart>
#include <QValueAxis>

#include "plot/PlotData.h"

namespace kivo {

// A chart of output columns over time: one line per column and person (the
// partner's dashed in the same colour), broken wherever a frame has no value;
// the statistics of each column as its mean line and a band of ± one
// standard deviation; the movement phases of Activation columns shaded. The
// lines are decimated for the visible time range and the chart's width, and
// drawn again whenever the time axis changes (zooming and panning), so that
// long recordings stay quick without losing a peak.
class PlotChart : public QChart {
    Q_OBJECT

  public:
    explicit PlotChart(PlotData data, QGraphicsItem* parent = nullptr);

    const PlotData& Data() const { return data_; }

    // Shows the whole recording with a value axis that holds every value.
    void ShowAll();
    void SetStatisticsShown(bool shown);
    void SetPhasesShown(bool shown);
    bool HasStatistics() const;
    bool HasPhases() const;

    QValueAxis* TimeAxis() const { return timeAxis_; }
    QValueAxis* ValueAxis() const { return valueAxis_; }

  private:
    void Redraw();
    void AddSeriesLines(const PlotSeries& series, const QColor& color, double from, double to);
    void AddStatistics(const PlotSeries& series, const QColor& color, double from, double to);
    void AddPhases(const PlotSeries& series, const QColor& color, double from, double to);
    void Attach(QAbstractSeries* series, bool inLegend);

    PlotData data_;
    QValueAxis* timeAxis_;
    QValueAxis* valueAxis_;
    bool statisticsShown_ = true;
    bool phasesShown_ = true;
    bool redrawing_ = false;
    bool phaseLegendShown_ = false;
    double drawnWidth_ = 0.0;  // the width the lines were thinned for
};

// Draws `chart` into a PNG file (any other extension than ".svg") or an SVG
// file of `size` pixels, without a display. The chart keeps its scene (the
// plot window's) or is drawn in a scene of its own. False with `error` set
// when the file cannot be written.
bool RenderChart(QChart& chart, const QSize& size, const QString& path, QString& error);

}  // namespace kivo
