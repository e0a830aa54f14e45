// The place an output file goes to, asked of the file system once writing
// there has failed: error codes do not always tell why (under Wine a write
// that runs out of room comes back short, with no code at all), the folder
// and its volume do.
#pragma once

#include <string>

namespace clipforge {

// The folder that holds `file` (UTF-8, as every path here).
std::string FolderOf(const std::string& file);
// Empty when the folder of `file` is there; otherwise why nothing can be
// written into it ("The folder ... does not exist.").
std::string FolderProblem(const std::string& file);
// The volume that holds `file`'s folder has no room left for another write.
bool NoRoomLeft(const std::string& file);

}  // namespace clipforge
