#include "tools/clipforge/folder/RecordingFolder.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "tools/clipforge/convert/Converter.h"
#include "tools/clipforge/convert/RecordingReader.h"

namespace clipforge {

namespace fs = std::filesystem;

namespace {

std::string Utf8(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

bool IsAvi(const fs::path& path) {
    std::string ext = Utf8(path.extension());
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return ext == ".avi";
}

}  // namespace

std::vector<RecordingEntry> ListRecordings(const std::string& folder) {
    std::vector<RecordingEntry> entries;
    std::error_code ec;
    fs::directory_iterator it(fs::path(std::u8string(folder.begin(), folder.end())), ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        if (!it->is_regular_file(ec) || !IsAvi(it->path())) continue;
        RecordingEntry e;
        e.name = Utf8(it->path().filename());
        e.path = Utf8(it->path());
        e.mp4 = Mp4NameFor(e.path);
        e.bytes = it->file_size(ec);
        e.modified = it->last_write_time(ec).time_since_epoch().count();
        e.hasMp4 = fs::exists(fs::path(std::u8string(e.mp4.begin(), e.mp4.end())), ec);
        entries.push_back(std::move(e));
    }
    // Newest first; recordings are named after their start, so the name
    // settles a tie.
    std::sort(entries.begin(), entries.end(), [](const RecordingEntry& a, const RecordingEntry& b) {
        return a.modified != b.modified ? a.modified > b.modified : a.name > b.name;
    });
    return entries;
}

int RemoveStaleParts(const std::string& folder) {
    int removed = 0;
    for (const RecordingEntry& e : ListRecordings(folder)) {
        const std::string part = PartialNameFor(e.mp4);
        std::error_code ec;
        if (fs::remove(fs::path(std::u8string(part.begin(), part.end())), ec)) ++removed;
    }
    return removed;
}

double RecordingSeconds(const std::string& path) {
    RecordingReader reader;
    std::string error;
    return reader.Open(path, error) ? reader.Seconds() : -1.0;
}

}  // namespace clipforge
