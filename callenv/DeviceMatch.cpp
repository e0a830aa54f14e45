#include "callenv/DeviceMatch.h"

namespace callenv {

bool DeviceNameMatches(std::string_view productName, std::string_view wanted, DeviceMatch mode) {
    return mode == DeviceMatch::Equality ? productName == wanted
                                         : productName.find(wanted) != std::string_view::npos;
}

unsigned FindDeviceIndex(const DeviceCaps& caps, std::string_view wanted, DeviceMatch mode) {
    unsigned index = 0;
    for (std::string name; caps(index, name); ++index)
        if (DeviceNameMatches(name, wanted, mode)) break;
    return index;
}

unsigned FindDeviceWithout(const DeviceCaps& caps, std::string_view avoided) {
    unsigned index = 0;
    for (std::string name; caps(index, name); ++index)
        if (!DeviceNameMatches(name, avoided, DeviceMatch::Substring)) break;
    return index;
}

}  // namespace callenv
