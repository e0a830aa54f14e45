// Where a recording goes: the configured output folder (config.ini, General,
// FilePath) when it exists, else the program's own folder, and a name that
// can actually be created there.
#pragma once

#include <string>

// The configured folder if it names an existing folder; otherwise, and from
// then on for the rest of the run, the program's folder.
std::string OutputFolder();

// `folder` + "\" + `fileName` when a new file of that name can be created;
// otherwise "~temp<random>.avi" names in the output folder, a bounded number
// of tries. An existing file is never touched. Empty when nothing worked.
std::string ChooseRecordPath(const std::string& fileName);
