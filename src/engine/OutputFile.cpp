#include "engine/OutputFile.h"

#include <cerrno>
#include <cstring>

#include "core/FileError.h"

namespace kivo {

OutputFile::~OutputFile() {
    if (file_ != nullptr)
        std::fclose(file_);
}

void OutputFile::Open(const std::string& path) {
    if (file_ != nullptr)
        Close();
    path_ = path;
    file_ = std::fopen(path.c_str(), "wb");
    if (file_ == nullptr) {
        throw FileError(path, 0, "", std::string("cannot be written: ") + std::strerror(errno));
    }
    std::setvbuf(file_, nullptr, _IOFBF, 1 << 20);
}

void OutputFile::WriteLine(std::string_view line) {
    if (std::fwrite(line.data(), 1, line.size(), file_) != line.size() ||
        std::fwrite("\r\n", 1, 2, file_) != 2) {
        throw FileError(path_, 0, "", std::string("write failed: ") + std::strerror(errno));
    }
}

void OutputFile::Close() {
    if (file_ == nullptr)
        return;
    const bool failed = std::ferror(file_) != 0;
    const bool closeFailed = std::fclose(file_) != 0;
    file_ = nullptr;
    if (failed || closeFailed)
        throw FileError(path_, 0, "", "write failed");
}

}  // namespace kivo
