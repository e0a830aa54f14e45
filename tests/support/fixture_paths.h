// Where the Windows tests find the fixture programs and scratch space.
#pragma once

#include <string>

namespace e2e {

// build/win32/tests/fixtures, found from the running test's own path.
std::string FixtureFolder();
// A fresh, empty scratch folder under the system's temporary folder.
std::string MakeScratchFolder(const std::string& prefix);
// Removes a scratch folder with everything in it.
void RemoveScratchFolder(const std::string& folder);

}  // namespace e2e
