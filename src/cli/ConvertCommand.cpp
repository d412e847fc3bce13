#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/ConvertRecordings.h"
#include "core/FileError.h"

namespace kivo::cli {
namespace {

namespace fs = std::filesystem;

struct ConvertOptions {
    std::vector<std::string> files;
    bool pair = false;
    std::string prefix;
    std::string separator = ";";
    int decimals = 6;
    double scale = 1.0;
    long skipFrames = 0;
    std::optional<long> restFrame;
    bool force = false;
};

// Sources and targets, or a note on stderr when the arguments do not fit.
std::optional<std::vector<Conversion>> PlanConversions(const ConvertOptions& options) {
    std::vector<Conversion> plan;
    if (options.pair) {
        if (options.files.size() != 2 || options.prefix.empty()) {
            std::fputs("kivo convert: --pair takes two BVH files and --prefix NAME\n", stderr);
            return std::nullopt;
        }
        plan.push_back({options.files[0], options.prefix + ".A.txt"});
        plan.push_back({options.files[1], options.prefix + ".B.txt"});
        return plan;
    }
    if (!options.prefix.empty()) {
        std::fputs("kivo convert: --prefix names the files of a --pair\n", stderr);
        return std::nullopt;
    }
    const std::string target = options.files.size() > 1
                                   ? options.files[1]
                                   : fs::path(options.files[0]).stem().string() + ".txt";
    plan.push_back({options.files[0], target});
    return plan;
}

int RunConvert(const ConvertOptions& options) {
    BvhConversionOptions conversion;
    if (!SeparatorOf(options.separator, conversion.separator)) {
        std::fprintf(stderr, "kivo convert: the separator is ';', ',' or tab, not '%s'\n",
                     options.separator.c_str());
        return kExitUsage;
    }
    conversion.decimals = options.decimals;
    conversion.scale = options.scale;
    conversion.skipFrames = options.skipFrames;
    conversion.restFrame = options.restFrame;
    const std::optional<std::vector<Conversion>> plan = PlanConversions(options);
    if (!plan)
        return kExitUsage;
    return ConvertRecordings(*plan, conversion, options.force, "convert") ? 0 : 1;
}

}  // namespace

void RegisterConvertCommand(CLI::App& app, CommandRegistry& registry) {
    auto options = std::make_shared<ConvertOptions>();
    auto* command = app.add_subcommand(
        "convert", "Convert BVH recordings into data files (global pose of every joint)");
    command
        ->add_option("files", options->files,
                     "RECORDING.bvh [OUT.txt] (default: the recording's name with .txt, here), "
                     "or the two recordings of a --pair")
        ->required()
        ->expected(1, 2)
        ->type_name("FILE");
    command->add_flag("--pair", options->pair,
                      "Convert the two recordings of a dyad into PREFIX.A.txt and PREFIX.B.txt");
    command->add_option("--prefix", options->prefix, "Name of the pair's data files");
    command->add_option("--separator", options->separator, "';' (default), ',' or tab");
    command->add_option("--decimals", options->decimals, "Decimals of positions and angles")
        ->check(CLI::Range(1, 15))
        ->capture_default_str();
    command
        ->add_option("--scale", options->scale,
                     "Multiplies every position (a change of unit, such as 2.54 for inches "
                     "to centimetres)")
        ->capture_default_str();
    command
        ->add_option("--skip-frames", options->skipFrames,
                     "Leading frames to leave out (calibration poses)")
        ->check(CLI::NonNegativeNumber)
        ->capture_default_str();
    command
        ->add_option("--rest-frame", options->restFrame,
                     "Give orientations relative to this frame of the file (0 = the first), "
                     "for recordings that start in a calibration pose")
        ->check(CLI::NonNegativeNumber);
    command->add_flag("--force", options->force, "Overwrite existing data files");
    command->footer(
        "Example: kivo convert --pair 18_01.bvh 19_01.bvh --prefix dyad\n"
        "The format line's label is \"Time\"; each joint gives the fields <joint>:Tx, Ty, Tz "
        "(global position in the file's unit, times --scale) and Rx, Ry, Rz (global orientation "
        "in degrees, R = Rz*Ry*Rx). End sites are left out. Nothing is written unless every "
        "recording converts.\n");
    command->callback(
        [options, &registry] { registry.SetAction([options] { return RunConvert(*options); }); });
}

}  // namespace kivo::cli
