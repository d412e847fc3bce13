#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/UserPrompt.h"
#include "core/Workspace.h"

namespace kivo {

// Texts of the "Video Clip Side" column.
inline constexpr std::string_view kLeftSide = "Left Side";
inline constexpr std::string_view kRightSide = "Right Side";
inline constexpr std::string_view kBothSides = "Both Sides";

// The partner's file name: the token between the last two periods of the
// name (everything before the period when there is only one) with "A" and "B"
// or "L" and "R" swapped. Empty when the token is none of the four.
std::string GetPartnerFileName(std::string_view fileName);

// "Height" or "Length" when chkDistances is checked; otherwise the body
// height, or "unmodified" when none is given.
std::string GetDistanceOption(const WorkspaceOptions& options);

// The four "/"-separated parts of a camera text (width x height, near plane,
// far plane, field of view). Missing parts are empty, further parts ignored.
std::array<std::string, 4> SplitCameraText(std::string_view camera);
// The camera columns of a row joined by "/", or empty when column 9 is empty.
std::string JoinCameraColumns(const InputFileRow& row);

// The side pre-selected for a video of `dataFileName`: ".L." or ".A." in the
// name gives the left side, ".R." or ".B." the right side, otherwise both.
std::string_view PreselectVideoSide(std::string_view dataFileName);
// The partner's side: left and right swapped, any other text unchanged.
std::string_view OppositeVideoSide(std::string_view side);

// `directory` ending with the path separator (unchanged when empty).
std::string WithTrailingSeparator(std::string_view directory);
// `directory` without a trailing path separator (the root stays "/").
std::string FolderWithoutSeparator(std::string_view directory);
// Splits a path at its last separator into directory and file name.
std::pair<std::string, std::string> SplitDirectoryAndName(std::string_view path);

// Adds the data file `directory`/`name` to the input file list: refuses a
// name already listed, runs the file check with `timeLabel` (the data-field
// names are taken from the first file added), pairs it with a listed partner
// of the same frame rate and fills its columns from the option values.
// Returns true when the file was added.
bool AddFile(Workspace& workspace, std::string_view name, std::string_view directory,
             std::string_view timeLabel, UserPrompt& prompt);
// The same with the time label of the options (txtTimeField).
bool AddFile(Workspace& workspace, std::string_view name, std::string_view directory,
             UserPrompt& prompt);

// The files chosen in the add dialog, in order. Refuses to add anything while
// the time field is empty or the camera text cannot be stored. Returns the
// number of files added.
int AddFiles(Workspace& workspace, const std::vector<std::string>& paths, UserPrompt& prompt);

// Makes `partnerPath` the partner of the selected file when both have the
// same frame rate; an unlisted partner is added to the list (refused while
// the camera text cannot be stored). Returns true when assigned.
bool AssignPartnerFile(Workspace& workspace, std::optional<std::size_t> selected,
                       const std::string& partnerPath, UserPrompt& prompt);

// Assigns the video `videoPath` to the selected file with the side
// pre-selected from its name; a listed partner gets the same video and the
// opposite side. Returns true when assigned.
bool AssignVideoFile(Workspace& workspace, std::optional<std::size_t> selected,
                     const std::string& videoPath, UserPrompt& prompt);

// Removes the selected file; a partner that named it has no partner anymore.
bool RemoveInputFile(Workspace& workspace, std::optional<std::size_t> selected, UserPrompt& prompt);

// Empties the list after the user agreed. Returns true when emptied.
bool RemoveAllInputFiles(Workspace& workspace, UserPrompt& prompt);

// Copies the processing options (time field to camera) to every file; the
// partner, directory and video columns stay. Refused, with the camera box's
// message, while the camera text cannot be stored: then no row changes.
bool ApplyOptionsToAllFiles(Workspace& workspace, UserPrompt& prompt);

// True when a file is selected; otherwise tells the user to select one.
bool RequireSelectedFile(const Workspace& workspace, std::optional<std::size_t> selected,
                         UserPrompt& prompt);

// Shows a file's columns in the option controls (a click on its row).
void ShowInputFileOptions(Workspace& workspace, std::size_t row);

}  // namespace kivo
