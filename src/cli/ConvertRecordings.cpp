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
        if (!std::filesystem::exists(conversion.target, error))
            continue;
        if (!std::filesystem::is_regular_file(conversion.target, error)) {
            note(conversion.target + " exists and is not a file");
            return false;
        }
        if (!force) {
            note(conversion.target + " exists already (--force overwrites it)");
            return false;
        }
    }
    std::vector<ConvertedDataFile> converted;
    std::size_t committed = 0;
    try {
        for (const Conversion& conversion : plan)
            converted.push_back(ConvertBvh(conversion.source, conversion.target, options));
        for (; committed < converted.size(); ++committed)
            converted[committed].Commit();
    } catch (const FileError& failure) {
        std::string outcome =
            plan.size() > 1 ? "no data file was written" : "the data file was not written";
        if (committed > 0) {
            // Only a failing rename gets here; say what is on disk.
            outcome.clear();
            for (std::size_t i = 0; i < plan.size(); ++i)
                outcome += plan[i].target + (i < committed ? " was written, " : " was not, ");
            outcome.resize(outcome.size() - 2);
        }
        note(std::string(failure.what()) + "; " + outcome);
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
