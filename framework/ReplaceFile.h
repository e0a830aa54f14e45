// Writing a small file whole or not at all, and removing one.
#pragma once

#include <string>

namespace fw {

// Writes `bytes` to a temporary name beside `path` and renames it over
// `path`, so that `path` holds either its old text or the new one, never a
// part. False when it could not (the temporary file is gone again).
bool WriteFileReplacing(const std::string& path, const std::string& bytes);

// Removes `path`; true also when there was none.
bool RemoveFileIfPresent(const std::string& path);

}  // namespace fw
