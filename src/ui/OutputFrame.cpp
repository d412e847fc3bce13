#include "ui/OutputFrame.h"

#include <QCheckBox>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "input/OutputOptionRules.h"
#include "input/ProcessingOptionRules.h"
#include "ui/Controls.h"

namespace kivo::ui {
namespace {

constexpr const char* kKeep = "*";

void SetTextQuietly(QLineEdit* box, const std::string& text) {
    if (box->text() != Q(text))
        box->setText(Q(text));
}

}  // namespace

OutputFrame::OutputFrame(WindowContext& context, QWidget* parent)
    : QGroupBox(parent), context_(context) {
    setObjectName("frmOutputFiles");
    setTitle("Output Files");
    directory_ = MakeControl<QLineEdit>(this, "txtDirectoryOutputFiles", {110, 24, 600, 24}, "L-TT",
                                        "Folder for the output files and the statistics file");
    MakeLabel(this, "lblDirectoryOutputFiles", "Out&put Folder", {10, 24, 96, 24}, kKeep,
              directory_);
    auto* browse =
        MakeCaptioned<QPushButton>(this, "cmdBrowseFolder", "Browse...", {718, 22, 116, 28}, "-LTT",
                                   "Browse for output folder");
    connect(browse, &QPushButton::clicked, this, &OutputFrame::BrowseFolder);

    prefix_ = MakeControl<QLineEdit>(this, "txtPrefix", {110, 58, 110, 24}, kKeep,
                                     "Text put before the input file's name");
    MakeLabel(this, "lblPrefix", "Prefi&x", {10, 58, 96, 24}, kKeep, prefix_);
    suffix_ = MakeControl<QLineEdit>(this, "txtSuffix", {290, 58, 110, 24}, kKeep,
                                     "Text put after the input file's name");
    MakeLabel(this, "lblSuffix", "Suffi&x", {230, 58, 56, 24}, kKeep, suffix_);
    csv_ = MakeCaptioned<QRadioButton>(this, "optCSVSeparator", "&CSV (;)", {420, 58, 90, 24},
                                       kKeep, "Separate the fields by \";\" in files ending .csv");
    tsv_ = MakeCaptioned<QRadioButton>(this, "optTSVSeparator", "&Tab", {514, 58, 70, 24}, kKeep,
                                       "Separate the fields by tabs in files with the extension "
                                       "on the right");
    extension_ = MakeControl<QLineEdit>(this, "txtExtension", {586, 58, 60, 24}, kKeep,
                                        "Extension of tab-separated output files");

    statisticsFile_ =
        MakeControl<QLineEdit>(this, "txtStatisticsFileName", {110, 92, 200, 24}, kKeep,
                               "Name of the statistics file in the output folder");
    MakeLabel(this, "lblStatisticsFileName", "&Statistics File", {10, 92, 96, 24}, kKeep,
              statisticsFile_);
    splitFile_ = MakeCaptioned<QCheckBox>(this, "chkSplitFile", "Split Output &Files",
                                          {330, 92, 160, 24}, kKeep,
                                          "Split the output into part files of at most this many "
                                          "data lines");
    noOfLines_ = MakeControl<QLineEdit>(this, "txtNoOfLines", {600, 92, 80, 24}, kKeep,
                                        "Maximum number of data lines of each part file");
    noOfLinesLabel_ =
        MakeLabel(this, "lblNoOfLines", "Lines per File", {496, 92, 100, 24}, kKeep, noOfLines_);

    WorkspaceOptions& options = context_.workspace().options;
    connect(directory_, &QLineEdit::textEdited, this, [this, &options](const QString& text) {
        options.directoryOutputFiles = S(text);
        Changed();
    });
    connect(prefix_, &QLineEdit::textEdited, this,
            [&options](const QString& text) { options.prefix = S(text); });
    connect(suffix_, &QLineEdit::textEdited, this,
            [&options](const QString& text) { options.suffix = S(text); });
    connect(csv_, &QRadioButton::clicked, this, [this, &options] {
        SelectCsvSeparator(options);
        Changed();
    });
    connect(tsv_, &QRadioButton::clicked, this, [this, &options] {
        SelectTsvSeparator(options);
        Changed();
        extension_->setFocus();
    });
    connect(extension_, &QLineEdit::textEdited, this, [this, &options](const QString& text) {
        options.extension = S(text);
        ExtensionChanged(options);
        Changed();
    });
    connect(statisticsFile_, &QLineEdit::textEdited, this,
            [&options](const QString& text) { options.statisticsFileName = S(text); });
    connect(splitFile_, &QCheckBox::clicked, this, [this, &options](bool checked) {
        options.splitFile = checked;
        SplitFileClick(options);
        Changed();
        if (checked && !context_.document.Loading())
            noOfLines_->setFocus();
    });
    connect(noOfLines_, &QLineEdit::textEdited, this, [this, &options](const QString& text) {
        options.noOfLines = FilterNumericText(S(text), context_.workspace().decimalSymbol);
        SetTextQuietly(noOfLines_, options.noOfLines);
    });
    statisticsFile_->installEventFilter(this);
    noOfLines_->installEventFilter(this);
    ShowOptions();
}

bool OutputFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::FocusOut || context_.document.Loading() || !isEnabled())
        return QGroupBox::eventFilter(watched, event);
    WorkspaceOptions& options = context_.workspace().options;
    if (watched == statisticsFile_) {
        StatisticsFileNameLostFocus(options);
        Changed();
    } else if (watched == noOfLines_ && options.splitFile) {
        bool accepted = true;
        context_.Trap("txtNoOfLines_LostFocus", [&] {
            accepted =
                NoOfLinesLostFocus(options, context_.workspace().decimalSymbol, context_.prompt);
        });
        Changed();
        if (!accepted)
            noOfLines_->setFocus();
    }
    return QGroupBox::eventFilter(watched, event);
}

void OutputFrame::Changed() {
    context_.document.Changed(StudyDocument::Options);
}

void OutputFrame::ShowOptions() {
    const WorkspaceOptions& options = context_.workspace().options;
    SetTextQuietly(directory_, options.directoryOutputFiles);
    SetTextQuietly(prefix_, options.prefix);
    SetTextQuietly(suffix_, options.suffix);
    csv_->setChecked(options.csvSeparator);
    tsv_->setChecked(options.tsvSeparator);
    SetTextQuietly(extension_, options.extension);
    extension_->setEnabled(options.tsvSeparator);
    SetTextQuietly(statisticsFile_, options.statisticsFileName);
    splitFile_->setChecked(options.splitFile);
    SetTextQuietly(noOfLines_, options.noOfLines);
    noOfLines_->setEnabled(options.splitFile);
    noOfLinesLabel_->setEnabled(options.splitFile);
}

void OutputFrame::BrowseFolder() {
    WorkspaceOptions& options = context_.workspace().options;
    const QString folder = context_.dialogs->Folder(
        window(), "Folder for Storing Output Files:", Q(options.directoryOutputFiles));
    if (folder.isEmpty())
        return;
    options.directoryOutputFiles = S(folder);
    Changed();
}

}  // namespace kivo::ui
