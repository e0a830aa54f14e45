// ClipForge's command line: no arguments opens the window;
// "--convert IN [OUT] [--force] [--no-edits]" converts one file without it
// (--no-edits: the recording's edit file is ignored);
// "--window-convert IN" opens the window on IN's folder and converts IN there.
#pragma once

#include <string>
#include <vector>

namespace clipforge {

struct CommandLine {
    bool convert = false;
    bool force = false;
    bool noEdits = false;
    std::string input, output;  // output defaults to the MP4 beside the input
    std::string windowConvert;  // the recording the window converts when it opens
    std::string error;          // not empty: the arguments make no sense
};

CommandLine ParseCommandLine(const std::vector<std::string>& args);  // without the program's name

}  // namespace clipforge
