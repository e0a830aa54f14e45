// The block that carries the contact identifier to the companion form.
#pragma once

#include <array>
#include <string_view>

#include "callenv/CallEnvNames.h"

namespace callenv {

using ContactHandoff = std::array<char, kContactHandoffBytes>;

// The identifier, NUL-terminated, in a zero-filled 256-byte block. A longer
// identifier is cut so the terminator always fits.
ContactHandoff MakeContactHandoff(std::string_view contact);

}  // namespace callenv
