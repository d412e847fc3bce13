#include "cli/ConvertRecordings.h"

#include <cstdio>
#include <filesystem>

#include "core/FileError.h"
#include "core/Numbers.h"

namespace kivo::cli {

bool SeparatorOf(std::string_view text, char& separator) {
    if (text == ";" || text == "," || text == "\t") {
        separator = text.front();
        return true;
    }
    if (text == "tab") {
        separator = '\t';
        return true;
    }
    return false;
}

bool ConvertRecordings(const std::vector<Conversion>& plan, const BvhConversionOptions& options,
                       bool force, std::string_view command) {
    const auto note = [&](const std::string& text) {
        std::fprintf(stderr, "kivo %.*s: %s\n", static_cast<int>(command.size()), command.data(),
                     text.c_str());
    };
    std::error_code error;
    for (const Conversion& conversion : plan) {
        if (!force && std::filesystem::exists(conversion.target, error)) {
            note(conversion.target + " exists already (--force overwrites it)");
            return false;
        }
    }
    std::vector<ConvertedDataFile> converted;
    try {
        for (const Conversion& conversion : plan)
            converted.push_back(ConvertBvh(conversion.source, conversion.target, options));
        for (ConvertedDataFile& file : converted)
            file.Commit();
    } catch (const FileError& failure) {
        note(std::string(failure.what()) +
             (plan.size() > 1 ? "; no data file was written" : "; the data file was not written"));
        return false;
    }
    for (std::size_t i = 0; i < plan.size(); ++i) {
        std::printf("Wrote %s from %s: %zu joints, %ld frames, %s s apart\n",
                    plan[i].target.c_str(), plan[i].source.c_str(), converted[i].joints,
                    converted[i].frames, FormatGeneral(converted[i].frameTime, ".").c_str());
    }
    std::fflush(stdout);
    return true;
}

}  // namespace kivo::cli
