#include "charts/PlotWindow.h"

#include <QChartView>
#include <QCheckBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "charts/PlotChart.h"
#include "core/FileError.h"
#include "plot/StudyPlots.h"

namespace kivo {
namespace {

// Moves the time axis by `fraction` of its range.
void PanTime(PlotChart& chart, double fraction) {
    QValueAxis* axis = chart.TimeAxis();
    const double shift = (axis->max() - axis->min()) * fraction;
    axis->setRange(axis->min() + shift, axis->max() + shift);
}

// Narrows (factor < 1) or widens the time axis around `centre`.
void ZoomTime(PlotChart& chart, double factor, double centre) {
    QValueAxis* axis = chart.TimeAxis();
    axis->setRange(centre - (centre - axis->min()) * factor,
                   centre + (axis->max() - centre) * factor);
}

// A chart view whose left drag zooms into a time range, whose wheel zooms
// around the pointer and whose right or middle drag pans.
class PlotView : public QChartView {
  public:
    PlotView() {
        setRubberBand(QChartView::HorizontalRubberBand);
        setRenderHint(QPainter::Antialiasing);
    }

  protected:
    void wheelEvent(QWheelEvent* event) override {
        auto* plot = static_cast<PlotChart*>(chart());
        const double centre = plot->mapToValue(event->position()).x();
        ZoomTime(*plot, std::pow(0.999, event->angleDelta().y()), centre);
        event->accept();
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton) {
            QChartView::mousePressEvent(event);
            return;
        }
        panning_ = true;
        last_ = event->position();
        event->accept();
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (!panning_) {
            QChartView::mouseMoveEvent(event);
            return;
        }
        const QPointF moved = event->position() - last_;
        last_ = event->position();
        chart()->scroll(-moved.x(), moved.y());
        event->accept();
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton) {
            QChartView::mouseReleaseEvent(event);
            return;
        }
        panning_ = false;
        event->accept();
    }

  private:
    bool panning_ = false;
    QPointF last_;
};

}  // namespace

PlotWindow::PlotWindow(PlotRequest request, QWidget* parent)
    : QWidget(parent), request_(std::move(request)) {
    setWindowTitle(
        QStringLiteral("Plot - %1").arg(QString::fromStdString(request_.file.outputPath)));
    if (request_.columnPattern.empty())
        request_.columnPattern = FirstColumnsPattern(request_);
    PlotData plotData = LoadPlotData(request_);
    view_ = new PlotView();
    view_->setObjectName(QStringLiteral("plotChart"));

    columns_ = new QLineEdit(QString::fromStdString(request_.columnPattern), this);
    columns_->setObjectName(QStringLiteral("plotColumns"));
    columns_->setToolTip(QStringLiteral(
        "Regular expression: the columns whose caption it matches (any case); Enter shows them"));
    statistics_ = new QCheckBox(QStringLiteral("Mean and SD"), this);
    statistics_->setObjectName(QStringLiteral("plotStatistics"));
    phases_ = new QCheckBox(QStringLiteral("Movement phases"), this);
    phases_->setObjectName(QStringLiteral("plotPhases"));
    auto* showAll = new QPushButton(QStringLiteral("Show All"), this);
    auto* exportButton = new QPushButton(QStringLiteral("Export..."), this);
    exportButton->setObjectName(QStringLiteral("plotExport"));
    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("plotMessage"));
    message_->setWordWrap(true);

    auto* controls = new QHBoxLayout();
    controls->addWidget(new QLabel(QStringLiteral("Columns:"), this));
    controls->addWidget(columns_, 1);
    controls->addWidget(statistics_);
    controls->addWidget(phases_);
    controls->addWidget(showAll);
    controls->addWidget(exportButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(message_);
    layout->addWidget(view_, 1);

    connect(columns_, &QLineEdit::returnPressed, this, &PlotWindow::ShowColumns);
    connect(statistics_, &QCheckBox::toggled, this,
            [this](bool shown) { chart_->SetStatisticsShown(shown); });
    connect(phases_, &QCheckBox::toggled, this,
            [this](bool shown) { chart_->SetPhasesShown(shown); });
    connect(showAll, &QPushButton::clicked, this, [this] { chart_->ShowAll(); });
    connect(exportButton, &QPushButton::clicked, this, &PlotWindow::AskAndExport);
    ShowChart(std::move(plotData));
    resize(1100, 650);
}

void PlotWindow::ShowColumns() {
    PlotRequest request = request_;
    request.columnPattern = columns_->text().toStdString();
    try {
        PlotData plotData = LoadPlotData(request);
        request_ = std::move(request);
        ShowChart(std::move(plotData));
    } catch (const std::invalid_argument& error) {
        message_->setText(QString::fromStdString(error.what()));
        message_->setVisible(true);
    } catch (const FileError& error) {
        message_->setText(QString::fromStdString(error.what()));
        message_->setVisible(true);
    }
}

void PlotWindow::ShowChart(PlotData plotData) {
    QStringList notes;
    for (const std::string& note : plotData.notes)
        notes << QString::fromStdString(note);
    message_->setText(notes.join(QLatin1Char('\n')));
    message_->setVisible(!notes.isEmpty());

    QChart* old = view_->chart();
    chart_ = new PlotChart(std::move(plotData));
    view_->setChart(chart_);
    delete old;  // the view lets go of the chart it showed before
    statistics_->setEnabled(chart_->HasStatistics());
    phases_->setEnabled(chart_->HasPhases());
    // The phases of more than one column (both persons') at once would hide
    // each other: the user shows them on demand then.
    const auto phased = std::count_if(chart_->Data().series.begin(), chart_->Data().series.end(),
                                      [](const PlotSeries& s) { return s.phases.has_value(); });
    chart_->SetStatisticsShown(statistics_->isEnabled());
    chart_->SetPhasesShown(phases_->isEnabled() && phased <= 2);
    const QSignalBlocker blockStatistics(statistics_);
    const QSignalBlocker blockPhases(phases_);
    statistics_->setChecked(statistics_->isEnabled());
    phases_->setChecked(phases_->isEnabled() && phased <= 2);
}

bool PlotWindow::Export(const QString& path, QString& error) {
    return RenderChart(*chart_, view_->viewport()->size(), path, error);
}

void PlotWindow::AskAndExport() {
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Export Plot"), QString(),
                                     QStringLiteral("PNG picture (*.png);;SVG drawing (*.svg)"));
    if (path.isEmpty())
        return;
    QString error;
    if (!Export(path, error))
        message_->setText(error);
    message_->setVisible(!message_->text().isEmpty());
}

void PlotWindow::keyPressEvent(QKeyEvent* event) {
    const double centre = (chart_->TimeAxis()->min() + chart_->TimeAxis()->max()) / 2.0;
    switch (event->key()) {
        case Qt::Key_Left:
            PanTime(*chart_, -0.1);
            break;
        case Qt::Key_Right:
            PanTime(*chart_, 0.1);
            break;
        case Qt::Key_Plus:
            ZoomTime(*chart_, 0.8, centre);
            break;
        case Qt::Key_Minus:
            ZoomTime(*chart_, 1.25, centre);
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    event->accept();
}

}  // namespace kivo
