// The BVH reader and converter. The input is one BVH file; its length picks
// the options (scale, skipped frames, rest frame, separator, decimals). A
// refused file leaves nothing behind and names the BVH file; a converted one
// has one line per frame with a number in every field and is accepted by the
// input file list.

#include <filesystem>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "core/FileError.h"
#include "core/Text.h"
#include "core/Workspace.h"
#include "input/BvhConversion.h"
#include "input/InputFileList.h"

using namespace kivo;
using namespace kivo::fuzz;

namespace {

namespace fs = std::filesystem;

std::size_t FilesIn(const fs::path& folder) {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

// A preamble, the format line and one line per frame, numbered from 1, each
// with the format line's number of fields and a number in every field.
void CheckConvertedFile(const std::string& path, const ConvertedDataFile& converted,
                        char separator) {
    const std::string content = ReadFile(path);
    Require(content.ends_with('\n'), "a converted file ends with its last line");
    std::vector<std::string_view> lines = SplitFields(content, '\n');
    lines.pop_back();
    Require(lines.size() == static_cast<std::size_t>(converted.frames) + 2,
            "one line per converted frame after the preamble and the format line",
            [&] { return std::to_string(lines.size()) + " lines"; });
    const std::size_t fields = 2 + 6 * converted.joints;
    Require(SplitFields(lines[1], separator).size() == fields,
            "the format line has six fields per joint", [&] { return std::string(lines[1]); });
    for (std::size_t i = 2; i < lines.size(); ++i) {
        const std::vector<std::string_view> values = SplitFields(lines[i], separator);
        Require(values.size() == fields, "every frame line has the format line's fields",
                [&] { return std::string(lines[i]); });
        Require(values[1] == std::to_string(i - 1), "frames are numbered from 1",
                [&] { return std::string(lines[i]); });
        for (std::string_view value : values) {
            Require(!value.empty() && value.find_first_not_of("0123456789.-") == value.npos,
                    "every field of a frame line is a number", [&] { return std::string(value); });
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fs::path folder = fs::path(Folder()) / "bvh";
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::string bvh = WriteFile("bvh/take.bvh", AsText(data, size));
    const std::string target = (folder / "take.A.txt").string();

    BvhConversionOptions options;
    options.scale = size % 3 == 0 ? 2.54 : 1.0;
    options.skipFrames = static_cast<long>(size % 2);
    if (size % 5 == 0)
        options.restFrame = 0;
    options.separator = size % 4 < 2 ? ';' : '\t';
    options.decimals = size % 7 == 0 ? 15 : 4;

    ConvertedDataFile converted;
    try {
        converted = ConvertBvh(bvh, target, options);
        Require(!fs::exists(target), "nothing is at the target before the commit");
        converted.Commit();
    } catch (const FileError& error) {
        Require(error.File() == bvh, "a refusal names the BVH file", [&] { return error.File(); });
        Require(FilesIn(folder) == 1, "a refused file leaves nothing behind",
                [&] { return std::string(error.what()); });
        return 0;
    }
    Require(FilesIn(folder) == 2, "a conversion leaves only its data file");
    CheckConvertedFile(target, converted, options.separator);

    Workspace workspace;
    workspace.options.timeField = "Time";
    AnsweringPrompt prompt;
    AddFile(workspace, "take.A.txt", folder.string(), prompt);
    Require(workspace.inputFiles.size() == 1, "the input file list takes a converted file",
            [&] { return prompt.LastText(); });
    return 0;
}
