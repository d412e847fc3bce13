#pragma once

#include <QString>

namespace kivo::ui {

class MainWindow;

// Shows each page of the window, then the window during a run of the study
// and the plot window of its first file's output, and writes each sight as a
// PNG file into `folder`; the run writes its files into `folder`/output.
// With `previewStudy`, its settings file is loaded last and the 3D preview
// of its first file at `previewTime` seconds is taken too. Questions are
// answered without boxes. Quits the application when done; the exit status
// tells whether every file was written.
void TakeScreenshots(MainWindow& window, const QString& folder, const QString& previewStudy = {},
                     double previewTime = 0.0);

}  // namespace kivo::ui
