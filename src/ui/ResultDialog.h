#pragma once

#include <QDialog>
#include <functional>

#include "engine/OutputFileNames.h"

class QCheckBox;
class QDialogButtonBox;
class QPushButton;

namespace kivo::ui {

// Offers the input, output and statistics file of one input file, to open
// them with the programs the desktop associates with them. Files that do not
// exist are not offered.
class ResultDialog : public QDialog {
    Q_OBJECT
  public:
    // Opens a file with its associated program; tests record instead.
    using Opener = std::function<void(const QString& path)>;

    ResultDialog(const ResultFiles& files, QWidget* parent, Opener opener = {});
    // Offers "Plot..." for the output file: `plot` opens the plot window
    // when the dialog has closed.
    void SetPlotter(std::function<void()> plot);

  private:
    void UpdateOk();
    void OpenChecked();

    ResultFiles files_;
    Opener opener_;
    QCheckBox* input_ = nullptr;
    QCheckBox* output_ = nullptr;
    QCheckBox* statistics_ = nullptr;
    QPushButton* ok_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace kivo::ui
