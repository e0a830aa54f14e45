#include "callenv/WindowRules.h"

#include "callenv/CallEnvNames.h"

namespace callenv {

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

std::string ContactFromTitle(std::string_view title) {
    const std::size_t open = title.find('<');
    std::string_view rest = open == std::string_view::npos ? title : title.substr(open + 1);
    if (rest.empty()) return {};
    rest.remove_suffix(1);
    return std::string(rest);
}

namespace {

bool IsFramelessPopup(uint32_t style) {
    return (style & kStylePopup) && !(style & kStyleBorderOrFrame);
}

bool IsConversationClass(std::string_view className) {
    for (const char* wanted : kConversationClasses)
        if (StartsWith(className, wanted)) return true;
    return false;
}

}  // namespace

FilterStep ConversationFilter(WindowSearch& search, const IWindowView& window,
                              std::string& contact) {
    if (!window.Visible() || !window.Enabled()) return FilterStep::Continue;
    const uint32_t style = window.Style();
    if (IsFramelessPopup(style) || !(style & kStyleOverlappedWindow)) return FilterStep::Continue;
    if (window.ProcessId() != search.processId) return FilterStep::Continue;
    search.candidate = window.Handle();
    if (!IsConversationClass(window.ClassName())) return FilterStep::Continue;
    contact = ContactFromTitle(window.Title());
    return FilterStep::Stop;
}

FilterStep CompanionFilter(WindowSearch& search, const IWindowView& window) {
    if (window.ProcessId() != search.processId) return FilterStep::Continue;
    search.candidate = window.Handle();
    return StartsWith(window.ClassName(), kCompanionFormClass) ? FilterStep::Stop
                                                               : FilterStep::Continue;
}

bool EnumerateWindows(const std::vector<WindowRecord>& windows,
                      const std::function<FilterStep(const IWindowView&)>& filter) {
    for (const WindowRecord& window : windows)
        if (filter(window) == FilterStep::Stop) return true;
    return false;
}

}  // namespace callenv
