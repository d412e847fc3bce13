#pragma once

#include <QWidget>
#include <optional>
#include <string>

#include "ui/InputFileListModel.h"
#include "ui/WindowContext.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QPushButton;
class QGroupBox;

namespace kivo::ui {

class FileListView;

// Page 1: the input file list, its commands, the processing options of the
// selected file and its video.
class InputFilesPage : public QWidget {
    Q_OBJECT
  public:
    InputFilesPage(WindowContext& context, QWidget* parent);

    InputFileListModel& Model() { return model_; }
    FileListView* List() const { return list_; }
    std::optional<std::size_t> SelectedRow() const;
    void SelectRow(std::optional<std::size_t> row);
    // Shows the option values of the workspace in the controls.
    void ShowOptions();
    // Adds data files (the Add command after its dialog, or files dropped).
    void AddDataFiles(const QStringList& paths);

  signals:
    // The result dialog for the selected file's input, output and statistics files.
    void openDataFilesRequested(std::size_t row);
    // The plot window of the selected file's output, and its 3D preview.
    void plotRequested(std::size_t row);
    void previewRequested(std::size_t row);

  private:
    void BuildList();
    void BuildOptions();
    void BuildVideo();
    void Connect();

    bool eventFilter(QObject* watched, QEvent* event) override;
    void OnFocusIn(QObject* control);
    void OnLostFocus(QObject* control);
    void OnNumericEdited(QLineEdit* box, std::string& option);
    // The row the focused control writes to: the one selected when it got
    // the focus, found by its name; none when that file is no longer listed.
    std::optional<std::size_t> EditedRow() const;
    void AfterRowChange(int parts);

    void AddFileBrowse();
    void AssignPartnerFile();
    void SelectAviFile();
    void OpenDataFiles();
    void Plot();
    void Preview();
    void RemoveFile();
    void RemoveAllFiles();
    void RestoreFileList();
    void ApplyToAllFiles();
    void DistancesClicked();
    void DistanceOptionClicked();
    void VideoClipSideClicked();
    void VideoSideClicked();

    WindowContext& context_;
    InputFileListModel model_;
    FileListView* list_ = nullptr;
    std::optional<std::string> editedFile_;

    QLineEdit* timeField_ = nullptr;
    QLineEdit* linesPerSec_ = nullptr;
    QLineEdit* skipLines_ = nullptr;
    QLabel* frameLabel_ = nullptr;
    QCheckBox* distances_ = nullptr;
    QRadioButton* distancesHeight_ = nullptr;
    QRadioButton* distancesLength_ = nullptr;
    QLineEdit* bodyHeight_ = nullptr;
    QLineEdit* thresholdAngles_ = nullptr;
    QLineEdit* thresholdDistances_ = nullptr;
    QLineEdit* decimalPlaces_ = nullptr;
    QLineEdit* camera_ = nullptr;
    QCheckBox* videoClipSide_ = nullptr;
    QRadioButton* leftSide_ = nullptr;
    QRadioButton* rightSide_ = nullptr;
    QRadioButton* bothSides_ = nullptr;
};

}  // namespace kivo::ui
