// Shows a text on the console of whoever started this windows-subsystem
// program, which has none of its own: the standard error it was handed (a
// pipe or a file), or else the console of the process that started it.
// Without either the text goes nowhere.
#pragma once

#include <string>

namespace clipforge {

void WriteToConsole(const std::string& utf8);

}  // namespace clipforge
