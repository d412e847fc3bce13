#pragma once

#include <QDialog>
#include <optional>

#include "media/ClipCodec.h"

class QListWidget;
class QSpinBox;

namespace kivo::ui {

// Asks which encoder writes the video clips of a container, with the
// distance of key frames and the data rate. Cancel writes no clips.
class ClipCodecDialog : public QDialog {
    Q_OBJECT
  public:
    ClipCodecDialog(const ClipCodecRequest& request, QWidget* parent);

    std::optional<ClipCodecChoice> Choice() const;

    // Shows the dialog for `request`; nothing when the user cancels.
    static std::optional<ClipCodecChoice> Choose(const ClipCodecRequest& request, QWidget* parent);

  private:
    ClipCodecRequest request_;
    QListWidget* encoders_ = nullptr;
    QSpinBox* keyFrames_ = nullptr;
    QSpinBox* bitRate_ = nullptr;
};

}  // namespace kivo::ui
