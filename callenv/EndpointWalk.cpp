#include "callenv/EndpointWalk.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "callenv/CallEnvNames.h"

namespace callenv {

namespace {
constexpr std::size_t kSubkeyNameChars = 255;
constexpr std::size_t kValueNameChars = 261;
constexpr std::size_t kValueDataBytes = 255;
constexpr const char* kRoleValues[] = {"Role:0", "Role:1", "Role:2"};

std::string Format(const char* format, int number, const std::string& text = {}) {
    char line[512];
    std::snprintf(line, sizeof line, format, number, text.c_str());
    return line;
}
}  // namespace

void TraceToStdout(const std::string& line) {
    std::fputs(line.c_str(), stdout);
}

bool EndpointPathOf(const std::string& valueKeyPath, std::string& endpointPath) {
    std::string path = valueKeyPath;
    for (int cut = 0; cut < 2; ++cut) {
        const std::size_t slash = path.rfind('\\');
        if (slash == std::string::npos) return false;
        path.resize(slash);
    }
    endpointPath = std::move(path);
    return true;
}

CEndpointWalker::CEndpointWalker(IRegistry& registry, RoleStampMode mode, Clock clock,
                                 Trace trace)
    : m_registry(registry), m_mode(mode), m_clock(std::move(clock)), m_trace(std::move(trace)) {}

void CEndpointWalker::Emit(const std::string& line) const {
    if (m_trace) m_trace(line);
}

bool CEndpointWalker::WalkRenderEndpoints(const std::string& path) {
    auto key = m_registry.Open(RegRoot::LocalMachine, path, RegAccess::Read);
    if (!key) return false;
    uint32_t subkeys = 0, values = 0;
    if (!key->QueryInfo(subkeys, values)) subkeys = values = 0;

    // The value search below looks at the last subkey visited, not at this
    // key: for an endpoint key that is its Properties subkey, which comes last.
    std::string childPath;
    if (subkeys > 0) {
        Emit(Format("\nNumber of subkeys: %d\n", static_cast<int>(subkeys)));
        for (uint32_t i = 0; i < subkeys; ++i) {
            std::string name;
            if (key->EnumSubkey(i, kSubkeyNameChars, name) != RegStatus::Ok) continue;
            Emit(Format("(%d) %s\n", static_cast<int>(i + 1), name));
            childPath = path + name + "\\";
            WalkRenderEndpoints(childPath);
        }
    }
    if (values > 0) {
        SearchEndpointValues(childPath);
        Emit(Format("\nNumber of values: %d\n", static_cast<int>(values)));
        for (uint32_t i = 0; i < values; ++i) {
            std::string name;
            if (key->EnumValueName(i, kValueNameChars, name) != RegStatus::Ok) break;
            Emit(Format("(%d) %s\n", static_cast<int>(i + 1), name));
        }
    }
    return true;
}

int CEndpointWalker::SearchEndpointValues(const std::string& path) {
    auto key = m_registry.Open(RegRoot::LocalMachine, path, RegAccess::QueryValue);
    if (!key) return 0;
    for (uint32_t index = 0;; ++index) {
        std::string name;
        const RegStatus listed = key->EnumValueName(index, kValueNameChars, name);
        if (listed == RegStatus::NoMoreItems) return 1;
        if (listed != RegStatus::Ok) return 0;

        std::vector<uint8_t> data;
        {
            auto reader = m_registry.Open(RegRoot::LocalMachine, path, RegAccess::Read);
            if (!reader || reader->QueryValue(name, kValueDataBytes, data) != RegStatus::Ok)
                return 0;
        }
        // Data of any type is looked at as text up to its first NUL.
        const std::string text(data.begin(), std::find(data.begin(), data.end(), uint8_t{0}));
        std::string endpoint;
        if (text.find(kVirtualDeviceName) != std::string::npos && EndpointPathOf(path, endpoint))
            StampEndpointRoles(endpoint);
    }
}

void CEndpointWalker::StampEndpointRoles(const std::string& path) {
    auto key = m_registry.Open(RegRoot::LocalMachine, path, RegAccess::SetValue);
    if (!key) return;
    const RoleStamp stamp = MakeRoleStamp(m_clock(), m_mode);
    if (!key->SetValue(kRoleValues[0], kRegBinary, stamp.data(), stamp.size())) return;
    key->SetValue(kRoleValues[1], kRegBinary, stamp.data(), stamp.size());
    key->SetValue(kRoleValues[2], kRegBinary, stamp.data(), stamp.size());
}

}  // namespace callenv
