#pragma once

#include <filesystem>
#include <string>
#include <system_error>

namespace kivo {

// True when `path` names an existing folder (an empty path never does).
inline bool IsExistingFolder(const std::string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_directory(path, error);
}

// True when `path` names an existing regular file (or a link to one).
inline bool IsExistingFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

}  // namespace kivo
