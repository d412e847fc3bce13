#include "settings/StoredSettings.h"

#include <ctime>
#include <filesystem>
#include <map>
#include <system_error>
#include <utility>

#include "core/OptionFields.h"
#include "core/PathChecks.h"
#include "core/Text.h"
#include "input/InputFileList.h"
#include "input/InputMessages.h"
#include "input/StoredOptionRules.h"
#include "params/Catalogue.h"
#include "params/DefaultParameterList.h"
#include "settings/SettingsFile.h"

namespace kivo {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kSettings = "Settings";
constexpr std::string_view kFiles = "Files";
constexpr std::string_view kParameters = "Parameters";
constexpr std::string_view kDataFields = "DataFields";
constexpr std::string_view kVariables = "Variables";
constexpr std::string_view kRun = "Run";

constexpr std::string_view kFilesNotFoundMessage =
    "The following input files were not found at their stored location and are left out of the "
    "file list:\r\n\r\n#\r\n\r\nThey stay in the stored settings until the settings are saved "
    "without them.";
constexpr std::string_view kEntriesSkippedMessage =
    "The following stored settings could not be read and were left out:\r\n\r\n#";
constexpr std::string_view kUnreadableMessage =
    "The stored settings in '@' could not be read:\r\n#\r\n\r\nKivo starts with its start "
    "values. The unreadable file was kept as '*'.";
constexpr std::string_view kUnreadableNotMovedMessage =
    "The stored settings in '@' could not be read:\r\n#\r\n\r\nKivo starts with its start "
    "values. The unreadable file could not be moved aside; saving the settings will fail until "
    "it is removed.";
constexpr std::string_view kFailedMessage = "The stored settings in '@' could not be read:\r\n#";
constexpr std::string_view kSaveFailedMessage =
    "The settings could not be saved in '@':\r\n#\r\n\r\nThe settings stored before are kept.";
constexpr std::string_view kSaveQuestion = "Do you want to save all settings for the next time?";

// Keys that number entries have at least two digits: "01", "99", "100".
std::string NumberedKey(std::size_t number) {
    std::string key = std::to_string(number);
    return key.size() < 2 ? "0" + key : key;
}

std::string SubSection(std::string_view section, std::string_view entryKey) {
    return std::string(section) + "\\" + std::string(entryKey);
}

std::map<std::string, std::string, std::less<>> ByKey(const std::vector<StoredEntry>& entries) {
    return {entries.begin(), entries.end()};
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += (text.empty() ? "" : "\r\n") + line;
    return text;
}

std::optional<bool> ReadBoolean(std::string_view text) {
    text = TrimBlanks(text);
    if (EqualsIgnoringCase(text, "True"))
        return true;
    if (EqualsIgnoringCase(text, "False"))
        return false;
    return std::nullopt;
}

// The entries of a section and the values of each entry's sub-section.
struct StoredList {
    std::vector<StoredEntry> entries;
    std::vector<std::vector<StoredEntry>> columns;
};

StoredList ReadList(const SettingsStore& store, std::string_view section) {
    StoredList list;
    list.entries = store.GetAllSettings(section);
    for (const StoredEntry& entry : list.entries)
        list.columns.push_back(store.GetAllSettings(SubSection(section, entry.first)));
    return list;
}

void RestoreOptions(const std::vector<StoredEntry>& stored, std::string_view decimalSymbol,
                    WorkspaceOptions& options, RestoreReport& report) {
    const auto values = ByKey(stored);
    const WorkspaceOptions start(decimalSymbol);
    for (const OptionField& field : OptionFields()) {
        const auto found = values.find(field.caption);
        if (field.kind == OptionKind::Folder) {
            const std::string& folder =
                found != values.end() ? found->second : options.directoryOutputFiles;
            if (IsExistingFolder(folder))
                options.*field.text = folder;
            continue;
        }
        if (found == values.end()) {
            if (field.missingGivesStartValue)
                SetOptionFromStoredText(options, field, StoredOptionText(start, field));
            continue;
        }
        // Numbers with either decimal symbol, as the option's box would hold them.
        const StoredOptionValue value =
            field.HoldsText()
                ? ApplyStoredOptionRule(RuleOfOptionField(field.caption), found->second)
                : StoredOptionValue{found->second, {}};
        if (!value.refusal.empty() || !SetOptionFromStoredText(options, field, value.text))
            report.entriesSkipped.push_back(SubSection(kSettings, field.caption));
    }
}

void RestoreFileList(const StoredList& stored, Workspace& workspace, UserPrompt& prompt,
                     RestoreReport& report) {
    if (stored.entries.empty())
        return;
    workspace.inputFiles.clear();
    std::vector<std::string> notFound;
    for (std::size_t i = 0; i < stored.entries.size(); ++i) {
        const std::vector<StoredEntry>& values = stored.columns[i];
        if (values.size() != kInputFileColumnCount - 1) {
            report.entriesSkipped.push_back(SubSection(kFiles, stored.entries[i].first));
            continue;
        }
        std::array<std::string, kInputFileColumnCount> columns;
        columns[kColFileName] = stored.entries[i].second;
        bool refused = false;
        for (std::size_t c = 0; c < values.size(); ++c) {
            const int column = static_cast<int>(c) + 1;
            StoredOptionValue value =
                ApplyStoredOptionRule(RuleOfInputFileColumn(column), values[c].second);
            refused = refused || !value.refusal.empty();
            columns[c + 1] = std::move(value.text);
        }
        InputFileRow row;
        row.columns = columns;
        refused =
            refused || !ApplyStoredOptionRule(StoredOptionRule::Camera, JoinCameraColumns(row))
                            .refusal.empty();
        if (refused) {
            report.entriesSkipped.push_back(SubSection(kFiles, stored.entries[i].first));
            continue;
        }
        const std::string path = WithTrailingSeparator(columns[kColDirectory]) + columns[0];
        if (!IsExistingFile(path)) {
            notFound.push_back(path);
            continue;
        }
        AddFileWithColumns(workspace, columns, prompt);
    }
    if (!notFound.empty()) {
        prompt.Tell(PromptId::FilesNotFound,
                    FillPlaceholders(kFilesNotFoundMessage, {{'#', Joined(notFound)}}),
                    PromptIcon::Exclamation);
        report.filesNotFound.insert(report.filesNotFound.end(), notFound.begin(), notFound.end());
    }
}

void TellSkippedEntries(const RestoreReport& report, std::size_t before, UserPrompt& prompt) {
    if (report.entriesSkipped.size() <= before)
        return;
    const std::vector<std::string> skipped(report.entriesSkipped.begin() + before,
                                           report.entriesSkipped.end());
    prompt.Tell(PromptId::StoredSettingsSkipped,
                FillPlaceholders(kEntriesSkippedMessage, {{'#', Joined(skipped)}}),
                PromptIcon::Exclamation);
}

// A unique name beside the store for a file that cannot be read, with the
// time it was found so.
std::string AsideName(const std::string& path) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    std::string name = path + ".unreadable-" + stamp;
    std::error_code error;
    for (int n = 2; fs::exists(name, error); ++n)
        name = path + ".unreadable-" + stamp + "-" + std::to_string(n);
    return name;
}

// Reports a store that could not be read; an unreadable one is moved aside.
void ReportStoreError(const SettingsStoreError& error, const std::string& storePath,
                      UserPrompt& prompt, RestoreReport& report) {
    const std::string what = error.what();
    if (error.GetKind() == SettingsStoreError::Kind::Unreadable) {
        const std::optional<std::string> aside = MoveStoreAside(storePath);
        report.unreadableStoreMovedTo = aside.value_or("");
        prompt.Tell(
            PromptId::StoreUnreadable,
            aside ? FillPlaceholders(kUnreadableMessage,
                                     {{'@', storePath}, {'#', what}, {'*', *aside}})
                  : FillPlaceholders(kUnreadableNotMovedMessage, {{'@', storePath}, {'#', what}}),
            PromptIcon::Exclamation);
        return;
    }
    report.failure = FillPlaceholders(kFailedMessage, {{'@', storePath}, {'#', what}});
    prompt.Tell(PromptId::StoreNotRead, *report.failure, PromptIcon::Exclamation);
}

// What the store holds of the groups asked for, read in one transaction, so
// that a restore sees one state even while another program saves (and no
// message waits with the store held).
struct StoredState {
    std::vector<StoredEntry> settings;
    StoredList files;
    std::vector<StoredEntry> dataFields;
    std::vector<StoredEntry> variables;
    StoredList parameters;
};

enum StoredGroups { kSettingsAndFiles = 1, kDataFieldsAndVariables = 2, kParameterList = 4 };

StoredState ReadState(const SettingsStore& store, int groups) {
    StoredState state;
    store.ReadTransaction([&] {
        if (groups & kSettingsAndFiles) {
            state.settings = store.GetAllSettings(kSettings);
            state.files = ReadList(store, kFiles);
        }
        if (groups & kDataFieldsAndVariables) {
            state.dataFields = store.GetAllSettings(kDataFields);
            state.variables = store.GetAllSettings(kVariables);
        }
        if (groups & kParameterList)
            state.parameters = ReadList(store, kParameters);
    });
    return state;
}

void ApplySettings(const StoredState& state, Workspace& workspace, UserPrompt& prompt,
                   RestoreReport& report) {
    RestoreOptions(state.settings, workspace.decimalSymbol, workspace.options, report);
    RestoreFileList(state.files, workspace, prompt, report);
}

void ApplyDataFields(const StoredState& state, Workspace& workspace) {
    const auto bound = ByKey(state.dataFields);
    for (int k = 0; k < kInputVariableCount; ++k) {
        const auto found = bound.find(NumberedKey(static_cast<std::size_t>(k)));
        if (found == bound.end() || found->second.empty())
            continue;
        workspace.dataFieldNames.Add(found->second);
        workspace.boundDataFields[k] = found->second;
    }
    const auto names = ByKey(state.variables);
    for (int u = 0; u < kUserVariableCount; ++u) {
        const auto found = names.find(NumberedKey(static_cast<std::size_t>(u)));
        workspace.userVariableNames[u] = found == names.end() ? "" : found->second;
    }
}

void ApplyParameterList(const StoredState& state, Workspace& workspace, RestoreReport& report) {
    const StoredList& list = state.parameters;
    std::vector<ParameterDefinition>& rows = workspace.parameters;
    if (list.entries.empty()) {
        CreateDefaultParameterList(rows);
        report.defaultParameterList = true;
        return;
    }
    rows.clear();
    for (std::size_t i = 0; i < list.entries.size(); ++i) {
        const std::vector<StoredEntry>& values = list.columns[i];
        const std::optional<bool> enabled = values.size() >= kParameterColumns.size()
                                                ? ReadBoolean(values[7].second)
                                                : std::nullopt;
        if (!enabled) {
            report.entriesSkipped.push_back(SubSection(kParameters, list.entries[i].first) + " '" +
                                            list.entries[i].second + "'");
            continue;
        }
        AddParameterRow(rows, list.entries[i].second, values[0].second, values[1].second,
                        values[2].second, values[3].second, values[4].second, values[5].second,
                        values[6].second, *enabled);
    }
    SetAllParameterTypeTags(rows);
}

}  // namespace

void RestoreSettings(const SettingsStore& store, Workspace& workspace, UserPrompt& prompt,
                     RestoreReport& report) {
    const std::size_t skippedBefore = report.entriesSkipped.size();
    ApplySettings(ReadState(store, kSettingsAndFiles), workspace, prompt, report);
    TellSkippedEntries(report, skippedBefore, prompt);
}

void RestoreDataFields(const SettingsStore& store, Workspace& workspace, RestoreReport&) {
    ApplyDataFields(ReadState(store, kDataFieldsAndVariables), workspace);
}

void RestoreParameterList(const SettingsStore& store, Workspace& workspace, RestoreReport& report) {
    ApplyParameterList(ReadState(store, kParameterList), workspace, report);
}

void SaveAllSettings(const Workspace& workspace, SettingsStore& store) {
    store.WriteTransaction([&] {
        // The options in the order of the window's controls, the folders last.
        for (const bool folders : {false, true}) {
            for (const OptionField& field : OptionFields()) {
                if ((field.kind == OptionKind::Folder) == folders)
                    store.SaveSetting(kSettings, field.caption,
                                      StoredOptionText(workspace.options, field));
            }
        }

        // Sub-sections are named by the entry's number, which is unique (two
        // rows of one name keep their own values).
        store.DeleteSetting(kFiles);
        const auto& captions = InputFileColumnCaptions();
        for (std::size_t i = 0; i < workspace.inputFiles.size(); ++i) {
            const InputFileRow& row = workspace.inputFiles[i];
            const std::string key = NumberedKey(i + 1);
            store.SaveSetting(kFiles, key, row[kColFileName]);
            const std::string section = SubSection(kFiles, key);
            for (int c = kColPartnerFile; c < kInputFileColumnCount; ++c)
                store.SaveSetting(section, captions[c], row[c]);
        }

        store.DeleteSetting(kParameters);
        for (std::size_t i = 0; i < workspace.parameters.size(); ++i) {
            const ParameterDefinition& row = workspace.parameters[i];
            const std::string key = NumberedKey(i + 1);
            store.SaveSetting(kParameters, key, row.name);
            const std::string section = SubSection(kParameters, key);
            for (std::size_t c = 1; c < kParameterColumns.size(); ++c)
                store.SaveSetting(section, kParameterColumns[c].caption,
                                  row.*kParameterColumns[c].text);
            store.SaveSetting(section, kRun, row.enabled ? "True" : "False");
        }

        store.DeleteSetting(kDataFields);
        for (int k = 0; k < kInputVariableCount; ++k) {
            if (!workspace.boundDataFields[k].empty()) {
                store.SaveSetting(kDataFields, NumberedKey(static_cast<std::size_t>(k)),
                                  workspace.boundDataFields[k]);
            }
        }
        store.DeleteSetting(kVariables);
        for (int u = 0; u < kUserVariableCount; ++u) {
            if (!workspace.userVariableNames[u].empty()) {
                store.SaveSetting(kVariables, NumberedKey(static_cast<std::size_t>(u)),
                                  workspace.userVariableNames[u]);
            }
        }
    });
}

RestoreReport RestoreWorkspace(const SettingsStore& store, Workspace& workspace,
                               UserPrompt& prompt) {
    const StoredState state =
        ReadState(store, kSettingsAndFiles | kDataFieldsAndVariables | kParameterList);
    RestoreReport report;
    ApplySettings(state, workspace, prompt, report);
    ApplyDataFields(state, workspace);
    ApplyParameterList(state, workspace, report);
    TellSkippedEntries(report, 0, prompt);
    if (!workspace.inputFiles.empty())
        ShowInputFileOptions(workspace, 0);
    return report;
}

RestoreReport RestoreStoredWorkspace(const std::string& storePath, Workspace& workspace,
                                     UserPrompt& prompt) {
    try {
        const SettingsStore store(storePath, SettingsStore::Access::Read);
        return RestoreWorkspace(store, workspace, prompt);
    } catch (const SettingsStoreError& error) {
        RestoreReport report;
        ReportStoreError(error, storePath, prompt, report);
        workspace = Workspace(workspace.decimalSymbol);
        CreateDefaultParameterList(workspace.parameters);
        report.defaultParameterList = true;
        return report;
    }
}

std::optional<RestoreReport> RestoreFromStore(StoredGroup group, const std::string& storePath,
                                              Workspace& workspace, UserPrompt& prompt) {
    const bool fileList = group == StoredGroup::FileList;
    const PromptAnswer answer =
        fileList ? prompt.Ask(PromptId::RestoreFileList,
                              "Do you really want to restore the file list loaded at program "
                              "start?",
                              PromptButtons::YesNo, PromptIcon::Exclamation)
                 : prompt.Ask(PromptId::RestoreDataFieldAssignments,
                              "Do you really want to restore the data field assignments loaded "
                              "at program start?",
                              PromptButtons::YesNo, PromptIcon::Exclamation);
    if (answer != PromptAnswer::Yes)
        return std::nullopt;
    RestoreReport report;
    Workspace restored = workspace;
    try {
        const SettingsStore store(storePath, SettingsStore::Access::Read);
        if (fileList) {
            RestoreSettings(store, restored, prompt, report);
        } else {
            restored.dataFieldNames.Clear();
            restored.boundDataFields.fill("");
            restored.userVariableNames.fill("");
            RestoreDataFields(store, restored, report);
        }
    } catch (const SettingsStoreError& error) {
        ReportStoreError(error, storePath, prompt, report);
        return report;
    }
    workspace = std::move(restored);
    return report;
}

std::optional<std::vector<ParameterDefinition>> LoadStoredParameterList(
    const std::string& storePath, UserPrompt& prompt) {
    Workspace stored;
    RestoreReport report;
    try {
        const SettingsStore store(storePath, SettingsStore::Access::Read);
        RestoreParameterList(store, stored, report);
    } catch (const SettingsStoreError& error) {
        ReportStoreError(error, storePath, prompt, report);
        return std::nullopt;
    }
    TellSkippedEntries(report, 0, prompt);
    if (report.defaultParameterList)
        return std::vector<ParameterDefinition>();
    return std::move(stored.parameters);
}

std::optional<std::string> MoveStoreAside(const std::string& storePath) {
    const std::string aside = AsideName(storePath);
    std::error_code error;
    fs::rename(storePath, aside, error);
    if (error)
        return std::nullopt;
    // A journal left beside it belongs to the old file, never to a new store.
    for (const char* suffix : {"-journal", "-wal", "-shm"}) {
        if (fs::exists(storePath + suffix, error))
            fs::rename(storePath + suffix, aside + suffix, error);
    }
    return aside;
}

bool SaveToStore(const Workspace& workspace, const std::string& storePath, UserPrompt& prompt) {
    try {
        SettingsStore store(storePath, SettingsStore::Access::Write);
        SaveAllSettings(workspace, store);
        return true;
    } catch (const std::exception& error) {
        prompt.Tell(PromptId::StoreNotSaved,
                    FillPlaceholders(kSaveFailedMessage, {{'@', storePath}, {'#', error.what()}}),
                    PromptIcon::Critical);
        return false;
    }
}

bool AskToSaveAtExit(const Workspace& workspace, const std::string& storePath, UserPrompt& prompt) {
    switch (prompt.Ask(PromptId::SaveSettingsAtExit, std::string(kSaveQuestion),
                       PromptButtons::YesNoCancel, PromptIcon::Question)) {
        case PromptAnswer::Yes:
            return SaveToStore(workspace, storePath, prompt);
        case PromptAnswer::No:
            return true;
        default:
            return false;
    }
}

}  // namespace kivo
