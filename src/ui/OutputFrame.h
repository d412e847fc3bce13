#pragma once

#include <QGroupBox>

#include "ui/WindowContext.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kivo::ui {

// The output options below the pages: folder, file names, separator,
// statistics file and part files.
class OutputFrame : public QGroupBox {
    Q_OBJECT
  public:
    OutputFrame(WindowContext& context, QWidget* parent);

    // Shows the output options of the workspace.
    void ShowOptions();
    void BrowseFolder();

  private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void Changed();

    WindowContext& context_;
    QLineEdit* directory_ = nullptr;
    QLineEdit* prefix_ = nullptr;
    QLineEdit* suffix_ = nullptr;
    QRadioButton* csv_ = nullptr;
    QRadioButton* tsv_ = nullptr;
    QLineEdit* extension_ = nullptr;
    QLineEdit* statisticsFile_ = nullptr;
    QCheckBox* splitFile_ = nullptr;
    QLabel* noOfLinesLabel_ = nullptr;
    QLineEdit* noOfLines_ = nullptr;
};

}  // namespace kivo::ui
