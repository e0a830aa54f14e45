// Finding a sound device by its product name.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace callenv {

enum class DeviceMatch {
    Substring,  // the product name contains the wanted text
    Equality,   // the product name is the wanted text, byte for byte
};

bool DeviceNameMatches(std::string_view productName, std::string_view wanted, DeviceMatch mode);

// Reads device `index`'s product name; false past the last device.
using DeviceCaps = std::function<bool(unsigned index, std::string& productName)>;

// Index of the first device that matches; the number of devices when none does.
unsigned FindDeviceIndex(const DeviceCaps& caps, std::string_view wanted, DeviceMatch mode);

// Index of the first device whose name does not contain `avoided`; the number
// of devices when every one does.
unsigned FindDeviceWithout(const DeviceCaps& caps, std::string_view avoided);

}  // namespace callenv
