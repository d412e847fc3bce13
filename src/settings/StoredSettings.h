#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/UserPrompt.h"
#include "core/Workspace.h"
#include "settings/SettingsStore.h"

namespace kivo {

// What a restore from the settings store could not take over. The user has
// been told already (through the prompt); the front end shows the workspace.
struct RestoreReport {
    // Stored input files that no longer exist, as full paths. They stay in
    // the store until the settings are saved without them.
    std::vector<std::string> filesNotFound;
    // Stored entries left out because they could not be read ("Settings\Height").
    std::vector<std::string> entriesSkipped;
    // Set when the store could not be read: the workspace has the start
    // values, and the unreadable file was moved here (empty when it could not
    // be moved).
    std::optional<std::string> unreadableStoreMovedTo;
    // Set when the store could not be read or written for another reason
    // (the text the user was shown).
    std::optional<std::string> failure;
    // The store holds no parameter list, so the default list was built.
    bool defaultParameterList = false;
};

// The "Settings" keys into the options (a folder only when it exists), then,
// when the store holds any, the input file list: each file is checked again
// with its own stored time label; files that are gone are named in one
// message. Reading errors throw SettingsStoreError before anything changes.
void RestoreSettings(const SettingsStore& store, Workspace& workspace, UserPrompt& prompt,
                     RestoreReport& report);
// The data-field assignments ("DataFields") and user variable names ("Variables").
void RestoreDataFields(const SettingsStore& store, Workspace& workspace, RestoreReport& report);
// The parameter list ("Parameters"), or the default list when none is stored.
void RestoreParameterList(const SettingsStore& store, Workspace& workspace, RestoreReport& report);

// Writes the whole workspace into the store in one transaction: the options,
// the input file list, the parameter list, the data-field assignments and
// the user variables. Throws SettingsStoreError; the store then holds what it
// held before.
void SaveAllSettings(const Workspace& workspace, SettingsStore& store);

// RestoreSettings, RestoreDataFields and RestoreParameterList in this order,
// then shows the first input file's options. Throws SettingsStoreError.
RestoreReport RestoreWorkspace(const SettingsStore& store, Workspace& workspace,
                               UserPrompt& prompt);

// Start-up: restores the options and the input file list, the data-field
// assignments and the parameter list from the store at `storePath`, then
// shows the first input file's options. A store that cannot be read never
// stops the program: the workspace gets the start values and the default
// parameter list, an unreadable file is moved aside, and the user is told.
RestoreReport RestoreStoredWorkspace(const std::string& storePath, Workspace& workspace,
                                     UserPrompt& prompt);

// Two restore commands of the window (the parameter page restores its list
// through LoadStoredParameterList).
enum class StoredGroup { FileList, DataFieldAssignments };

// Asks whether to restore the group as it was loaded at program start; on
// "Yes" restores it from the store (the file list with every option; the
// data-field assignments after clearing the data-field lists and the user
// variables). When the store cannot be read the user is told and the
// workspace stays as it was. Returns nothing when the user answered "No".
std::optional<RestoreReport> RestoreFromStore(StoredGroup group, const std::string& storePath,
                                              Workspace& workspace, UserPrompt& prompt);

// The parameter list kept in the store at `storePath`, with its type tags;
// an empty list when none is stored; nothing when the store cannot be read
// (the user is told).
std::optional<std::vector<ParameterDefinition>> LoadStoredParameterList(
    const std::string& storePath, UserPrompt& prompt);

// Moves a store file that cannot be read (and its journal) aside under a
// name with the time; returns the new name, or nothing when it cannot be moved.
std::optional<std::string> MoveStoreAside(const std::string& storePath);

// Saves the workspace into the store at `storePath` (SaveAllSettings). A
// failure is reported through the prompt; returns false then.
bool SaveToStore(const Workspace& workspace, const std::string& storePath, UserPrompt& prompt);

// The question when the window closes: "Yes" saves (SaveToStore), "No" saves
// nothing, "Cancel" keeps the window open. A failed save keeps the window
// open as well, so the user can try again or answer "No". Returns whether
// the window may close.
bool AskToSaveAtExit(const Workspace& workspace, const std::string& storePath, UserPrompt& prompt);

}  // namespace kivo
