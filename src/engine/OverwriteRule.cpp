#include "engine/OverwriteRule.h"

#include <filesystem>
#include <system_error>

namespace kivo {

bool MayReplaceFile(const std::string& path, bool& overwriteAll, UserPrompt& prompt) {
    std::error_code error;
    if (overwriteAll || !std::filesystem::exists(path, error))
        return true;
    if (prompt.Ask(PromptId::OverwriteOutputFiles,
                   "Do you want to overwrite all files in the output directory?",
                   PromptButtons::YesNo, PromptIcon::Exclamation) != PromptAnswer::Yes) {
        return false;
    }
    overwriteAll = true;
    return true;
}

}  // namespace kivo
