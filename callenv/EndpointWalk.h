// The walk over the machine's render endpoints that stamps the virtual
// device's endpoint as default (or demotes it). Depth first; every endpoint's
// Properties subkey, which holds the device's names, is searched once.
#pragma once

#include <ctime>
#include <functional>
#include <string>

#include "callenv/Registry.h"
#include "callenv/RoleStamp.h"

namespace callenv {

class CEndpointWalker {
public:
    using Clock = std::function<std::tm()>;           // local time of the current second
    using Trace = std::function<void(const std::string&)>;

    CEndpointWalker(IRegistry& registry, RoleStampMode mode, Clock clock, Trace trace = {});

    // Walks `path` under the machine-wide root. False when it cannot be opened.
    bool WalkRenderEndpoints(const std::string& path);
    // Searches the values of `path` for the virtual device's name and stamps
    // the endpoint that holds them. 1 when the listing ended normally, 0 when
    // the key could not be opened, a value would not fit or the listing failed.
    int SearchEndpointValues(const std::string& path);
    // Writes the three role stamps into the endpoint key `path`.
    void StampEndpointRoles(const std::string& path);

private:
    void Emit(const std::string& line) const;

    IRegistry& m_registry;
    RoleStampMode m_mode;
    Clock m_clock;
    Trace m_trace;
};

// The endpoint key of a value key path: cut at the last backslash twice
// ("...\Render\{id}\Properties\" gives "...\Render\{id}"). False when the
// path has fewer than two backslashes.
bool EndpointPathOf(const std::string& valueKeyPath, std::string& endpointPath);

// The standard trace: standard output.
void TraceToStdout(const std::string& line);

}  // namespace callenv
