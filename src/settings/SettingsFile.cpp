#include "settings/SettingsFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>
#include <utility>
#include <vector>

#include "core/AtomicFile.h"
#include "core/ErrorTrap.h"
#include "core/FileError.h"
#include "core/OptionFields.h"
#include "core/PathChecks.h"
#include "core/RegularFile.h"
#include "input/InputFileList.h"
#include "input/InputMessages.h"
#include "input/StoredOptionRules.h"
#include "params/Catalogue.h"
#include "settings/SequentialFields.h"

namespace kivo {
namespace {

namespace fs = std::filesystem;

constexpr int kHighestDataFieldPosition = kInputVariableCount - 1;
constexpr int kHighestUserVariable = kUserVariableCount - 1;
constexpr int kParameterFieldCount = 9;  // eight columns and the check state

constexpr std::string_view kUnstorableText =
    "The text contains a double quote or a line break, which a settings file cannot hold. "
    "Nothing was written.";

bool IsStorable(std::string_view text) {
    return text.find_first_of("\"\r\n") == std::string_view::npos;
}

std::string InputFileField(std::size_t row, const InputFileRow& file, int column) {
    return "input file " + std::to_string(row + 1) + " '" + file[kColFileName] + "', " +
           std::string(InputFileColumnCaptions()[column]);
}

std::string ParameterField(std::size_t row, const ParameterDefinition& parameter,
                           std::string_view column) {
    return "parameter " + std::to_string(row + 1) + " '" + parameter.name + "', " +
           std::string(column);
}

// Writes the fields and refuses a text that could not be read back.
class SettingsWriter {
  public:
    explicit SettingsWriter(const std::string& path) : path_(path) {}

    // `fieldName` is called only when the text is refused.
    template <class FieldName>
    void NamedText(std::string_view text, FieldName&& fieldName) {
        if (!IsStorable(text)) {
            throw FileError(path_, 0, std::string(fieldName()), std::string(kUnstorableText));
        }
        out_.Text(text);
    }
    void Text(std::string_view text, std::string_view fieldName) {
        NamedText(text, [&] { return fieldName; });
    }
    void Integer(long long value) { out_.Integer(value); }
    void Boolean(bool value) { out_.Boolean(value); }
    const std::string& Content() const { return out_.Content(); }

  private:
    const std::string& path_;
    SequentialFieldWriter out_;
};

// Only a regular file is replaced, and only by a complete file.
void WriteAtomically(const std::string& path, const std::string& content) {
    AtomicFile file(path);
    file.Append(content);
    file.Commit();
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// A relative folder stored in a settings file belongs to the settings file's
// own folder (a study folder that is moved or shared keeps working).
std::string ResolveFolder(const std::string& folder, const std::string& settingsFolder) {
    if (folder.empty() || fs::path(folder).is_absolute())
        return folder;
    return WithTrailingSeparator((fs::path(settingsFolder) / folder).lexically_normal().string());
}

std::string FolderOf(const std::string& path) {
    std::error_code error;
    fs::path absolute = fs::absolute(path, error);
    if (error)
        absolute = path;
    return absolute.parent_path().string();
}

void ReportLoadError(UserPrompt& prompt, const SettingsFileError& error) {
    ShowErrorMessage(prompt, error.Number(), "LoadSettings", error.what());
}

// Reads a count or bound and checks its range.
long long ReadRange(SequentialFieldReader& reader, std::string_view field, long long lowest,
                    long long highest, const std::string& path) {
    const long long value = reader.Integer(field);
    if (value < lowest || value > highest) {
        throw SettingsFileError(kErrorSubscriptOutOfRange, path, reader.Line(), std::string(field),
                                "Subscript out of range: " + std::to_string(value));
    }
    return value;
}

constexpr long long kNoUpperBound = 1LL << 62;

// Reads an option text and passes it through the rule of its box; a value the
// box would refuse is reported with the file, the line and the field.
std::string ReadOption(SequentialFieldReader& reader, const std::string& path,
                       StoredOptionRule rule, const std::string& field) {
    std::string text = reader.Text(field);
    if (rule == StoredOptionRule::None)
        return text;
    StoredOptionValue value = ApplyStoredOptionRule(rule, text);
    if (!value.refusal.empty()) {
        throw SettingsFileError(kErrorTypeMismatch, path, reader.Line(), field, value.refusal);
    }
    return std::move(value.text);
}

// Reads the input file list, the bindings, the user variables and the
// parameter list that follow the options, then shows the first file's options.
void LoadLists(SequentialFieldReader& reader, const std::string& path, Workspace& workspace,
               UserPrompt& prompt, SettingsLoadNotes& notes) {
    const long long fileCount = ReadRange(reader, "number of input files", 0, kNoUpperBound, path);
    notes.storedInputFiles = static_cast<std::size_t>(fileCount);
    const long long columnCount = ReadRange(reader, "number of input file columns",
                                            kInputFileColumnCount, kNoUpperBound, path);
    workspace.inputFiles.clear();
    const std::string settingsFolder = WithTrailingSeparator(FolderOf(path));
    std::vector<std::string> relocated;
    std::string missing;  // paths of files that are not where they were stored
    for (long long record = 0; record < fileCount; ++record) {
        std::array<std::string, kInputFileColumnCount> columns;
        long cameraLine = 0;  // where the camera's columns begin
        for (long long column = 0; column < columnCount; ++column) {
            if (column >= kInputFileColumnCount) {
                reader.Text("input file column");
                continue;
            }
            const int c = static_cast<int>(column);
            columns[c] = ReadOption(reader, path, RuleOfInputFileColumn(c),
                                    "input file " + std::to_string(record + 1) + " '" +
                                        columns[kColFileName] + "', " +
                                        std::string(InputFileColumnCaptions()[c]));
            if (c == kColResolution)
                cameraLine = reader.Line();
        }
        InputFileRow row;
        row.columns = columns;
        const StoredOptionValue camera =
            ApplyStoredOptionRule(StoredOptionRule::Camera, JoinCameraColumns(row));
        if (!camera.refusal.empty()) {
            throw SettingsFileError(kErrorTypeMismatch, path, cameraLine,
                                    "input file " + std::to_string(record + 1) + " '" +
                                        columns[kColFileName] + "', Camera",
                                    camera.refusal);
        }
        const auto cameraParts = SplitCameraText(camera.text);
        if (!camera.text.empty()) {
            for (int i = 0; i < 4; ++i)
                columns[kColResolution + i] = cameraParts[i];
        }
        columns[kColDirectory] = ResolveFolder(columns[kColDirectory], settingsFolder);
        // A study folder that was moved or shared: its data files stand beside
        // the settings file.
        const std::string& name = columns[kColFileName];
        if (!name.empty() &&
            !IsExistingFile(WithTrailingSeparator(columns[kColDirectory]) + name) &&
            IsExistingFile(settingsFolder + name)) {
            columns[kColDirectory] = settingsFolder;
            if (AddFileWithColumns(workspace, columns, prompt))
                relocated.push_back(name);
            else
                notes.skippedInputFiles.push_back(name);
            continue;
        }
        const std::string stored = WithTrailingSeparator(columns[kColDirectory]) + name;
        if (!IsExistingFile(stored)) {
            missing += "\r\n" + stored;
            notes.skippedInputFiles.push_back(name);
        } else if (!AddFileWithColumns(workspace, columns, prompt)) {
            notes.skippedInputFiles.push_back(name);
        }
    }
    if (fileCount > 0 && workspace.inputFiles.empty()) {
        prompt.Tell(PromptId::FilesNotFound,
                    "Files not found at the last location." +
                        (missing.empty() ? std::string() : "\r\n" + missing),
                    PromptIcon::Exclamation);
    } else if (!missing.empty()) {
        prompt.Tell(
            PromptId::FilesNotFound,
            "The following input files were not found and are left out of the list:\r\n" + missing,
            PromptIcon::Exclamation);
    }
    if (!relocated.empty()) {
        std::string list;
        for (const std::string& name : relocated)
            list += (list.empty() ? "" : "\r\n") + name;
        prompt.Tell(PromptId::FilesRelocated,
                    FillPlaceholders("The following input files were not found at their stored "
                                     "location and were taken from the folder of the settings "
                                     "file '@':\r\n\r\n#",
                                     {{'@', path}, {'#', list}}),
                    PromptIcon::Information);
    }

    const long long highestPosition =
        ReadRange(reader, "highest data-field position", -1, kHighestDataFieldPosition, path);
    for (long long k = 0; k <= highestPosition; ++k) {
        std::string text = reader.Text("data field of input variable");
        // An empty text unbinds: the file holds every binding of the study.
        if (!text.empty())
            workspace.dataFieldNames.Add(text);
        workspace.boundDataFields[k] = std::move(text);
    }
    const long long highestUserVariable =
        ReadRange(reader, "highest user variable index", -1, kHighestUserVariable, path);
    for (long long u = 0; u <= highestUserVariable; ++u) {
        workspace.userVariableNames[u] = reader.Text("user variable name");
    }

    const long long parameterCount =
        ReadRange(reader, "number of parameters", 0, kNoUpperBound, path);
    const long long parameterFields =
        ReadRange(reader, "number of parameter columns", kParameterFieldCount, kNoUpperBound, path);
    workspace.parameters.clear();
    for (long long record = 0; record < parameterCount; ++record) {
        std::array<std::string, 8> texts;
        for (int column = 0; column < 8; ++column)
            texts[column] = reader.Text("parameter column");
        for (long long extra = kParameterFieldCount; extra < parameterFields; ++extra) {
            reader.Text("parameter column");
        }
        const bool enabled = reader.Boolean("parameter enabled");
        AddParameterRow(workspace.parameters, std::move(texts[0]), std::move(texts[1]),
                        std::move(texts[2]), std::move(texts[3]), std::move(texts[4]),
                        std::move(texts[5]), std::move(texts[6]), std::move(texts[7]), enabled);
    }
    if (!reader.AtEnd()) {
        throw SettingsFileError(kErrorUnexpected, path, reader.Line(), "",
                                "The file holds more fields than its counts announce");
    }
    if (!workspace.inputFiles.empty())
        ShowInputFileOptions(workspace, 0);
}

// Reads the whole file into the workspace; false when it is no settings file.
bool ReadSettingsFile(std::FILE* file, const std::string& path, Workspace& workspace,
                      UserPrompt& prompt, SettingsLoadNotes& notes) {
    SequentialFieldReader reader(file, path);
    std::string identification;
    try {
        identification = reader.Text("identification");
    } catch (const SettingsFileError&) {
        identification.clear();
    }
    if (identification != kSettingsIdentification) {
        prompt.Tell(PromptId::NotSettingsFile, "This file contains no valid settings!",
                    PromptIcon::Exclamation);
        return false;
    }

    WorkspaceOptions& options = workspace.options;
    const std::string settingsFolder = FolderOf(path);
    for (const OptionField& field : OptionFields()) {
        switch (field.kind) {
            case OptionKind::Folder: {
                std::string text = reader.Text(field.caption);
                if (!text.empty() && fs::path(text).is_relative())
                    text = (fs::path(settingsFolder) / text).lexically_normal().string();
                if (IsExistingFolder(text))
                    options.*field.text = std::move(text);
                else if (!text.empty())
                    notes.missingFolders.emplace_back(std::string(field.caption), std::move(text));
                break;
            }
            case OptionKind::Text:
            case OptionKind::Number:
                options.*field.text = ReadOption(reader, path, RuleOfOptionField(field.caption),
                                                 std::string(field.caption));
                break;
            case OptionKind::CheckBox:
                options.*field.state = ReadRange(reader, field.caption, 0, 1, path) != 0;
                break;
            case OptionKind::OptionButton:
                options.*field.state = reader.Boolean(field.caption);
                break;
            case OptionKind::Flag:  // kept in the settings store only
                break;
        }
    }

    LoadLists(reader, path, workspace, prompt, notes);
    return true;
}

}  // namespace

std::string FolderRelativeTo(const std::string& folder, const std::string& base) {
    if (folder.empty() || base.empty() || fs::path(folder).is_relative())
        return folder;
    const fs::path normalFolder = fs::path(folder).lexically_normal();
    const fs::path relative = normalFolder.lexically_relative(fs::path(base).lexically_normal());
    if (relative.empty() || *relative.begin() == "..")
        return folder;
    std::string text = relative.string();
    if (folder.back() == '/') {
        if (text == ".")
            return "./";
        return WithTrailingSeparator(text);
    }
    return FolderWithoutSeparator(text);
}

std::string SerializeSettings(const Workspace& workspace, std::string_view settingsFolder,
                              const std::string& path, SettingsFolders folders) {
    const std::string base(settingsFolder);
    const auto stored = [&](const std::string& folder) {
        return folders == SettingsFolders::RelativeWhereBelow ? FolderRelativeTo(folder, base)
                                                              : folder;
    };
    SettingsWriter out(path);
    const WorkspaceOptions& options = workspace.options;
    out.Text(kSettingsIdentification, "identification");
    for (const OptionField& field : OptionFields()) {
        switch (field.kind) {
            case OptionKind::Folder:
                out.Text(stored(field.text == &WorkspaceOptions::directorySettingsFiles
                                    ? base
                                    : options.*field.text),
                         field.caption);
                break;
            case OptionKind::Text:
            case OptionKind::Number:
                out.Text(options.*field.text, field.caption);
                break;
            case OptionKind::CheckBox:
                out.Integer(options.*field.state ? 1 : 0);
                break;
            case OptionKind::OptionButton:
                out.Boolean(options.*field.state);
                break;
            case OptionKind::Flag:  // kept in the settings store only
                break;
        }
    }

    out.Integer(static_cast<long long>(workspace.inputFiles.size()));
    out.Integer(kInputFileColumnCount);
    for (std::size_t row = 0; row < workspace.inputFiles.size(); ++row) {
        const InputFileRow& file = workspace.inputFiles[row];
        for (int column = 0; column < kInputFileColumnCount; ++column) {
            const std::string text = column == kColDirectory ? stored(file[column]) : file[column];
            out.NamedText(text, [&] { return InputFileField(row, file, column); });
        }
    }

    out.Integer(kHighestDataFieldPosition);
    for (int k = 0; k < kInputVariableCount; ++k) {
        out.NamedText(workspace.boundDataFields[k], [&] {
            return "data field of input variable " + std::to_string(k) + " '" +
                   std::string(workspace.InputVariableName(k)) + "'";
        });
    }
    out.Integer(kHighestUserVariable);
    for (int u = 0; u < kUserVariableCount; ++u) {
        out.NamedText(workspace.userVariableNames[u],
                      [&] { return "name of user variable " + std::to_string(u + 1); });
    }

    out.Integer(static_cast<long long>(workspace.parameters.size()));
    out.Integer(kParameterFieldCount);
    for (std::size_t row = 0; row < workspace.parameters.size(); ++row) {
        const ParameterDefinition& parameter = workspace.parameters[row];
        for (const ParameterColumn& column : kParameterColumns) {
            out.NamedText(parameter.*column.text,
                          [&] { return ParameterField(row, parameter, column.caption); });
        }
        out.Boolean(parameter.enabled);
    }
    return out.Content();
}

void SaveSettings(Workspace& workspace, const std::string& path, SettingsFolders folders) {
    const std::string folder = FolderOf(path);
    const std::string content = SerializeSettings(workspace, folder, path, folders);
    WriteAtomically(path, content);
    workspace.options.directorySettingsFiles = folder;
}

bool IsSettingsFile(const std::string& path) {
    std::error_code error;
    if (!fs::is_regular_file(fs::symlink_status(path, error)))
        return false;
    std::unique_ptr<std::FILE, FileCloser> file(OpenRegularFile(path));
    if (!file)
        return false;
    try {
        SequentialFieldReader reader(file.get(), path);
        return reader.Text("identification") == kSettingsIdentification;
    } catch (const SettingsFileError&) {
        return false;
    }
}

bool AddFileWithColumns(Workspace& workspace,
                        const std::array<std::string, kInputFileColumnCount>& columns,
                        UserPrompt& prompt) {
    // The naming rule of AddFile may pair the file with a listed one; the
    // stored partner columns are what the user had, so they are kept.
    std::vector<std::string> partners;
    partners.reserve(workspace.inputFiles.size());
    for (const InputFileRow& row : workspace.inputFiles)
        partners.push_back(row[kColPartnerFile]);

    if (!AddFile(workspace, columns[kColFileName], columns[kColDirectory], columns[kColTimeField],
                 prompt)) {
        return false;
    }
    for (std::size_t i = 0; i < partners.size(); ++i) {
        workspace.inputFiles[i][kColPartnerFile] = std::move(partners[i]);
    }
    InputFileRow& row = workspace.inputFiles.back();
    for (int column = kColPartnerFile; column < kInputFileColumnCount; ++column) {
        row[column] = columns[column];
    }
    return true;
}

SettingsLoadResult LoadSettings(const std::string& path, Workspace& workspace, UserPrompt& prompt,
                                SettingsLoadNotes* notes) {
    SettingsLoadNotes ignored;
    SettingsLoadNotes& taken = notes != nullptr ? *notes : ignored;
    taken = SettingsLoadNotes();
    workspace.options.directorySettingsFiles = FolderOf(path);
    SettingsLoadResult result = SettingsLoadResult::Failed;
    try {
        std::string problem;
        std::unique_ptr<std::FILE, FileCloser> file(OpenRegularFile(path, &problem));
        if (!file) {
            throw SettingsFileError(kErrorFileNotFound, path, 0, "",
                                    "The settings file " + problem);
        }
        result = ReadSettingsFile(file.get(), path, workspace, prompt, taken)
                     ? SettingsLoadResult::Loaded
                     : SettingsLoadResult::NotSettingsFile;
    } catch (const SettingsFileError& error) {
        ReportLoadError(prompt, error);
    } catch (const std::exception& error) {
        ReportTrappedError(prompt, "LoadSettings", error);
    }
    SetAllParameterTypeTags(workspace.parameters);
    return result;
}

bool ConfirmSettingsFileOverwrite(const std::string& path, UserPrompt& prompt) {
    // A save would refuse it anyway: no question about what is never replaced.
    RequireReplaceable(path);
    std::error_code error;
    if (!fs::exists(path, error))
        return true;
    return prompt.Ask(PromptId::OverwriteSettingsFile,
                      FillPlaceholders("The file '#' exists already.\r\n\r\nDo you want to "
                                       "overwrite this file?",
                                       {{'#', path}}),
                      PromptButtons::YesNo, PromptIcon::Exclamation) == PromptAnswer::Yes;
}

}  // namespace kivo
