// The registry interface over the system's registry.
#pragma once

#include "callenv/Registry.h"

namespace callenv {

class CWin32Registry final : public IRegistry {
public:
    std::unique_ptr<IRegKey> Open(RegRoot root, const std::string& path, RegAccess access) override;
    std::unique_ptr<IRegKey> Create(RegRoot root, const std::string& path) override;
};

}  // namespace callenv
