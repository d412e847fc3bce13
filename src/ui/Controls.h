#pragma once

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRect>
#include <QString>

#include "ui/FormResize.h"

namespace kivo::ui {

// Every control is created with the name the rules refer to (its object
// name), its caption, its design geometry, its resize tag and its tool tip.

template <class Control>
Control* MakeControl(QWidget* parent, const char* name, const QRect& geometry, const char* tag,
                     const QString& toolTip = {}) {
    auto* control = new Control(parent);
    control->setObjectName(name);
    PlaceControl(control, geometry, tag);
    if (!toolTip.isEmpty())
        control->setToolTip(toolTip);
    return control;
}

template <class Control>
Control* MakeCaptioned(QWidget* parent, const char* name, const QString& caption,
                       const QRect& geometry, const char* tag, const QString& toolTip = {}) {
    auto* control = MakeControl<Control>(parent, name, geometry, tag, toolTip);
    control->setText(caption);
    return control;
}

inline QGroupBox* MakeFrame(QWidget* parent, const char* name, const QString& caption,
                            const QRect& geometry, const char* tag) {
    auto* frame = MakeControl<QGroupBox>(parent, name, geometry, tag);
    frame->setTitle(caption);
    return frame;
}

// A label whose mnemonic moves the focus to `buddy`.
inline QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption,
                         const QRect& geometry, const char* tag, QWidget* buddy = nullptr,
                         const QString& toolTip = {}) {
    auto* label = MakeCaptioned<QLabel>(parent, name, caption, geometry, tag, toolTip);
    if (buddy != nullptr)
        label->setBuddy(buddy);
    return label;
}

inline QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string S(const QString& text) {
    return text.toStdString();
}

}  // namespace kivo::ui
