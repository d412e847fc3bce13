#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/UserPrompt.h"
#include "core/Workspace.h"

namespace kivo {

// The options a front end without option boxes sets by name: the processing
// options of each input file and the output options. A value goes through the
// rule of its box, as if typed into the box and the box left.

enum class SettingKind {
    TimeField,
    FramesPerSec,
    UseEvery,
    DistancesRelatedTo,
    AngleThreshold,
    DistanceThreshold,
    DecimalPlaces,
    Camera,
    PartnerFile,
    VideoClipFile,
    VideoClipSide,
    OutputFolder,
    Prefix,
    Suffix,
    Separator,
    Extension,
    StatisticsFile,
    SplitOutputFiles,
    LinesPerPartFile,
};

struct OptionSetting {
    SettingKind kind;
    std::string_view caption;  // as the workspace summary names it
    std::string_view key;      // a name without blanks, for command lines
    bool perFile;              // an option of each input file (else of the output)
    std::string_view values;   // what may be given, for help texts
    // The option field that holds the box's value, where one box stands for
    // one field (empty for the distance controls, the separator buttons and
    // the columns that only input files have).
    std::string_view field;
};

const std::vector<OptionSetting>& OptionSettings();

// The setting named `name`: its caption or key, ignoring letter case, blanks
// and punctuation ("Dec. Places", "decimal-places").
const OptionSetting* FindOptionSetting(std::string_view name);

// Sets the option to `value` through its box's rule. A per-file option is set
// for the input file at `file` (its options shown first, as after a click on
// its row); without a file it changes only the value new files take. Returns
// false when the rule refused the value (its message went through `prompt`).
bool SetOption(Workspace& workspace, const OptionSetting& setting, std::string_view value,
               std::optional<std::size_t> file, UserPrompt& prompt);

// The option's stored value: of the input file at `file` for a per-file
// option, otherwise of the option boxes.
std::string OptionValue(const Workspace& workspace, const OptionSetting& setting,
                        std::optional<std::size_t> file);

}  // namespace kivo
