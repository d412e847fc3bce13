#include "ui/ClipCodecDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "ui/Controls.h"

namespace kivo::ui {

ClipCodecDialog::ClipCodecDialog(const ClipCodecRequest& request, QWidget* parent)
    : QDialog(parent), request_(request) {
    setObjectName("ClipCodecWindow");
    setWindowTitle("Video Compression");
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(QString("Encoder for the video clips of the container '%1', the first "
                                    "one being\n%2")
                                .arg(Q(request.container), Q(request.clipPath)),
                            this);
    text->setWordWrap(true);
    layout->addWidget(text);
    encoders_ = new QListWidget(this);
    encoders_->setObjectName("lstEncoders");
    for (const ClipEncoder& encoder : request.encoders)
        encoders_->addItem(Q(encoder.name) + " - " + Q(encoder.description));
    if (encoders_->count() > 0)
        encoders_->setCurrentRow(0);
    layout->addWidget(encoders_);
    auto* form = new QFormLayout;
    keyFrames_ = new QSpinBox(this);
    keyFrames_->setObjectName("txtKeyFrames");
    keyFrames_->setRange(0, 10000);
    keyFrames_->setSpecialValueText("Encoder's default");
    keyFrames_->setToolTip("Distance of key frames (1: every frame is a key frame)");
    bitRate_ = new QSpinBox(this);
    bitRate_->setObjectName("txtBitRate");
    bitRate_->setRange(0, 1000000);
    bitRate_->setSuffix(" kbit/s");
    bitRate_->setSpecialValueText("Encoder's default");
    form->addRow("&Key frame every", keyFrames_);
    form->addRow("&Data rate", bitRate_);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setEnabled(encoders_->count() > 0);
    buttons->button(QDialogButtonBox::Cancel)->setText("No Clips");
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

std::optional<ClipCodecChoice> ClipCodecDialog::Choice() const {
    const int row = encoders_->currentRow();
    if (row < 0 || row >= static_cast<int>(request_.encoders.size()))
        return std::nullopt;
    ClipCodecChoice choice;
    choice.encoder = request_.encoders[static_cast<std::size_t>(row)].name;
    choice.keyFrameInterval = keyFrames_->value();
    choice.bitRate = static_cast<long>(bitRate_->value()) * 1000;
    return choice;
}

std::optional<ClipCodecChoice> ClipCodecDialog::Choose(const ClipCodecRequest& request,
                                                       QWidget* parent) {
    ClipCodecDialog dialog(request, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Choice();
}

}  // namespace kivo::ui
