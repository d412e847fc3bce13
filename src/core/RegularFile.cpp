#include "core/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace kivo {

std::FILE* OpenRegularFile(const std::string& path, std::string* problem) {
    const auto fail = [problem](std::string reason) -> std::FILE* {
        if (problem != nullptr)
            *problem = std::move(reason);
        return nullptr;
    };
    // Without O_NONBLOCK opening a pipe would wait for a writer.
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        if (errno == ENOENT)
            return fail("does not exist");
        return fail(std::string("cannot be read: ") + std::strerror(errno));
    }
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        const bool folder = S_ISDIR(status.st_mode);
        ::close(descriptor);
        return fail(folder ? "is a folder, not a file"
                           : "is not a regular file (a device, pipe or socket cannot be read)");
    }
    const int flags = ::fcntl(descriptor, F_GETFL);
    if (flags >= 0)
        ::fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK);
    std::FILE* file = ::fdopen(descriptor, "rb");
    if (file == nullptr) {
        const int error = errno;
        ::close(descriptor);
        return fail(std::string("cannot be read: ") + std::strerror(error));
    }
    return file;
}

}  // namespace kivo
