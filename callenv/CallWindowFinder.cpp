#include "callenv/CallWindowFinder.h"

#include <functional>

#include "callenv/CallEnvNames.h"
#include "callenv/ContactHandoff.h"
#include "callenv/ProcessSnapshot.h"
#include "callenv/WindowRules.h"

namespace callenv {

namespace {

// A live top-level window seen through the filters' eyes.
class CLiveWindow final : public IWindowView {
public:
    explicit CLiveWindow(HWND hwnd) : m_hwnd(hwnd) {}
    uintptr_t Handle() const override { return reinterpret_cast<uintptr_t>(m_hwnd); }
    uint32_t ProcessId() const override {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(m_hwnd, &pid);
        return pid;
    }
    bool Visible() const override { return ::IsWindowVisible(m_hwnd); }
    bool Enabled() const override { return ::IsWindowEnabled(m_hwnd); }
    uint32_t Style() const override {
        return static_cast<uint32_t>(::GetWindowLongA(m_hwnd, GWL_STYLE));
    }
    std::string ClassName() const override {
        char text[kWindowTextBuffer] = {};
        ::GetClassNameA(m_hwnd, text, sizeof text);
        return text;
    }
    std::string Title() const override {
        char text[kWindowTextBuffer] = {};
        ::GetWindowTextA(m_hwnd, text, sizeof text);
        return text;
    }

private:
    HWND m_hwnd;
};

using LiveFilter = std::function<FilterStep(const IWindowView&)>;

BOOL CALLBACK FilterOne(HWND hwnd, LPARAM lp) {
    const auto& filter = *reinterpret_cast<const LiveFilter*>(lp);
    return filter(CLiveWindow(hwnd)) == FilterStep::Stop ? FALSE : TRUE;
}

// Runs `filter` over the top-level windows; true when it stopped the walk.
bool EnumerateLiveWindows(const LiveFilter& filter) {
    return !::EnumWindows(&FilterOne, reinterpret_cast<LPARAM>(&filter));
}

}  // namespace

void HandOffContact(HWND assistWindow, const std::string& contactAddress) {
    if (!assistWindow) return;
    ContactHandoff block = MakeContactHandoff(contactAddress);
    COPYDATASTRUCT copy{};
    copy.dwData = 0;
    copy.cbData = static_cast<DWORD>(block.size());
    copy.lpData = block.data();
    ::SendMessageA(assistWindow, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy));
}

}  // namespace callenv

using namespace callenv;

bool CCallWindowFinder::FindMessengerProcess() {
    const auto messenger = FindProcess(kMessengerExe);
    if (!messenger) return false;
    MessengerExeName = messenger->exeName;
    return true;
}

HWND CCallWindowFinder::FindConversationWindow() {
    const auto messenger = FindProcess(kMessengerExe);
    if (!messenger) return nullptr;
    WindowSearch search{messenger->id, 0};
    std::string contact;
    const bool stopped = EnumerateLiveWindows(
        [&](const IWindowView& window) { return ConversationFilter(search, window, contact); });
    if (!stopped) return nullptr;
    ContactAddress = contact;
    return reinterpret_cast<HWND>(search.candidate);
}

HWND CCallWindowFinder::FindAssistWindow() {
    const auto companion = FindProcess(kCompanionExe);
    if (!companion) return nullptr;
    WindowSearch search{companion->id, 0};
    const bool stopped = EnumerateLiveWindows(
        [&](const IWindowView& window) { return CompanionFilter(search, window); });
    if (!stopped) return nullptr;
    AssistWindow = reinterpret_cast<HWND>(search.candidate);
    return AssistWindow;
}
