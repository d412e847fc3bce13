#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <optional>
#include <vector>

#include "preview/BindingPlausibility.h"
#include "preview/PreviewPicture.h"
#include "preview/RecordingFrames.h"
#include "preview/StudyPreview.h"

class QLabel;
class QSlider;
class QToolButton;

namespace kivo {

// Draws a preview picture: person A blue, the partner orange, flagged body
// parts red, the local axes red, green and blue (x, y, z), the virtual camera
// grey; `note` (such as the flagged bindings) at the top left in red.
void PaintPreview(QPainter& painter, const PreviewPicture& picture, const QString& note);

class PreviewCanvas;

// The 3D preview of a study's data file: a chosen frame of the bound input
// variables of person A and of the partner as stick figures, with the
// virtual camera of the file's camera option, a slider and play/pause over
// time. Drag to turn the view, the wheel to come closer, a double click to
// frame both persons again. Bindings that put left body parts on the right
// side of the body for most frames are named above the picture and drawn red.
class PreviewView : public QWidget {
    Q_OBJECT

  public:
    // Reads the data files' line positions (not their frames). Throws
    // FileError when person A's file cannot be read; a partner file that
    // cannot be read is named in the note and left out.
    explicit PreviewView(const StudyPreviewSource& source, QWidget* parent = nullptr);
    ~PreviewView() override;

    std::size_t FrameCount() const;
    std::size_t CurrentFrame() const { return frame_; }
    void ShowFrame(std::size_t frame);
    void ShowTime(double seconds);
    void SetPlaying(bool playing);
    bool Playing() const { return timer_.isActive(); }

    // The bindings that look exchanged, as shown; empty when none do.
    const QString& Note() const { return note_; }
    // The picture of the current frame at `size` pixels, as the view draws it.
    QImage Render(const QSize& size) const;

  private:
    friend class PreviewCanvas;
    PreviewPicture Picture(const QSize& size) const;
    void Frame();  // frames both persons over the recording
    void Step();

    StudyPreviewSource source_;
    std::unique_ptr<RecordingFrames> personA_;
    std::unique_ptr<RecordingFrames> personB_;
    std::vector<int> flaggedA_;
    std::vector<int> flaggedB_;
    BodyFrame frameA_;
    BodyFrame frameB_;
    std::size_t frame_ = 0;
    OrbitView view_;
    QString note_;

    PreviewCanvas* canvas_ = nullptr;
    QSlider* slider_ = nullptr;
    QToolButton* play_ = nullptr;
    QLabel* time_ = nullptr;
    QLabel* noteLabel_ = nullptr;
    QTimer timer_;
    QElapsedTimer clock_;
    double playStart_ = 0.0;  // the recording's time when play started
};

}  // namespace kivo
