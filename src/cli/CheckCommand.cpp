#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CommandHints.h"
#include "cli/Commands.h"
#include "cli/ConsolePrompt.h"
#include "core/FileError.h"
#include "core/Workspace.h"
#include "input/DataFileCheck.h"
#include "input/DataFileFormat.h"
#include "input/InputFileList.h"
#include "input/NonNumberFields.h"

namespace kivo::cli {
namespace {

struct CheckOptions {
    std::string timeLabel = "Time [sec]";
    std::vector<std::string> files;
};

// Holds the messages of one file's check: the first one is the reason when the
// file is refused (printed once, with the result), the others go to the
// console when the file is accepted.
class RecordingPrompt : public UserPrompt {
  public:
    PromptAnswer Ask(const PromptMessage& message) override {
        messages_.push_back(message);
        return ConsolePrompt::DefaultAnswer(message.buttons);
    }
    using UserPrompt::Ask;

    void Reset() { messages_.clear(); }
    std::string FirstText() const { return messages_.empty() ? "" : messages_.front().text; }
    bool FormatLineNotFound() const {
        return !messages_.empty() && messages_.front().id == PromptId::FormatLineNotFound;
    }
    void PassOn(UserPrompt& target) const {
        for (const PromptMessage& message : messages_)
            target.Ask(message);
    }

  private:
    std::vector<PromptMessage> messages_;
};

// Answers everything with the default and shows nothing.
class SilentPrompt : public UserPrompt {
  public:
    PromptAnswer Ask(const PromptMessage& message) override {
        return ConsolePrompt::DefaultAnswer(message.buttons);
    }
    using UserPrompt::Ask;
};

std::string ReadableSeparator(std::string_view separator) {
    if (separator.empty())
        return "none";
    const unsigned char c = static_cast<unsigned char>(separator.front());
    if (c == '\t')
        return "tab";
    if (c == ' ')
        return "blank";
    if (c > ' ' && c < 0x7F)
        return "\"" + std::string(separator) + "\"";
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned>(c));
    return hex;
}

// A message on one line: line breaks become a single blank.
std::string OneLine(std::string_view text) {
    std::string line;
    for (char c : text) {
        if (c != '\r' && c != '\n') {
            line += c;
        } else if (!line.empty() && line.back() != ' ') {
            line += ' ';
        }
    }
    return line;
}

std::string JoinNames(const std::vector<std::string>& names) {
    std::string joined;
    for (const std::string& name : names) {
        if (!joined.empty())
            joined += ", ";
        joined += "\"" + name + "\"";
    }
    return joined;
}

// How many fields of the file's frames are not numbers (a run reads them as 0
// or as the number they begin with), and where the first one is.
std::string NonNumberSummary(const std::string& path, std::string_view timeLabel) {
    std::string formatLine;
    const NonNumberTally tally = CountNonNumberFields(path, timeLabel, formatLine);
    if (tally.count == 0)
        return "none";
    return std::to_string(tally.count) + ", the first in " +
           FirstNonNumberField(tally, formatLine, GetSeparator(formatLine, timeLabel));
}

// Adds the files to an input file list in the order given, as the Add command
// would, and reports for each whether it was accepted and what the check found.
int RunCheck(const CheckOptions& options, const std::string& decimalSymbol) {
    ConsolePrompt console;
    RecordingPrompt prompt;
    Workspace workspace(decimalSymbol);
    workspace.options.timeField = options.timeLabel;
    bool allAccepted = true;

    for (const std::string& path : options.files) {
        prompt.Reset();
        const auto [directory, name] = SplitDirectoryAndName(path);
        if (!AddFile(workspace, name, directory, options.timeLabel, prompt)) {
            allAccepted = false;
            std::string reason =
                prompt.FirstText().empty() ? "no such file" : OneLine(prompt.FirstText());
            if (const std::string hint = FormatLineHint(path);
                !hint.empty() && prompt.FormatLineNotFound()) {
                reason += " Hint: " + hint;
            }
            std::printf("%s: not accepted: %s\n", path.c_str(), reason.c_str());
            continue;
        }
        prompt.PassOn(console);
        // As in the window, the new file is selected: a file whose times give
        // no rate keeps the rate shown.
        ShowInputFileOptions(workspace, workspace.inputFiles.size() - 1);
        // The list keeps only the rate; describe the format line the check found.
        SilentPrompt silent;
        const FileCheckResult check = CheckFile(path, options.timeLabel, decimalSymbol, silent);
        const InputFileRow& row = workspace.inputFiles.back();
        std::printf("%s: accepted\n", path.c_str());
        std::printf("  separator: %s\n", ReadableSeparator(check.separator).c_str());
        std::printf("  layout: %s\n", check.colonLayout ? "colon" : "blank");
        // Only the first file added to the empty list provides the names offered for binding.
        const bool providesNames = workspace.inputFiles.size() == 1;
        std::printf("  data fields%s: %s\n", providesNames ? " (offered for binding)" : "",
                    JoinNames(check.fieldNames).c_str());
        std::printf(
            "  frames/sec: %s%s\n", row[kColFramesPerSec].c_str(),
            check.framesPerSecond.empty() ? " (kept: no rate from the first two times)" : "");
        std::printf("  partner: %s\n", row[kColPartnerFile].c_str());
        try {
            std::printf("  fields that are not numbers: %s\n",
                        NonNumberSummary(path, options.timeLabel).c_str());
        } catch (const FileError& error) {
            allAccepted = false;
            std::printf("  fields that are not numbers: not counted: %s\n", error.what());
        }
    }
    return allAccepted ? 0 : 1;
}

}  // namespace

void RegisterCheckCommand(CLI::App& app, CommandRegistry& registry) {
    auto options = std::make_shared<CheckOptions>();
    auto* command =
        app.add_subcommand("check", "Check data files as the input file list would add them");
    command
        ->add_option("--time-label", options->timeLabel,
                     "Label of the first field of the format line (Time field)")
        ->capture_default_str();
    command->add_option("files", options->files, "Data files, added in this order")
        ->required()
        ->type_name("FILE");
    command->footer("Example: kivo check --time-label Time s01.A.txt s01.B.txt\n");
    command->callback([&registry, options] {
        registry.SetAction(
            [options, &registry] { return RunCheck(*options, registry.DecimalSymbol()); });
    });
}

}  // namespace kivo::cli
