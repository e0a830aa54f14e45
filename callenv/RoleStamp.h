// The time stamp that marks an audio endpoint's default roles: 16 bytes laid
// out as eight little-endian 16-bit words (year, month, day of week, day,
// hour, minute, second, milliseconds = 0).
#pragma once

#include <array>
#include <cstdint>
#include <ctime>

namespace callenv {

enum class RoleStampMode : int32_t {
    MakeDefault = 0,  // the newest stamp: this endpoint becomes the default
    Demote = 1,       // ten years back, so the earlier default is newest again
};

using RoleStamp = std::array<uint8_t, 16>;

// Demote subtracts 10 from the year's low byte only (modulo 256), so the
// years 2048 to 2057 come out later rather than earlier. Endpoints stamped by
// earlier releases carry such values, so the rule stays as it is.
RoleStamp MakeRoleStamp(const std::tm& local, RoleStampMode mode);

}  // namespace callenv
