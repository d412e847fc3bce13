#pragma once

#include <QApplication>

#include <memory>

namespace kivo {

// The application object that charts need, for a program without a window:
// drawn on Qt's offscreen platform, so that no display is needed. Nothing
// when the program already has one.
std::unique_ptr<QApplication> MakeOffscreenApplication();

}  // namespace kivo
