#include "charts/PlotChart.h"

#include <QAreaSeries>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QImage>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QScatterSeries>
#include <QSvgGenerator>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <span>

#include "plot/Decimation.h"

namespace kivo {
namespace {

// Distinct colours for up to ten columns, then again from the start.
constexpr std::array<QRgb, 10> kPalette = {0x1f77b4, 0xd62728, 0x2ca02c, 0xff7f0e, 0x9467bd,
                                           0x8c564b, 0xe377c2, 0x17becf, 0xbcbd22, 0x7f7f7f};

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// The samples of a series that fall into [from, to], with one more on either
// side so that lines run to the edges of the chart.
std::pair<std::size_t, std::size_t> VisibleSamples(const std::vector<double>& time, double from,
                                                   double to) {
    auto first = std::lower_bound(time.begin(), time.end(), from);
    auto last = std::upper_bound(time.begin(), time.end(), to);
    if (first != time.begin())
        --first;
    if (last != time.end())
        ++last;
    return {static_cast<std::size_t>(first - time.begin()),
            static_cast<std::size_t>(last - time.begin())};
}

// The time at which data line `line` ends (where the next one starts).
double LineEnd(const std::vector<double>& time, std::size_t line) {
    if (line + 1 < time.size())
        return time[line + 1];
    return time.empty() ? 0.0 : time.back();
}

}  // namespace

PlotChart::PlotChart(PlotData data, QGraphicsItem* parent)
    : QChart(parent),
      data_(std::move(data)),
      timeAxis_(new QValueAxis(this)),
      valueAxis_(new QValueAxis(this)) {
    setTitle(Text(data_.title));
    timeAxis_->setTitleText(QStringLiteral("Time (s)"));
    timeAxis_->setLabelFormat(QStringLiteral("%.2f"));
    addAxis(timeAxis_, Qt::AlignBottom);
    addAxis(valueAxis_, Qt::AlignLeft);
    legend()->setAlignment(Qt::AlignRight);
    legend()->setShowToolTips(true);
    connect(timeAxis_, &QValueAxis::rangeChanged, this, [this] {
        if (!redrawing_)
            Redraw();
    });
    // The lines are thinned for the chart's width: drawn when it first has
    // one, and again when it changes.
    connect(this, &QGraphicsWidget::geometryChanged, this, [this] {
        if (!redrawing_ && size().width() != drawnWidth_)
            Redraw();
    });
    ShowAll();
}

bool PlotChart::HasStatistics() const {
    return std::any_of(data_.series.begin(), data_.series.end(),
                       [](const PlotSeries& s) { return !s.statistics.empty(); });
}

bool PlotChart::HasPhases() const {
    return std::any_of(data_.series.begin(), data_.series.end(),
                       [](const PlotSeries& s) { return s.phases.has_value(); });
}

void PlotChart::SetStatisticsShown(bool shown) {
    statisticsShown_ = shown;
    Redraw();
}

void PlotChart::SetPhasesShown(bool shown) {
    phasesShown_ = shown;
    Redraw();
}

void PlotChart::ShowAll() {
    double timeLow = 0.0, timeHigh = 0.0, low = 0.0, high = 0.0;
    bool anyTime = false, anyValue = false;
    auto include = [&](double v) {
        if (std::isnan(v))
            return;
        low = anyValue ? std::min(low, v) : v;
        high = anyValue ? std::max(high, v) : v;
        anyValue = true;
    };
    for (const PlotSeries& series : data_.series) {
        if (!series.time.empty()) {
            timeLow = anyTime ? std::min(timeLow, series.time.front()) : series.time.front();
            timeHigh = anyTime ? std::max(timeHigh, series.time.back()) : series.time.back();
            anyTime = true;
        }
        for (double v : series.values)
            include(v);
        for (const StatisticsStretch& s : series.statistics) {
            include(s.mean);
            if (!std::isnan(s.standardDeviation)) {
                include(s.mean - s.standardDeviation);
                include(s.mean + s.standardDeviation);
            }
        }
        if (series.phases)
            include(series.movementThreshold);
    }
    if (!anyTime || timeHigh <= timeLow)
        timeHigh = timeLow + 1.0;
    if (!anyValue) {
        low = 0.0;
        high = 1.0;
    }
    const double margin = high > low ? (high - low) * 0.05 : std::max(1.0, std::fabs(high) * 0.05);
    redrawing_ = true;
    valueAxis_->setRange(low - margin, high + margin);
    timeAxis_->setRange(timeLow, timeHigh);
    redrawing_ = false;
    Redraw();
}

void PlotChart::Attach(QAbstractSeries* series, bool inLegend) {
    addSeries(series);
    series->attachAxis(timeAxis_);
    series->attachAxis(valueAxis_);
    if (!inLegend) {
        for (QLegendMarker* marker : legend()->markers(series))
            marker->setVisible(false);
    }
}

void PlotChart::Redraw() {
    if (size().isEmpty())
        return;
    redrawing_ = true;
    drawnWidth_ = size().width();
    const double from = timeAxis_->min();
    const double to = timeAxis_->max();
    const double low = valueAxis_->min();
    const double high = valueAxis_->max();
    removeAllSeries();
    phaseLegendShown_ = false;

    std::map<std::string, std::size_t> colourOf;
    for (const PlotSeries& series : data_.series)
        colourOf.emplace(series.caption, colourOf.size());
    auto colour = [&](const PlotSeries& series) {
        return QColor(kPalette[colourOf[series.caption] % kPalette.size()]);
    };
    if (phasesShown_) {
        for (const PlotSeries& series : data_.series)
            AddPhases(series, colour(series), from, to);
    }
    if (statisticsShown_) {
        for (const PlotSeries& series : data_.series)
            AddStatistics(series, colour(series), from, to);
    }
    for (const PlotSeries& series : data_.series)
        AddSeriesLines(series, colour(series), from, to);

    // New series must not move the axes the user zoomed or panned to.
    timeAxis_->setRange(from, to);
    valueAxis_->setRange(low, high);
    redrawing_ = false;
}

void PlotChart::AddSeriesLines(const PlotSeries& series, const QColor& color, double from,
                               double to) {
    const auto [first, last] = VisibleSamples(series.time, from, to);
    if (first >= last)
        return;
    const std::size_t buckets = static_cast<std::size_t>(std::max(200.0, size().width()));
    const std::vector<PlotPoint> points =
        DecimateForDrawing(std::span(series.time).subspan(first, last - first),
                           std::span(series.values).subspan(first, last - first), buckets);

    const bool dyad = std::any_of(data_.series.begin(), data_.series.end(),
                                  [](const PlotSeries& s) { return s.person == 2; });
    const QString name = Text(SeriesLabel(series, dyad, data_.decimalSymbol));
    QPen pen(color, 1.5);
    if (series.person == 2)
        pen.setStyle(Qt::DashLine);
    QList<QPointF> run;
    QList<QPointF> lonePoints;
    bool named = false;
    auto flush = [&] {
        if (run.size() == 1) {
            lonePoints.append(run.front());
        } else if (run.size() > 1) {
            auto* line = new QLineSeries();
            line->setName(name);
            line->setPen(pen);
            line->replace(run);
            Attach(line, !named);
            named = true;
        }
        run.clear();
    };
    for (const PlotPoint& p : points) {
        if (std::isnan(p.y))
            flush();
        else
            run.append(QPointF(p.x, p.y));
    }
    flush();
    if (!lonePoints.isEmpty()) {
        auto* scatter = new QScatterSeries();
        scatter->setName(name);
        scatter->setMarkerSize(4.0);
        scatter->setColor(color);
        scatter->setBorderColor(color);
        scatter->replace(lonePoints);
        Attach(scatter, !named);
    }
}

void PlotChart::AddStatistics(const PlotSeries& series, const QColor& color, double from,
                              double to) {
    for (const StatisticsStretch& stretch : series.statistics) {
        if (stretch.count == 0 || stretch.first >= series.time.size() || std::isnan(stretch.mean))
            continue;
        const double start = std::max(from, series.time[stretch.first]);
        const double end = std::min(to, LineEnd(series.time, stretch.first + stretch.count - 1));
        if (start >= end)
            continue;
        if (!std::isnan(stretch.standardDeviation)) {
            auto* upper = new QLineSeries();
            auto* lower = new QLineSeries();
            upper->append(start, stretch.mean + stretch.standardDeviation);
            upper->append(end, stretch.mean + stretch.standardDeviation);
            lower->append(start, stretch.mean - stretch.standardDeviation);
            lower->append(end, stretch.mean - stretch.standardDeviation);
            auto* band = new QAreaSeries(upper, lower);
            upper->setParent(band);
            lower->setParent(band);
            QColor fill = color;
            fill.setAlpha(40);
            band->setBrush(fill);
            band->setPen(Qt::NoPen);
            Attach(band, false);
        }
        auto* mean = new QLineSeries();
        mean->append(start, stretch.mean);
        mean->append(end, stretch.mean);
        QPen pen(color, 1.0, Qt::DotLine);
        mean->setPen(pen);
        Attach(mean, false);
    }
}

void PlotChart::AddPhases(const PlotSeries& series, const QColor& color, double from, double to) {
    if (!series.phases || series.time.empty())
        return;
    // The shading reaches well beyond the value axis, so that it fills the
    // chart's height however the user zooms.
    const double span = std::max(valueAxis_->max() - valueAxis_->min(), 1.0);
    const double bottom = valueAxis_->min() - 10.0 * span;
    const double top = valueAxis_->max() + 10.0 * span;
    for (const bool movement : {false, true}) {
        auto* upper = new QLineSeries();
        auto* lower = new QLineSeries();
        QList<QPointF> steps;
        for (const PhaseStretch& stretch : series.phases->stretches) {
            if (stretch.movement != movement)
                continue;
            const double start = series.time[stretch.first];
            const double end = LineEnd(series.time, stretch.first + stretch.count - 1);
            if (end < from || start > to)
                continue;
            steps << QPointF(start, bottom) << QPointF(start, top) << QPointF(end, top)
                  << QPointF(end, bottom);
        }
        if (steps.isEmpty()) {
            delete upper;
            delete lower;
            continue;
        }
        upper->replace(steps);
        lower->append(steps.front().x(), bottom);
        lower->append(steps.back().x(), bottom);
        auto* area = new QAreaSeries(upper, lower);
        upper->setParent(area);  // an area series does not own its lines
        lower->setParent(area);
        QColor fill = movement ? color : QColor(Qt::gray);
        fill.setAlpha(movement ? 22 : 14);
        area->setBrush(fill);
        area->setPen(Qt::NoPen);
        area->setName(movement ? QStringLiteral("Movement phases")
                               : QStringLiteral("Pause phases"));
        // One legend entry of each tells what the shading is; its colour is
        // the column's.
        Attach(area, !phaseLegendShown_);
    }
    phaseLegendShown_ = true;
    auto* threshold = new QLineSeries();
    threshold->append(std::max(from, series.time.front()), series.movementThreshold);
    threshold->append(std::min(to, series.time.back()), series.movementThreshold);
    threshold->setPen(QPen(color, 1.0, Qt::DashDotLine));
    threshold->setName(QStringLiteral("Movement threshold"));
    Attach(threshold, false);
}

bool RenderChart(QChart& chart, const QSize& size, const QString& path, QString& error) {
    QGraphicsScene ownScene;
    const bool inOwnScene = chart.scene() == nullptr;
    if (inOwnScene) {
        ownScene.addItem(&chart);
        chart.setGeometry(QRectF(QPointF(0.0, 0.0), QSizeF(size)));
    }
    // The legend is laid out when the event loop comes round.
    if (chart.layout() != nullptr)
        chart.layout()->activate();
    QCoreApplication::processEvents();
    const QRectF source = chart.sceneBoundingRect();
    const QRectF target(QPointF(0.0, 0.0), QSizeF(size));
    bool written = false;
    if (QFileInfo(path).suffix().compare(QStringLiteral("svg"), Qt::CaseInsensitive) == 0) {
        QSvgGenerator generator;
        generator.setFileName(path);
        generator.setSize(size);
        generator.setViewBox(target);
        generator.setTitle(chart.title());
        QPainter painter;
        if (painter.begin(&generator)) {
            chart.scene()->render(&painter, target, source);
            written = painter.end();
        }
    } else {
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        chart.scene()->render(&painter, target, source);
        painter.end();
        written = image.save(path);
    }
    if (inOwnScene)
        ownScene.removeItem(&chart);
    if (!written)
        error = QStringLiteral("%1 could not be written").arg(path);
    return written;
}

}  // namespace kivo
