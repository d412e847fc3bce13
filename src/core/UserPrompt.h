#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kivo {

enum class PromptIcon { Information, Exclamation, Critical, Question, None };
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class PromptAnswer { Ok, Cancel, Yes, No };

// What a message or question is about, independent of its wording: front ends
// and tests key on it (the command line's answer policy, scripted answers).
enum class PromptId {
    TrappedError,  // the "Error Message" box of an unexpected failure

    // Data files and the input file list.
    TimeLabelMissing,
    FormatLineNotFound,  // a message when a file is added, a question during a run
    TimeValuesIncorrect,
    MissingBodyParts,
    FileAlreadyListed,
    SelectInputFile,
    OwnPartnerFile,
    PartnerRateDiffers,
    FileListEmpty,
    RemoveAllFiles,
    FilesNotFound,
    FilesRelocated,
    FileNameRefused,     // a name that would break the lines of the run's files
    NotRegularFile,      // a folder, device or pipe given as a data file
    DuplicateDataField,  // a format line names a data field twice
    NonNumberFields,     // fields read as 0 or as the number they begin with

    // Options, data fields and the parameter list.
    OptionValueRefused,  // a value that none of an option's states stands for
    VideoFileMissing,
    NoVideoClipFile,
    SplitFileOff,
    CameraTextInvalid,
    LinesPerPartInvalid,
    VariableNameInUse,
    ClearDataFieldLists,
    DeleteUserVariables,
    ResetParameterList,
    RestoreParameterList,
    ClearParameterList,
    ParameterDefinitionError,  // the compilation refuses a row of the list
    UnlistableName,            // a name that cannot stand in a comma-separated list

    // The parameter list editor.
    AddSelectedItem,
    UndefinedEntry,
    ListLimitReached,
    RowsDisabledToo,
    RowsNotEnabled,
    ParameterNameRefused,
    EnterNumber,
    WholeNumberRequired,
    ReferenceSystemRequired,
    RowCannotBeEnabled,
    OutputAndStatistics,
    RemoveParameter,
    ParameterNeedsRows,  // a row needs rows that are disabled, missing or below it

    // Settings files.
    NotSettingsFile,
    OverwriteSettingsFile,

    // The window.
    ParameterPageWarning,
    SystemInformationUnavailable,
    PlotNotShown,     // the output or statistics file cannot be plotted
    PreviewNotShown,  // the data file cannot be read for the preview

    // The settings store.
    StoreUnreadable,  // moved aside; the program goes on with the start values
    StoreNotRead,     // a sound store that could not be read now
    StoredSettingsSkipped,
    StoreNotSaved,
    SaveSettingsAtExit,
    RestoreFileList,
    RestoreDataFieldAssignments,
    ResetStore,

    // The calculation run.
    OutputDirectoryMissing,
    StatisticsFileNameMissing,
    OverwriteOutputFiles,
    OutputReplacesInput,
    OutputFileShared,  // two input files (or the statistics file) would write one file
    InputFilesMissing,
    PartnerFileMissing,
    CameraValuesMissing,
    VideoNotOpened,
    VideoTooSlow,  // fewer video frames than processed data frames per second
    ClipNotWritten,
    AbortCalculations,
    PartnerEndsEarly,
    ShortDataLine,
    RunFinished,
    FilesWithErrors,
};

inline constexpr std::string_view kPromptTitle = "Kivo";
inline constexpr std::string_view kErrorMessageTitle = "Error Message";

// One message or question of the system. Texts use "\r\n" line breaks.
struct PromptMessage {
    PromptId id = PromptId::TrappedError;
    std::string text;
    PromptIcon icon = PromptIcon::Information;
    PromptButtons buttons = PromptButtons::Ok;
    std::string title = std::string(kPromptTitle);
};

// Every message and question of the system goes through this interface: message
// boxes in the window, a console policy on the command line, a script in tests.
class UserPrompt {
  public:
    virtual ~UserPrompt() = default;
    virtual PromptAnswer Ask(const PromptMessage& message) = 0;

    // Asks for one line of text in an input box that starts with `initial`;
    // nothing when the user cancels. A front end without input boxes cancels.
    virtual std::optional<std::string> AskText(const PromptMessage& message,
                                               std::string_view initial) {
        (void)message;
        (void)initial;
        return std::nullopt;
    }

    // A message with an OK button.
    void Tell(PromptId id, std::string text, PromptIcon icon = PromptIcon::Information) {
        Ask(PromptMessage{id, std::move(text), icon, PromptButtons::Ok});
    }
    PromptAnswer Ask(PromptId id, std::string text, PromptButtons buttons, PromptIcon icon) {
        return Ask(PromptMessage{id, std::move(text), icon, buttons});
    }
};

}  // namespace kivo
