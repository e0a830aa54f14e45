#include "tools/clipforge/convert/OutputPlace.h"

#include <cstdint>
#include <filesystem>
#include <system_error>

#include "tools/clipforge/convert/Utf8Path.h"

namespace clipforge {

namespace fs = std::filesystem;

namespace {

// Less than this left is no room: FFmpeg hands the system 32 KB at a time,
// so a write that failed for want of room leaves less than two of those.
constexpr std::uintmax_t kNoRoomBytes = 64 * 1024;

fs::path FolderPath(const std::string& file) {
    const fs::path folder = PathOf(file).parent_path();
    return folder.empty() ? fs::path(".") : folder;
}

}  // namespace

std::string FolderOf(const std::string& file) {
    return Utf8Of(FolderPath(file));
}

std::string FolderProblem(const std::string& file) {
    std::error_code ec;
    const fs::file_status status = fs::status(FolderPath(file), ec);
    if (status.type() == fs::file_type::not_found) return "The folder " + FolderOf(file) + " does not exist.";
    if (fs::exists(status) && !fs::is_directory(status)) return FolderOf(file) + " is a file, not a folder.";
    return {};
}

bool NoRoomLeft(const std::string& file) {
    // GetDiskFreeSpaceExW on Windows, statvfs elsewhere. On Windows the
    // library asks for the folder that holds the path given, so the folder
    // goes with a separator at its end: a disk mounted on the folder itself
    // is the one that counts.
    std::error_code ec;
    const fs::space_info space = fs::space(FolderPath(file) / "", ec);
    if (ec) return false;
    // The library on Windows leaves a figure the system gives as 0 at its
    // "unknown" (-1): a volume whose size is known and its room not has none.
    constexpr std::uintmax_t kUnknown = static_cast<std::uintmax_t>(-1);
    if (space.available == kUnknown) return space.capacity != kUnknown;
    return space.available < kNoRoomBytes;
}

}  // namespace clipforge
