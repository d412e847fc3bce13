#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>

#include "ui/FormResize.h"
#include "ui/ResultDialog.h"
#include "ui/RunController.h"
#include "ui/WindowContext.h"

class QPushButton;
class QProgressBar;
class QTabWidget;

namespace kivo::ui {

class DataFieldsPage;
class InputFilesPage;
class OutputFrame;
class ParametersPage;

// The program's working window: the three pages, the commands outside them,
// the output options and the progress bar. It sees the keys before its
// controls and routes them to the commands of the page shown.
class MainWindow : public QWidget {
    Q_OBJECT
  public:
    static constexpr QSize kDesignSize{1000, 720};

    explicit MainWindow(StudyDocument& document, QWidget* parent = nullptr);
    ~MainWindow() override;

    WindowContext& Context() { return context_; }
    QtPrompt& Prompt() { return prompt_; }
    RunController& Run() { return run_; }
    InputFilesPage* FilesPage() const { return filesPage_; }
    DataFieldsPage* FieldsPage() const { return fieldsPage_; }
    ParametersPage* ParameterPage() const { return parametersPage_; }
    OutputFrame* Output() const { return output_; }

    // The one-shot after the window is shown: the state of the last session.
    void RestoreAtStart();
    // Loads a settings file (the Load command after its dialog, a file
    // dropped onto the window, or the file named on the command line).
    void LoadSettingsFile(const QString& path);
    // The current page, 1 to 3, and a page change as a click on its tab.
    int CurrentPage() const;
    void SelectPage(int page);
    // Opens result files; tests record instead.
    void SetResultOpener(ResultDialog::Opener opener) { resultOpener_ = std::move(opener); }
    // Shows the about box and the result dialog (modally); tests look at them instead.
    using DialogRunner = std::function<void(QDialog& dialog)>;
    void SetDialogRunner(DialogRunner runner) { dialogRunner_ = std::move(runner); }
    // Opens the plot window of input file `row`'s output file (with its
    // partner's) and the 3D preview of its data files, as windows of their
    // own; nothing, after telling the user why, when they cannot be shown.
    QWidget* OpenPlot(std::size_t row);
    QWidget* OpenPreview(std::size_t row);
    // Whether the shortcut captions are shown.
    bool ShortcutCaptionsShown() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void BuildCommands();
    bool HandleKey(QKeyEvent* event, QWidget* target);
    void RunKeyCommand(std::string_view command);
    void ShowShortcutCaptions(bool show);
    void PageChanged(int index);
    void SetControlsEnabled(bool enabled);
    void UpdateCalculateButton();

    void Calculate();
    void RunStarted();
    void RunFinished();
    void ShowAbout();
    void LoadSettingsCommand();
    void SaveSettingsCommand();
    void OpenDataFiles(std::size_t row);
    void DocumentChanged(int parts);

    StudyDocument& document_;
    QtPrompt prompt_;
    WindowContext context_;
    RunController run_;
    FormResize formResize_;
    ResultDialog::Opener resultOpener_;
    DialogRunner dialogRunner_;

    QTabWidget* tabs_ = nullptr;
    InputFilesPage* filesPage_ = nullptr;
    DataFieldsPage* fieldsPage_ = nullptr;
    ParametersPage* parametersPage_ = nullptr;
    OutputFrame* output_ = nullptr;
    QPushButton* info_ = nullptr;
    QPushButton* calculate_ = nullptr;
    QPushButton* exit_ = nullptr;
    QPushButton* load_ = nullptr;
    QPushButton* save_ = nullptr;
    QProgressBar* progress_ = nullptr;

    int currentPage_ = 1;
    bool warningShown_ = false;
    bool closeAfterRun_ = false;
    bool shortcutCaptions_ = false;
};

}  // namespace kivo::ui
