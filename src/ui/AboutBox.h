#pragma once

#include <QDialog>

#include "core/UserPrompt.h"

namespace kivo::ui {

// The about box: title, version, and the versions of the libraries Kivo was
// built with, as text the user can copy.
class AboutBox : public QDialog {
    Q_OBJECT
  public:
    AboutBox(UserPrompt& prompt, QWidget* parent);

    // Kivo's version and those of Qt, FFmpeg and SQLite, one per line.
    static QString VersionText();

  private:
    void SystemInformation();

    UserPrompt& prompt_;
};

}  // namespace kivo::ui
