#include "ui/InputFilesPage.h"

#include <QEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>

#include "input/InputFileList.h"
#include "input/ProcessingOptionRules.h"
#include "ui/Controls.h"
#include "ui/FileListView.h"

namespace kivo::ui {
namespace {

constexpr const char* kKeep = "*";
constexpr const char* kGrow = "L-T-";         // both edges follow the window
constexpr const char* kRightColumn = "-LTT";  // keeps its distance to the right edge
constexpr const char* kBelowList = "LL-T";    // keeps its distance to the bottom edge
constexpr const char* kRightBelowList = "-L-T";

const QString kSkipLinesTip =
    "Periodical number of frames used for calculations. All other frames will be skipped.";
const QString kThresholdAnglesTip =
    "Threshold value for angles. All values below this treshold are irgnored for complexity and "
    "magnitude parameters as well as statistical calculations.";
const QString kThresholdDistancesTip =
    "Threshold value for distances. All values below this treshold are irgnored for complexity "
    "and magnitude parameters as well as statistical calculations.";
const QString kDecimalPlacesTip =
    "Number of decimal places printed in the output file. Maximum value is 15, because internal "
    "calculations are done with 15 decimal places.";
const QString kHeightTip =
    "Measurements based on distances are related to the body height of the human 3D model "
    "calculated as the height difference of the 'Top' marker to the 'Bottom' marker of the "
    "human 3D model (see page 'Data Fields').";
const QString kLengthTip =
    "Measurements based on distances between lower extremities are calculated as the percentage "
    "of the leg length  (= distance from leg joint to foot joint), all other distance measures "
    "are related to the arm length (= distance from arm joint to hand joint).";

void SetTextQuietly(QLineEdit* box, const std::string& text) {
    const QString value = Q(text);
    if (box->text() != value)
        box->setText(value);
}

template <class Button>
void SetCheckedQuietly(Button* button, bool checked) {
    const bool blocked = button->blockSignals(true);
    button->setChecked(checked);
    button->blockSignals(blocked);
}

}  // namespace

InputFilesPage::InputFilesPage(WindowContext& context, QWidget* parent)
    : QWidget(parent), context_(context), model_(context.document) {
    setObjectName("frmControls1");
    BuildList();
    BuildOptions();
    BuildVideo();
    Connect();
    ShowOptions();
}

void InputFilesPage::BuildList() {
    list_ = new FileListView(this);
    list_->setObjectName("lstInputFiles");
    PlaceControl(list_, {8, 8, 790, 230}, kGrow);
    list_->setModel(&model_);
    list_->horizontalHeader()->setDefaultSectionSize(96);
    list_->setColumnWidth(kColFileName, 150);
    list_->setColumnWidth(kColDistancesRelatedTo, 130);

    struct Command {
        const char* name;
        const char* caption;
        void (InputFilesPage::*handler)();
        const char* toolTip;
    };
    const Command commands[] = {
        {"cmdAddFileBrowse", "Add Data Files...", &InputFilesPage::AddFileBrowse,
         "Add data files to the list of input files"},
        {"cmdAssignPartnerFile", "Assign Partner File...", &InputFilesPage::AssignPartnerFile,
         "Assign the data file of the partner to the selected input file"},
        {"cmdSelectAVIFile", "Assign Video File...", &InputFilesPage::SelectAviFile,
         "Assign the video recorded together with the data to the selected input file"},
        {"cmdOpenDataFiles", "Open Data Files...", &InputFilesPage::OpenDataFiles,
         "Open the input, output and statistics files of the selected input file"},
        {"cmdRemoveFile", "Remove Data File", &InputFilesPage::RemoveFile,
         "Remove the selected input file from the list"},
        {"cmdRemoveAllFiles", "Clear File List", &InputFilesPage::RemoveAllFiles,
         "Remove all input files from the list"},
        {"cmdRestoreFileList", "Restore File List", &InputFilesPage::RestoreFileList,
         "Restore the file list loaded at program start"},
    };
    int top = 8;
    for (const Command& command : commands) {
        auto* button =
            MakeCaptioned<QPushButton>(this, command.name, command.caption, {806, top, 162, 30},
                                       kRightColumn, command.toolTip);
        connect(button, &QPushButton::clicked, this, command.handler);
        top += 33;
    }
}

void InputFilesPage::BuildOptions() {
    QGroupBox* frame = MakeFrame(this, "frmOptions", "Options", {8, 246, 620, 212}, kBelowList);

    timeField_ = MakeControl<QLineEdit>(frame, "txtTimeField", {110, 24, 190, 24}, kKeep,
                                        "Name of the first data field of the format line in the "
                                        "input file");
    MakeLabel(frame, "lblTimeField", "&Time Field", {10, 24, 96, 24}, kKeep, timeField_);
    linesPerSec_ = MakeControl<QLineEdit>(frame, "txtLinesPerSec", {110, 58, 80, 24}, kKeep,
                                          "Frame rate (fps) of selected input file");
    MakeLabel(frame, "lblLinesPerSec", "&Frames/Sec", {10, 58, 96, 24}, kKeep, linesPerSec_);
    skipLines_ =
        MakeControl<QLineEdit>(frame, "txtSkipLines", {110, 92, 50, 24}, kKeep, kSkipLinesTip);
    MakeLabel(frame, "lblSkipLines", "&Use Every", {10, 92, 96, 24}, kKeep, skipLines_,
              kSkipLinesTip);
    frameLabel_ =
        MakeLabel(frame, "lblFrame", "st Frame", {166, 92, 90, 24}, kKeep, nullptr, kSkipLinesTip);
    decimalPlaces_ = MakeControl<QLineEdit>(frame, "txtDecimalPlaces", {110, 126, 50, 24}, kKeep,
                                            kDecimalPlacesTip);
    MakeLabel(frame, "lblDecimalPlaces", "&Dec. Places", {10, 126, 96, 24}, kKeep, decimalPlaces_);
    camera_ = MakeControl<QLineEdit>(
        frame, "txtCamera", {110, 160, 190, 24}, kKeep,
        "Input format: 'Width'x'Height'/'Near plane'/'Far plane'/'Field of View'");
    MakeLabel(frame, "lblCamera", "Ca&mera", {10, 160, 96, 24}, kKeep, camera_);

    distances_ = MakeControl<QCheckBox>(frame, "chkDistances", {320, 24, 280, 24}, kKeep);
    distancesHeight_ = MakeCaptioned<QRadioButton>(frame, "optDistancesHeight", "&Height",
                                                   {340, 58, 110, 24}, kKeep, kHeightTip);
    distancesLength_ = MakeCaptioned<QRadioButton>(frame, "optDistancesLength", "&Length",
                                                   {456, 58, 110, 24}, kKeep, kLengthTip);
    bodyHeight_ = MakeControl<QLineEdit>(frame, "txtBodyHeight", {340, 58, 110, 24}, kKeep,
                                         "Body Height of the real person");
    thresholdAngles_ = MakeControl<QLineEdit>(frame, "txtThresholdAngles", {420, 92, 80, 24}, kKeep,
                                              kThresholdAnglesTip);
    MakeLabel(frame, "lblThresholdAngles", "An&gles", {320, 92, 96, 24}, kKeep, thresholdAngles_);
    thresholdDistances_ = MakeControl<QLineEdit>(frame, "txtThresholdDistances", {420, 126, 80, 24},
                                                 kKeep, kThresholdDistancesTip);
    MakeLabel(frame, "lblThresholdDistances", "D&istances", {320, 126, 96, 24}, kKeep,
              thresholdDistances_);
    auto* apply =
        MakeCaptioned<QPushButton>(frame, "cmdApplyToAllFiles", "Apply to All Files",
                                   {320, 158, 180, 30}, kKeep, "Apply options to all input files");
    connect(apply, &QPushButton::clicked, this, &InputFilesPage::ApplyToAllFiles);
}

void InputFilesPage::BuildVideo() {
    QGroupBox* frame =
        MakeFrame(this, "frmVideoClipAnalysis", "Video Clip", {636, 246, 332, 96}, kRightBelowList);
    videoClipSide_ = MakeCaptioned<QCheckBox>(
        frame, "chkVideoClipSide", "&Video Clip Analysis", {10, 24, 300, 24}, kKeep,
        "This option is required by the nonverbal parameter 'Pixel Difference'");
    leftSide_ = MakeCaptioned<QRadioButton>(frame, "optLeftSide", "L&eft", {10, 58, 96, 24}, kKeep,
                                            "Only the left side of the video will be analzed.");
    rightSide_ =
        MakeCaptioned<QRadioButton>(frame, "optRightSide", "&Right", {110, 58, 96, 24}, kKeep,
                                    "Only the right side of the video will be analzed.");
    bothSides_ = MakeCaptioned<QRadioButton>(frame, "optBothSides", "B&oth", {210, 58, 96, 24},
                                             kKeep, "The whole video frame will be analzed.");

    auto* plot = MakeCaptioned<QPushButton>(
        this, "cmdPlot", "Plot...", {636, 352, 162, 30}, kRightBelowList,
        "Plot columns of the selected input file's output file over time, with their statistics");
    connect(plot, &QPushButton::clicked, this, &InputFilesPage::Plot);
    auto* preview = MakeCaptioned<QPushButton>(
        this, "cmdPreview", "3D Preview...", {806, 352, 162, 30}, kRightBelowList,
        "Show the bound input variables of the selected input file and its partner as stick "
        "figures, frame by frame");
    connect(preview, &QPushButton::clicked, this, &InputFilesPage::Preview);
}

void InputFilesPage::Connect() {
    connect(list_, &FileListView::filesDropped, this, &InputFilesPage::AddDataFiles);
    connect(list_, &QAbstractItemView::doubleClicked, this, [this] { OpenDataFiles(); });
    connect(list_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!current.isValid() || context_.document.Loading())
                    return;
                ShowInputFileOptions(context_.workspace(), static_cast<std::size_t>(current.row()));
                ShowOptions();
            });
    connect(&model_, &QAbstractItemModel::modelReset, this, [this] {
        // A new selection model state: keep the option boxes on the shown file.
        ShowOptions();
    });

    WorkspaceOptions& options = context_.workspace().options;
    for (QLineEdit* box : {timeField_, linesPerSec_, skipLines_, bodyHeight_, thresholdAngles_,
                           thresholdDistances_, decimalPlaces_, camera_}) {
        box->installEventFilter(this);
    }
    for (QWidget* control :
         std::initializer_list<QWidget*>{distances_, distancesHeight_, distancesLength_}) {
        control->installEventFilter(this);
    }
    connect(timeField_, &QLineEdit::textEdited, this,
            [this, &options](const QString& text) { options.timeField = S(text); });
    connect(camera_, &QLineEdit::textEdited, this,
            [this, &options](const QString& text) { options.camera = S(text); });
    const std::pair<QLineEdit*, std::string*> numeric[] = {
        {linesPerSec_, &options.linesPerSec},
        {skipLines_, &options.skipLines},
        {bodyHeight_, &options.bodyHeight},
        {thresholdAngles_, &options.thresholdAngles},
        {thresholdDistances_, &options.thresholdDistances},
        {decimalPlaces_, &options.decimalPlaces}};
    for (const auto& [box, option] : numeric) {
        connect(box, &QLineEdit::textEdited, this,
                [this, box = box, option = option] { OnNumericEdited(box, *option); });
    }
    connect(distances_, &QCheckBox::clicked, this, &InputFilesPage::DistancesClicked);
    connect(distancesHeight_, &QRadioButton::clicked, this, &InputFilesPage::DistanceOptionClicked);
    connect(distancesLength_, &QRadioButton::clicked, this, &InputFilesPage::DistanceOptionClicked);
    connect(videoClipSide_, &QCheckBox::clicked, this, &InputFilesPage::VideoClipSideClicked);
    for (QRadioButton* side : {leftSide_, rightSide_, bothSides_})
        connect(side, &QRadioButton::clicked, this, &InputFilesPage::VideoSideClicked);
}

std::optional<std::size_t> InputFilesPage::SelectedRow() const {
    const QModelIndex current = list_->selectionModel()->currentIndex();
    if (!current.isValid() || !list_->selectionModel()->isRowSelected(current.row(), {}))
        return std::nullopt;
    return static_cast<std::size_t>(current.row());
}

void InputFilesPage::SelectRow(std::optional<std::size_t> row) {
    if (!row || *row >= context_.workspace().inputFiles.size()) {
        list_->selectionModel()->clearSelection();
        return;
    }
    const QModelIndex index = model_.index(static_cast<int>(*row), 0);
    list_->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    list_->scrollTo(index);
}

void InputFilesPage::ShowOptions() {
    const Workspace& workspace = context_.workspace();
    const WorkspaceOptions& options = workspace.options;
    SetTextQuietly(timeField_, options.timeField);
    SetTextQuietly(linesPerSec_, options.linesPerSec);
    SetTextQuietly(skipLines_, options.skipLines);
    frameLabel_->setText(Q(OrdinalFrameLabel(options.skipLines, workspace.decimalSymbol)));
    SetTextQuietly(bodyHeight_, options.bodyHeight);
    SetTextQuietly(thresholdAngles_, options.thresholdAngles);
    SetTextQuietly(thresholdDistances_, options.thresholdDistances);
    SetTextQuietly(decimalPlaces_, options.decimalPlaces);
    SetTextQuietly(camera_, options.camera);

    SetCheckedQuietly(distances_, options.distances);
    if (!distances_->text().contains('['))
        distances_->setText(Q(DistancesCaption(options.distances)));
    distances_->setToolTip(Q(DistancesToolTip(options.distances)));
    SetCheckedQuietly(distancesHeight_, options.distancesHeight);
    SetCheckedQuietly(distancesLength_, options.distancesLength);
    distancesHeight_->setVisible(options.distances);
    distancesLength_->setVisible(options.distances);
    bodyHeight_->setVisible(!options.distances);

    SetCheckedQuietly(videoClipSide_, options.videoClipSide);
    SetCheckedQuietly(leftSide_, options.leftSide);
    SetCheckedQuietly(rightSide_, options.rightSide);
    SetCheckedQuietly(bothSides_, options.bothSides);
    for (QRadioButton* side : {leftSide_, rightSide_, bothSides_})
        side->setEnabled(options.videoClipSide);
}

bool InputFilesPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn)
        OnFocusIn(watched);
    else if (event->type() == QEvent::FocusOut)
        OnLostFocus(watched);
    return QWidget::eventFilter(watched, event);
}

void InputFilesPage::OnFocusIn(QObject* /*control*/) {
    // The row the control edits is the one selected now, even when another
    // row is selected before the control loses the focus.
    editedFile_.reset();
    if (const std::optional<std::size_t> row = SelectedRow()) {
        editedFile_ = context_.workspace().inputFiles[*row][kColFileName];
        list_->scrollTo(model_.index(static_cast<int>(*row), 0));
    }
}

std::optional<std::size_t> InputFilesPage::EditedRow() const {
    if (!editedFile_)
        return std::nullopt;
    return context_.workspace().FindInputFile(*editedFile_);
}

void InputFilesPage::OnLostFocus(QObject* control) {
    if (context_.document.Loading() || !isEnabled())
        return;
    Workspace& workspace = context_.workspace();
    const std::optional<std::size_t> row = EditedRow();
    UserPrompt& prompt = context_.prompt;
    const QString name = control->objectName();
    const std::string procedure = S(name) + "_LostFocus";
    context_.Trap(procedure.c_str(), [&] {
        if (control == timeField_)
            TimeFieldLostFocus(workspace, row);
        else if (control == linesPerSec_)
            LinesPerSecLostFocus(workspace, row, prompt);
        else if (control == skipLines_)
            SkipLinesLostFocus(workspace, row, prompt);
        else if (control == thresholdAngles_)
            ThresholdAnglesLostFocus(workspace, row);
        else if (control == thresholdDistances_)
            ThresholdDistancesLostFocus(workspace, row);
        else if (control == decimalPlaces_)
            DecimalPlacesLostFocus(workspace, row, prompt);
        else if (control == camera_)
            CameraLostFocus(workspace, row, prompt);
        else
            DistanceControlChanged(workspace, row, context_.document.Loading());
    });
    AfterRowChange(StudyDocument::Options | (row ? StudyDocument::Files : 0));
}

void InputFilesPage::OnNumericEdited(QLineEdit* box, std::string& option) {
    const Workspace& workspace = context_.workspace();
    const std::string filtered = FilterNumericText(S(box->text()), workspace.decimalSymbol);
    option = filtered;
    SetTextQuietly(box, filtered);
    if (box == skipLines_)
        frameLabel_->setText(Q(OrdinalFrameLabel(filtered, workspace.decimalSymbol)));
}

void InputFilesPage::AfterRowChange(int parts) {
    const std::optional<std::size_t> selected = SelectedRow();
    context_.document.Changed(parts);
    if (parts & StudyDocument::Files)
        SelectRow(selected);
    ShowOptions();
}

void InputFilesPage::AddDataFiles(const QStringList& paths) {
    Workspace& workspace = context_.workspace();
    const std::size_t before = workspace.inputFiles.size();
    context_.Trap("AddFileBrowse", [&] {
        int done = 0;
        for (const QString& path : paths) {
            // One file at a time, so that the progress bar follows.
            if (AddFiles(workspace, {S(path)}, context_.prompt) == 0 &&
                (workspace.options.timeField.empty() ||
                 !IsUsableCameraText(workspace.options.camera))) {
                break;  // refused as a whole: told once
            }
            context_.progress(++done, static_cast<int>(paths.size()));
        }
    });
    context_.progress(0, 0);
    context_.document.Changed(StudyDocument::Files | StudyDocument::Bindings);
    if (workspace.inputFiles.size() > before) {
        // The last file added is selected and shows its options.
        SelectRow(workspace.inputFiles.size() - 1);
    }
    ShowOptions();
}

void InputFilesPage::AddFileBrowse() {
    Workspace& workspace = context_.workspace();
    if (workspace.options.timeField.empty()) {
        AddFiles(workspace, {}, context_.prompt);  // tells the user what is missing
        return;
    }
    const QStringList paths = context_.dialogs->OpenFiles(
        window(), "Add Data Files", Q(workspace.options.directoryInputFiles), kDataFileFilters, {});
    if (!paths.isEmpty())
        AddDataFiles(paths);
}

void InputFilesPage::AssignPartnerFile() {
    Workspace& workspace = context_.workspace();
    const std::optional<std::size_t> selected = SelectedRow();
    if (!RequireSelectedFile(workspace, selected, context_.prompt))
        return;
    const QString path =
        context_.dialogs->OpenFile(window(), "Select Partner File",
                                   Q(workspace.options.directoryInputFiles), kDataFileFilters, {});
    if (path.isEmpty())
        return;
    context_.Trap("SelectPartnerFileDialog",
                  [&] { kivo::AssignPartnerFile(workspace, selected, S(path), context_.prompt); });
    AfterRowChange(StudyDocument::Files | StudyDocument::Options);
}

void InputFilesPage::SelectAviFile() {
    Workspace& workspace = context_.workspace();
    const std::optional<std::size_t> selected = SelectedRow();
    if (!RequireSelectedFile(workspace, selected, context_.prompt))
        return;
    const QString path =
        context_.dialogs->OpenFile(window(), "Select AVI File",
                                   Q(workspace.options.directoryVideoClips), kVideoFileFilters, {});
    if (path.isEmpty())
        return;
    context_.Trap("SelectAVIFileDialog", [&] {
        if (AssignVideoFile(workspace, selected, S(path), context_.prompt)) {
            workspace.options.directoryVideoClips =
                FolderWithoutSeparator(SplitDirectoryAndName(S(path)).first);
            ShowInputFileOptions(workspace, *selected);
        }
    });
    AfterRowChange(StudyDocument::Files | StudyDocument::Options);
}

void InputFilesPage::OpenDataFiles() {
    const std::optional<std::size_t> selected = SelectedRow();
    if (RequireSelectedFile(context_.workspace(), selected, context_.prompt))
        emit openDataFilesRequested(*selected);
}

void InputFilesPage::Plot() {
    const std::optional<std::size_t> selected = SelectedRow();
    if (RequireSelectedFile(context_.workspace(), selected, context_.prompt))
        emit plotRequested(*selected);
}

void InputFilesPage::Preview() {
    const std::optional<std::size_t> selected = SelectedRow();
    if (RequireSelectedFile(context_.workspace(), selected, context_.prompt))
        emit previewRequested(*selected);
}

void InputFilesPage::RemoveFile() {
    context_.Trap("cmdRemoveFile_Click",
                  [&] { RemoveInputFile(context_.workspace(), SelectedRow(), context_.prompt); });
    context_.document.Changed(StudyDocument::Files);
    ShowOptions();
}

void InputFilesPage::RemoveAllFiles() {
    context_.Trap("cmdRemoveAllFiles_Click",
                  [&] { RemoveAllInputFiles(context_.workspace(), context_.prompt); });
    context_.document.Changed(StudyDocument::Files);
}

void InputFilesPage::RestoreFileList() {
    context_.Trap("cmdRestoreFileList_Click", [&] {
        if (context_.document.RestoreFileList(context_.prompt))
            SelectRow(0);
    });
    ShowOptions();
}

void InputFilesPage::ApplyToAllFiles() {
    const std::optional<std::size_t> selected = SelectedRow();
    context_.Trap("cmdApplyToAllFiles_Click",
                  [&] { ApplyOptionsToAllFiles(context_.workspace(), context_.prompt); });
    context_.document.Changed(StudyDocument::Files);
    SelectRow(selected);
}

void InputFilesPage::DistancesClicked() {
    WorkspaceOptions& options = context_.workspace().options;
    options.distances = distances_->isChecked();
    if (!distances_->text().contains('['))
        distances_->setText(Q(DistancesCaption(options.distances)));
    if (!options.distances && !context_.document.Loading()) {
        bodyHeight_->setVisible(true);
        bodyHeight_->setFocus();
    }
    OnFocusIn(distances_);
    context_.Trap("chkDistances_Click", [&] {
        DistanceControlChanged(context_.workspace(), EditedRow(), context_.document.Loading());
    });
    AfterRowChange(StudyDocument::Options | StudyDocument::Files);
}

void InputFilesPage::DistanceOptionClicked() {
    WorkspaceOptions& options = context_.workspace().options;
    options.distancesHeight = distancesHeight_->isChecked();
    options.distancesLength = distancesLength_->isChecked();
    OnFocusIn(distancesHeight_);
    context_.Trap("optDistances_Click", [&] {
        DistanceControlChanged(context_.workspace(), EditedRow(), context_.document.Loading());
    });
    AfterRowChange(StudyDocument::Options | StudyDocument::Files);
}

void InputFilesPage::VideoClipSideClicked() {
    Workspace& workspace = context_.workspace();
    workspace.options.videoClipSide = videoClipSide_->isChecked();
    VideoClipSideOutcome outcome;
    context_.Trap("chkVideoClipSide_Click",
                  [&] { outcome = VideoClipSideClick(workspace, SelectedRow()); });
    AfterRowChange(StudyDocument::Options | StudyDocument::Files);
    if (outcome.openVideoDialog)
        SelectAviFile();
}

void InputFilesPage::VideoSideClicked() {
    const VideoSide side = leftSide_->isChecked()    ? VideoSide::Left
                           : rightSide_->isChecked() ? VideoSide::Right
                                                     : VideoSide::Both;
    context_.Trap("optSide_Click", [&] {
        VideoSideClick(context_.workspace(), SelectedRow(), side, context_.prompt);
    });
    AfterRowChange(StudyDocument::Options | StudyDocument::Files);
}

}  // namespace kivo::ui
