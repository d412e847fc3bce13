#pragma once

#include <QString>

namespace kivo::ui {

class MainWindow;

// Shows each page of the window, then the window during a run of the study,
// and writes each sight as a PNG file into `folder`; the run writes its files
// into `folder`/output. Questions are answered without boxes. Quits the
// application when done; the exit status tells whether every file was written.
void TakeScreenshots(MainWindow& window, const QString& folder);

}  // namespace kivo::ui
