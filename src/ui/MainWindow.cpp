#include "ui/MainWindow.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>

#include <stdexcept>

#include "charts/PlotWindow.h"
#include "charts/PreviewView.h"
#include "core/FileError.h"
#include "engine/OutputFileNames.h"
#include "input/InputFileList.h"
#include "input/ProcessingOptionRules.h"
#include "plot/StudyPlots.h"
#include "preview/StudyPreview.h"
#include "settings/SettingsFile.h"
#include "ui/AboutBox.h"
#include "ui/ClipCodecDialog.h"
#include "ui/Controls.h"
#include "ui/DataFieldsPage.h"
#include "ui/FileListView.h"
#include "ui/InputFilesPage.h"
#include "ui/KeyMap.h"
#include "ui/OutputFrame.h"
#include "ui/ParametersPage.h"
#include "ui/ShortcutCaptions.h"
#include "ui/WindowTexts.h"

namespace kivo::ui {
namespace {

constexpr const char* kBottomRight = "-L-T";  // keeps its distances to the right and bottom edges

std::optional<Key> KeyOf(int qtKey) {
    switch (qtKey) {
        case Qt::Key_F1:
            return Key::F1;
        case Qt::Key_F2:
            return Key::F2;
        case Qt::Key_F3:
            return Key::F3;
        case Qt::Key_F4:
            return Key::F4;
        case Qt::Key_F5:
            return Key::F5;
        case Qt::Key_F7:
            return Key::F7;
        case Qt::Key_F8:
            return Key::F8;
        case Qt::Key_Delete:
            return Key::Delete;
        case Qt::Key_O:
            return Key::O;
        case Qt::Key_S:
            return Key::S;
        case Qt::Key_B:
            return Key::B;
        case Qt::Key_N:
            return Key::N;
        case Qt::Key_P:
            return Key::P;
        case Qt::Key_F:
            return Key::F;
        case Qt::Key_D:
            return Key::D;
        case Qt::Key_A:
            return Key::A;
        case Qt::Key_R:
            return Key::R;
        case Qt::Key_H:
            return Key::H;
        case Qt::Key_L:
            return Key::L;
        case Qt::Key_U:
            return Key::U;
        case Qt::Key_W:
            return Key::W;
        case Qt::Key_0:
            return Key::Zero;
        case Qt::Key_J:
            return Key::J;
        case Qt::Key_K:
            return Key::K;
        case Qt::Key_E:
            return Key::E;
        case Qt::Key_G:
            return Key::G;
        case Qt::Key_Up:
            return Key::Up;
        case Qt::Key_Down:
            return Key::Down;
        default:
            return std::nullopt;
    }
}

bool IsTextBox(const QWidget* widget) {
    if (widget == nullptr)
        return false;
    if (qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QAbstractSpinBox*>(widget) ||
        qobject_cast<const QPlainTextEdit*>(widget)) {
        return true;
    }
    const auto* combo = qobject_cast<const QComboBox*>(widget);
    return combo != nullptr && combo->isEditable();
}

bool IsSettingsFile(const QString& path) {
    return path.endsWith(".set", Qt::CaseInsensitive);
}

// A window of its own over the main window, gone when closed.
QWidget* ShowOwnWindow(QWidget* window) {
    window->setWindowFlag(Qt::Window);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return window;
}

}  // namespace

MainWindow::MainWindow(StudyDocument& document, QWidget* parent)
    : QWidget(parent),
      document_(document),
      prompt_(this),
      context_(document, prompt_),
      run_(document, prompt_, this) {
    setObjectName("MainWindow");
    setWindowTitle(QString("Kivo - %1 - v%2").arg(Q(kWindowSubtitle), kVersion));
    resize(kDesignSize);
    setAcceptDrops(true);
    context_.progress = [this](int value, int maximum) {
        progress_->setRange(0, maximum > 0 ? maximum : RunController::kProgressMaximum);
        progress_->setValue(value);
    };

    tabs_ = MakeControl<QTabWidget>(this, "tabControls", {8, 8, 984, 500}, "L-T-");
    filesPage_ = new InputFilesPage(context_, tabs_);
    fieldsPage_ = new DataFieldsPage(context_, tabs_);
    parametersPage_ = new ParametersPage(context_, tabs_);
    tabs_->addTab(filesPage_, Q(kPageCaptions[0]));
    tabs_->addTab(fieldsPage_, Q(kPageCaptions[1]));
    tabs_->addTab(parametersPage_, Q(kPageCaptions[2]));
    output_ = new OutputFrame(context_, this);
    PlaceControl(output_, {8, 516, 844, 160}, "L--T");
    BuildCommands();

    connect(tabs_, &QTabWidget::currentChanged, this, &MainWindow::PageChanged);
    connect(filesPage_, &InputFilesPage::openDataFilesRequested, this, &MainWindow::OpenDataFiles);
    connect(filesPage_, &InputFilesPage::plotRequested, this, &MainWindow::OpenPlot);
    connect(filesPage_, &InputFilesPage::previewRequested, this, &MainWindow::OpenPreview);
    connect(fieldsPage_, &DataFieldsPage::previewRequested, this, [this] {
        const std::optional<std::size_t> selected = filesPage_->SelectedRow();
        if (RequireSelectedFile(document_.workspace(), selected, prompt_))
            OpenPreview(*selected);
    });
    connect(&document_, &StudyDocument::changed, this, &MainWindow::DocumentChanged);
    connect(&run_, &RunController::started, this, &MainWindow::RunStarted);
    connect(&run_, &RunController::finished, this, &MainWindow::RunFinished);
    connect(&run_, &RunController::progressChanged, this, [this](int value) {
        progress_->setRange(0, RunController::kProgressMaximum);
        progress_->setValue(value);
    });
    connect(&run_, &RunController::fileStarted, this, [this](int row) {
        filesPage_->Model().SetCurrentRunRow(row);
        filesPage_->List()->scrollTo(filesPage_->Model().index(row, 0));
    });
    connect(&run_, &RunController::fileFinished, this,
            [this] { filesPage_->Model().SetCurrentRunRow(std::nullopt); });
    connect(&run_, &RunController::cancelDeclined, this, [this] {
        calculate_->setEnabled(true);
        UpdateCalculateButton();
    });
    run_.SetClipCodecChooser(
        [this](const ClipCodecRequest& request) { return ClipCodecDialog::Choose(request, this); });

    formResize_.Record(this, kDesignSize);
    qApp->installEventFilter(this);
    UpdateCalculateButton();
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
    // The pages and frames use the context, the prompt and the run: they go
    // first, while those still exist.
    tabs_->blockSignals(true);
    delete tabs_;
    delete output_;
}

void MainWindow::BuildCommands() {
    load_ = MakeCaptioned<QPushButton>(this, "cmdLoadSettings", "Load...", {860, 524, 132, 30},
                                       kBottomRight, "Load all settings from a file");
    save_ = MakeCaptioned<QPushButton>(this, "cmdSaveSettings", "Save...", {860, 560, 132, 30},
                                       kBottomRight, "Save all settings to a file");
    progress_ = MakeControl<QProgressBar>(this, "pgbProgressBar", {8, 684, 640, 24}, "L--T");
    progress_->setRange(0, RunController::kProgressMaximum);
    progress_->setValue(0);
    progress_->setTextVisible(false);
    info_ = MakeCaptioned<QPushButton>(this, "cmdInfo", "Info", {656, 682, 108, 30}, kBottomRight,
                                       "Info about KIVO");
    calculate_ =
        MakeCaptioned<QPushButton>(this, "cmdCalculateData", "Calculate", {770, 682, 108, 30},
                                   kBottomRight, "Start calculation of nonverbal parameters");
    exit_ = MakeCaptioned<QPushButton>(this, "cmdExit", "Exit", {884, 682, 108, 30}, kBottomRight,
                                       "Exit program");
    connect(load_, &QPushButton::clicked, this, &MainWindow::LoadSettingsCommand);
    connect(save_, &QPushButton::clicked, this, &MainWindow::SaveSettingsCommand);
    connect(info_, &QPushButton::clicked, this, &MainWindow::ShowAbout);
    connect(calculate_, &QPushButton::clicked, this, &MainWindow::Calculate);
    connect(exit_, &QPushButton::clicked, this, &QWidget::close);
}

void MainWindow::RestoreAtStart() {
    context_.Trap("tmrStart_Timer", [&] { document_.RestoreAtStart(prompt_); });
    if (!document_.workspace().inputFiles.empty())
        filesPage_->SelectRow(0);
    parametersPage_->SelectRow(
        document_.workspace().parameters.empty() ? std::nullopt : std::optional<std::size_t>(0));
    filesPage_->ShowOptions();
    output_->ShowOptions();
}

void MainWindow::LoadSettingsFile(const QString& path) {
    document_.SetLoading(true);
    context_.Trap("LoadSettings", [&] { LoadSettings(S(path), document_.workspace(), prompt_); });
    document_.SetLoading(false);
    document_.Changed(StudyDocument::Everything);
    if (!document_.workspace().inputFiles.empty()) {
        filesPage_->SelectRow(0);
        parametersPage_->SelectRow(document_.workspace().parameters.empty()
                                       ? std::nullopt
                                       : std::optional<std::size_t>(0));
    }
    filesPage_->ShowOptions();
    output_->ShowOptions();
}

int MainWindow::CurrentPage() const {
    return tabs_->currentIndex() + 1;
}

void MainWindow::SelectPage(int page) {
    tabs_->setCurrentIndex(page - 1);
}

bool MainWindow::ShortcutCaptionsShown() const {
    return shortcutCaptions_;
}

void MainWindow::DocumentChanged(int parts) {
    if (parts & StudyDocument::Options) {
        output_->ShowOptions();
        filesPage_->ShowOptions();
    }
    if (parts & StudyDocument::Files)
        UpdateCalculateButton();
}

// ---------------------------------------------------------------------------
// Keys

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease)
        return QWidget::eventFilter(watched, event);
    auto* target = qobject_cast<QWidget*>(watched);
    if (target == nullptr || target->window() != this)
        return QWidget::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (type == QEvent::KeyRelease) {
        if (!key->isAutoRepeat())
            ShowShortcutCaptions(false);
        return QWidget::eventFilter(watched, event);
    }
    if (HandleKey(key, target))
        return true;
    return QWidget::eventFilter(watched, event);
}

bool MainWindow::HandleKey(QKeyEvent* event, QWidget* target) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const bool running = run_.IsRunning();
    if (event->key() == Qt::Key_Control) {
        if (!running && modifiers == Qt::ControlModifier)
            ShowShortcutCaptions(true);
        return false;
    }
    if (event->key() == Qt::Key_Escape && modifiers == Qt::NoModifier) {
        // Esc cancels a run, and otherwise leaves the program.
        QPushButton* button = running ? calculate_ : exit_;
        if (button->isEnabled())
            button->click();
        return true;
    }
    const std::optional<Key> key = KeyOf(event->key());
    const bool ctrl = modifiers == Qt::ControlModifier;
    if (!key || !(ctrl || modifiers == Qt::NoModifier))
        return false;
    const std::optional<KeyCommand> command = FindKeyCommand(CurrentPage(), *key, ctrl);
    if (!command || (running && !command->duringRun))
        return false;
    if (command->exceptInTextBox && IsTextBox(target))
        return false;
    if (ctrl)
        ShowShortcutCaptions(false);
    RunKeyCommand(command->command);
    if (ctrl && !run_.IsRunning() && QApplication::keyboardModifiers() == Qt::ControlModifier)
        ShowShortcutCaptions(true);
    return true;
}

void MainWindow::RunKeyCommand(std::string_view command) {
    if (command == kSelectPage1 || command == kSelectPage2 || command == kSelectPage3) {
        SelectPage(command == kSelectPage1 ? 1 : command == kSelectPage2 ? 2 : 3);
        return;
    }
    auto* distances = findChild<QCheckBox*>("chkDistances");
    if (command == kToggleDistances) {
        distances->click();
        return;
    }
    if (command == kDistancesHeight || command == kDistancesLength) {
        if (!distances->isChecked())
            distances->click();
        findChild<QRadioButton*>(command == kDistancesHeight ? "optDistancesHeight"
                                                             : "optDistancesLength")
            ->click();
        return;
    }
    auto* button = findChild<QAbstractButton*>(Q(command));
    if (button != nullptr && button->isEnabled())
        button->click();
}

void MainWindow::ShowShortcutCaptions(bool show) {
    if (show == shortcutCaptions_)
        return;
    shortcutCaptions_ = show;
    for (const ShortcutCaption& caption : ShortcutCaptions()) {
        if (auto* button = findChild<QAbstractButton*>(Q(caption.control)))
            button->setText(Q(show ? caption.annotated : caption.plain));
    }
    for (int page = 0; page < 3; ++page)
        tabs_->setTabText(page, Q(show ? kPageCaptionsAnnotated[page] : kPageCaptions[page]));
    auto* distances = findChild<QCheckBox*>("chkDistances");
    distances->setText(show ? Q(kDistancesAnnotated)
                            : Q(DistancesCaption(document_.workspace().options.distances)));
    UpdateCalculateButton();
}

// ---------------------------------------------------------------------------
// Pages

void MainWindow::PageChanged(int index) {
    const int page = index + 1;
    if (page == currentPage_)
        return;
    currentPage_ = page;
    WorkspaceOptions& options = document_.workspace().options;
    if (page == 3 && options.showWarning && !warningShown_ && !run_.IsRunning()) {
        if (prompt_.Ask(PromptId::ParameterPageWarning, std::string(kParameterPageWarning),
                        PromptButtons::YesNo, PromptIcon::Exclamation) == PromptAnswer::Yes) {
            options.showWarning = false;
        }
        warningShown_ = true;
    }
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    formResize_.Resize(size());
    parametersPage_->FitColumns();
}

// ---------------------------------------------------------------------------
// The run

void MainWindow::UpdateCalculateButton() {
    const bool running = run_.IsRunning();
    if (running) {
        calculate_->setText(Q(shortcutCaptions_ ? kCancelAnnotated : "Cancel"));
    } else {
        calculate_->setText(Q(shortcutCaptions_ ? kCalculateAnnotated : "Calculate"));
        calculate_->setEnabled(!document_.workspace().inputFiles.empty());
    }
}

void MainWindow::Calculate() {
    if (run_.IsRunning()) {
        // A cancel request: the run asks at its next frame; until it has the
        // answer the button waits.
        calculate_->setEnabled(false);
        run_.RequestCancel();
        return;
    }
    SelectPage(1);
    run_.Start();
}

void MainWindow::RunStarted() {
    SetControlsEnabled(false);
    calculate_->setEnabled(true);
    info_->setEnabled(true);
    UpdateCalculateButton();
}

void MainWindow::RunFinished() {
    filesPage_->Model().SetCurrentRunRow(std::nullopt);
    progress_->setValue(0);
    SetControlsEnabled(true);
    UpdateCalculateButton();
    const FocusRequest& focus = run_.LastSummary().focus;
    if (focus.page == FocusPage::DataFields && focus.row > 0) {
        SelectPage(2);
        parametersPage_->SelectRow(static_cast<std::size_t>(focus.row - 1));
    }
    if (closeAfterRun_) {
        closeAfterRun_ = false;
        close();
    }
}

void MainWindow::SetControlsEnabled(bool enabled) {
    for (QWidget* control : std::initializer_list<QWidget*>{
             filesPage_, fieldsPage_, parametersPage_, output_, load_, save_, exit_}) {
        control->setEnabled(enabled);
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (run_.IsRunning()) {
        // The run ends first; the settings are saved once it has.
        event->ignore();
        if (prompt_.Ask(PromptId::AbortCalculations,
                        "Do you really want to abort the calculations?", PromptButtons::YesNo,
                        PromptIcon::Exclamation) == PromptAnswer::Yes) {
            closeAfterRun_ = true;
            run_.RequestAbort();
        }
        return;
    }
    bool close = false;
    context_.Trap("Form_Unload", [&] { close = document_.AskToSaveAtExit(prompt_); });
    if (close)
        event->accept();
    else
        event->ignore();
}

// ---------------------------------------------------------------------------
// Commands

void MainWindow::ShowAbout() {
    AboutBox about(prompt_, this);
    if (dialogRunner_)
        dialogRunner_(about);
    else
        about.exec();
}

void MainWindow::LoadSettingsCommand() {
    const QString path = context_.dialogs->OpenFile(
        this, "Load Settings", Q(document_.workspace().options.directorySettingsFiles),
        kSettingsFileFilters, kSettingsFileFilter);
    if (!path.isEmpty())
        LoadSettingsFile(path);
}

void MainWindow::SaveSettingsCommand() {
    Workspace& workspace = document_.workspace();
    const QString path = context_.dialogs->SaveFile(this, "Save Settings",
                                                    Q(workspace.options.directorySettingsFiles),
                                                    kSettingsFileFilters, kSettingsFileFilter);
    if (path.isEmpty())
        return;
    context_.Trap("SaveSettings", [&] {
        if (ConfirmSettingsFileOverwrite(S(path), prompt_))
            SaveSettings(workspace, S(path));
    });
}

void MainWindow::OpenDataFiles(std::size_t row) {
    ResultDialog dialog(ResultFilesOf(document_.workspace(), row), this, resultOpener_);
    dialog.SetPlotter([this, row] { OpenPlot(row); });
    if (dialogRunner_)
        dialogRunner_(dialog);
    else
        dialog.exec();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    const QStringList paths = LocalFilesOf(event->mimeData());
    if (paths.size() == 1 && IsSettingsFile(paths.front()) && !run_.IsRunning())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QStringList paths = LocalFilesOf(event->mimeData());
    if (paths.size() != 1 || !IsSettingsFile(paths.front()) || run_.IsRunning())
        return;
    event->acceptProposedAction();
    LoadSettingsFile(paths.front());
}

QWidget* MainWindow::OpenPlot(std::size_t row) {
    try {
        return ShowOwnWindow(
            new PlotWindow(StudyPlotRequest(document_.workspace(), row, "", true), this));
    } catch (const FileError& error) {
        prompt_.Tell(PromptId::PlotNotShown, std::string("Nothing to plot: ") + error.what(),
                     PromptIcon::Exclamation);
    } catch (const std::invalid_argument& error) {
        prompt_.Tell(PromptId::PlotNotShown, std::string("Nothing to plot: ") + error.what(),
                     PromptIcon::Exclamation);
    }
    return nullptr;
}

QWidget* MainWindow::OpenPreview(std::size_t row) {
    try {
        auto* preview = new PreviewView(StudyPreview(document_.workspace(), row), this);
        preview->setWindowTitle(
            QString("3D Preview - %1").arg(Q(document_.workspace().inputFiles[row][kColFileName])));
        preview->resize(900, 700);
        return ShowOwnWindow(preview);
    } catch (const FileError& error) {
        prompt_.Tell(PromptId::PreviewNotShown,
                     std::string("The preview cannot be shown: ") + error.what(),
                     PromptIcon::Exclamation);
    }
    return nullptr;
}

}  // namespace kivo::ui
