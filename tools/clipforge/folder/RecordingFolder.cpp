#include "tools/clipforge/folder/RecordingFolder.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "tools/clipforge/convert/Converter.h"
#include "tools/clipforge/convert/RecordingReader.h"
#include "tools/clipforge/convert/TrimWindow.h"
#include "tools/clipforge/convert/Utf8Path.h"

namespace clipforge {

namespace fs = std::filesystem;

namespace {

bool IsAvi(const fs::path& path) {
    std::string ext = Utf8Of(path.extension());
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return ext == ".avi";
}

}  // namespace

std::vector<RecordingEntry> ListRecordings(const std::string& folder) {
    std::vector<RecordingEntry> entries;
    std::error_code ec;
    fs::directory_iterator it(PathOf(folder), ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        if (!it->is_regular_file(ec) || !IsAvi(it->path())) continue;
        RecordingEntry e;
        e.name = Utf8Of(it->path().filename());
        e.path = Utf8Of(it->path());
        e.mp4 = Mp4NameFor(e.path);
        e.bytes = it->file_size(ec);
        e.modified = it->last_write_time(ec).time_since_epoch().count();
        e.hasMp4 = fs::exists(PathOf(e.mp4), ec);
        e.edits = ReadEditsOf(e.path);
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
        if (fs::remove(PathOf(part), ec)) ++removed;
    }
    return removed;
}

RecordingLength LengthOf(const std::string& path, const editfile::RecordingEdits& edits) {
    RecordingReader reader;
    std::string error;
    if (!reader.Open(path, error)) return {};
    const double full = reader.Seconds();
    return {full, TrimFor(edits.trimStartMs, edits.trimEndMs, reader.VideoTimeBase()).KeptSeconds(full)};
}

}  // namespace clipforge
