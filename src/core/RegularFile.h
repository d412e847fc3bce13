#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace kivo {

// The longest line any reader of Kivo takes (data, settings, bindings and
// statistics files): a longer one is refused, so that a binary file or an
// endless stream cannot make a reader hold more than this.
inline constexpr std::size_t kMaxLineLength = 8u * 1024u * 1024u;

// Opens `path` for reading when it is a regular file or a symbolic link to
// one. A folder, device, pipe or socket is refused without waiting on it.
// Returns nullptr when the file cannot be read, with `problem` (when given)
// saying why: "does not exist", "is not a regular file ...", or the system's
// reason.
std::FILE* OpenRegularFile(const std::string& path, std::string* problem = nullptr);

}  // namespace kivo
