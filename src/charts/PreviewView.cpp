#include "charts/PreviewView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QSlider>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

#include "core/FileError.h"

namespace kivo {
namespace {

constexpr double kViewerFieldOfView = 40.0;

QColor InkColor(PreviewInk ink) {
    switch (ink) {
        case PreviewInk::PersonA:
            return QColor(0x1f, 0x77, 0xb4);
        case PreviewInk::PersonB:
            return QColor(0xff, 0x7f, 0x0e);
        case PreviewInk::Flagged:
            return QColor(0xd0, 0x00, 0x00);
        case PreviewInk::AxisX:
            return QColor(0xe0, 0x40, 0x40);
        case PreviewInk::AxisY:
            return QColor(0x30, 0xa0, 0x30);
        case PreviewInk::AxisZ:
            return QColor(0x40, 0x60, 0xe0);
        case PreviewInk::Camera:
            return QColor(0x70, 0x70, 0x70);
    }
    return Qt::black;
}

bool IsAxis(PreviewInk ink) {
    return ink == PreviewInk::AxisX || ink == PreviewInk::AxisY || ink == PreviewInk::AxisZ;
}

// The partner's frame (by time) that goes with person A's frame.
std::size_t PartnerFrame(const RecordingFrames& partner, double time) {
    return partner.FrameCount() == 0 ? 0 : partner.FrameAt(time);
}

}  // namespace

void PaintPreview(QPainter& painter, const PreviewPicture& picture, const QString& note) {
    painter.setRenderHint(QPainter::Antialiasing);
    for (const PreviewSegment& s : picture.segments) {
        QPen pen(InkColor(s.ink), IsAxis(s.ink) ? 1.0 : 2.5);
        if (s.dashed)
            pen.setStyle(Qt::DashLine);
        painter.setPen(pen);
        painter.drawLine(QPointF(s.x1, s.y1), QPointF(s.x2, s.y2));
    }
    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    for (const PreviewMark& m : picture.marks) {
        const QColor color = InkColor(m.ink);
        if (m.text.empty()) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(color);
            painter.drawEllipse(QPointF(m.x, m.y), 3.0, 3.0);
            continue;
        }
        painter.setPen(color);
        painter.drawText(QPointF(m.x + 6.0, m.y - 6.0), QString::fromStdString(m.text));
    }
    if (!note.isEmpty()) {
        painter.setPen(InkColor(PreviewInk::Flagged));
        const QRectF area = painter.viewport().adjusted(8, 8, -8, -8);
        painter.drawText(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, note);
    }
}

// The drawing area of the preview: it paints the view's picture and turns or
// zooms the view.
class PreviewCanvas : public QWidget {
  public:
    explicit PreviewCanvas(PreviewView& view) : QWidget(&view), view_(view) {
        setMinimumSize(320, 240);
        setAutoFillBackground(true);
        QPalette colours = palette();
        colours.setColor(QPalette::Window, Qt::white);
        setPalette(colours);
        setToolTip(
            QStringLiteral("Drag to turn the view, wheel to zoom, double click to frame "
                           "both persons"));
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        PaintPreview(painter, view_.Picture(size()), QString());
    }
    void mousePressEvent(QMouseEvent* event) override { last_ = event->position(); }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (!(event->buttons() & Qt::LeftButton))
            return;
        const QPointF moved = event->position() - last_;
        last_ = event->position();
        view_.view_.yaw -= moved.x() * 0.5;
        view_.view_.pitch = std::clamp(view_.view_.pitch + moved.y() * 0.5, -85.0, 85.0);
        update();
    }
    void wheelEvent(QWheelEvent* event) override {
        view_.view_.distance *= std::pow(0.999, event->angleDelta().y());
        update();
    }
    void mouseDoubleClickEvent(QMouseEvent*) override {
        view_.Frame();
        update();
    }

  private:
    PreviewView& view_;
    QPointF last_;
};

PreviewView::PreviewView(const StudyPreviewSource& source, QWidget* parent)
    : QWidget(parent), source_(source) {
    personA_ = std::make_unique<RecordingFrames>(source.personA.path, source.personA.timeLabel,
                                                 source.bindings);
    QStringList notes;
    if (source.personB) {
        try {
            personB_ = std::make_unique<RecordingFrames>(
                source.personB->path, source.personB->timeLabel, source.bindings);
        } catch (const FileError& error) {
            notes << QStringLiteral("The partner is not shown: %1").arg(error.what());
        }
    }
    const BindingPlausibility a = CheckBindingSides(personA_->SampleFrames(400));
    flaggedA_ = a.ImplausibleVariables();
    if (!flaggedA_.empty())
        notes << QStringLiteral("Person A: %1")
                     .arg(QString::fromStdString(DescribeImplausibleBindings(a)));
    if (personB_) {
        const BindingPlausibility b = CheckBindingSides(personB_->SampleFrames(400));
        flaggedB_ = b.ImplausibleVariables();
        if (!flaggedB_.empty())
            notes << QStringLiteral("Partner: %1")
                         .arg(QString::fromStdString(DescribeImplausibleBindings(b)));
    }
    note_ = notes.join(QLatin1Char('\n'));

    canvas_ = new PreviewCanvas(*this);
    slider_ = new QSlider(Qt::Horizontal, this);
    slider_->setObjectName(QStringLiteral("previewFrame"));
    slider_->setRange(0, static_cast<int>(std::max<std::size_t>(FrameCount(), 1) - 1));
    play_ = new QToolButton(this);
    play_->setObjectName(QStringLiteral("previewPlay"));
    play_->setCheckable(true);
    play_->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    play_->setToolTip(QStringLiteral("Play or pause"));
    time_ = new QLabel(this);
    time_->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000.000 s")));
    noteLabel_ = new QLabel(note_, this);
    noteLabel_->setObjectName(QStringLiteral("previewNote"));
    noteLabel_->setWordWrap(true);
    noteLabel_->setStyleSheet(QStringLiteral("color: #d00000"));
    noteLabel_->setVisible(!note_.isEmpty());

    auto* controls = new QHBoxLayout();
    controls->addWidget(play_);
    controls->addWidget(slider_, 1);
    controls->addWidget(time_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(noteLabel_);
    layout->addWidget(canvas_, 1);
    layout->addLayout(controls);

    connect(slider_, &QSlider::valueChanged, this,
            [this](int value) { ShowFrame(static_cast<std::size_t>(value)); });
    connect(play_, &QToolButton::toggled, this, &PreviewView::SetPlaying);
    timer_.setInterval(33);
    connect(&timer_, &QTimer::timeout, this, &PreviewView::Step);

    ShowFrame(0);
    Frame();
}

PreviewView::~PreviewView() = default;

std::size_t PreviewView::FrameCount() const {
    return personA_->FrameCount();
}

void PreviewView::ShowFrame(std::size_t frame) {
    if (FrameCount() == 0)
        return;
    frame_ = std::min(frame, FrameCount() - 1);
    frameA_ = personA_->Frame(frame_);
    const double time = personA_->TimeOf(frame_);
    if (personB_ && personB_->FrameCount() > 0)
        frameB_ = personB_->Frame(PartnerFrame(*personB_, time));
    time_->setText(QStringLiteral("%1 s").arg(time, 0, 'f', 3));
    const QSignalBlocker blocker(slider_);
    slider_->setValue(static_cast<int>(frame_));
    canvas_->update();
}

void PreviewView::ShowTime(double seconds) {
    if (FrameCount() > 0)
        ShowFrame(personA_->FrameAt(seconds));
}

void PreviewView::SetPlaying(bool playing) {
    if (playing == timer_.isActive())
        return;
    if (playing) {
        if (FrameCount() > 0 && frame_ + 1 >= FrameCount())
            ShowFrame(0);
        playStart_ = FrameCount() > 0 ? personA_->TimeOf(frame_) : 0.0;
        clock_.start();
        timer_.start();
    } else {
        timer_.stop();
    }
    const QSignalBlocker blocker(play_);
    play_->setChecked(playing);
    play_->setIcon(style()->standardIcon(playing ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
}

void PreviewView::Step() {
    const double time = playStart_ + static_cast<double>(clock_.elapsed()) / 1000.0;
    ShowTime(time);
    if (frame_ + 1 >= FrameCount())
        SetPlaying(false);
}

void PreviewView::Frame() {
    // Points of both persons over the whole recording, so that the view
    // holds them while they move.
    std::vector<Vec3> points;
    std::vector<BodyFrame> samplesA = personA_->SampleFrames(20);
    std::vector<BodyFrame> samplesB;
    if (personB_)
        samplesB = personB_->SampleFrames(20);
    for (const std::vector<BodyFrame>* samples : {&samplesA, &samplesB}) {
        for (const BodyFrame& frame : *samples) {
            const PreviewPerson person{&frame, "", {}};
            for (const Vec3& p : PreviewPoints(std::span(&person, 1)))
                points.push_back(p);
        }
    }
    view_ = FramingView(points, {}, kViewerFieldOfView);
}

PreviewPicture PreviewView::Picture(const QSize& size) const {
    std::vector<PreviewPerson> persons;
    persons.push_back({&frameA_, "A", flaggedA_});
    if (personB_)
        persons.push_back({&frameB_, "B", flaggedB_});
    return DrawPreview(persons, source_.camera, view_, size.width(), size.height(),
                       kViewerFieldOfView, view_.distance * 0.03);
}

QImage PreviewView::Render(const QSize& size) const {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintPreview(painter, Picture(size), note_);
    return image;
}

}  // namespace kivo
