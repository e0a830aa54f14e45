#include "tools/clipforge/CommandLine.h"

#include "tools/clipforge/convert/Converter.h"

namespace clipforge {

namespace {
constexpr const char* kUsage = "Usage: ClipForge.exe --convert IN.avi [OUT.mp4] [--force] [--no-edits]";
}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
    CommandLine c;
    std::vector<std::string> files;
    bool window = false;
    for (const std::string& arg : args) {
        if (arg == "--convert") c.convert = true;
        else if (arg == "--force") c.force = true;
        else if (arg == "--no-edits") c.noEdits = true;
        else if (arg == "--window-convert") window = true;
        else if (arg.rfind("--", 0) == 0) c.error = "Unknown option " + arg + ".";
        else files.push_back(arg);
    }
    if (window) {
        if (c.convert || c.force || c.noEdits || files.size() != 1)
            c.error = "Usage: ClipForge.exe --window-convert IN.avi";
        else
            c.windowConvert = files[0];
        return c;
    }
    if (!c.convert) {
        if (!files.empty() || c.force || c.noEdits) c.error = kUsage;
        return c;
    }
    if (files.empty() || files.size() > 2) {
        c.error = kUsage;
        return c;
    }
    c.input = files[0];
    c.output = files.size() == 2 ? files[1] : Mp4NameFor(files[0]);
    return c;
}

}  // namespace clipforge
