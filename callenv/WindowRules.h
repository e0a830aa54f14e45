// The window filters that pick the messenger's conversation window and the
// companion's main form, and the title rule that cuts the contact identifier.
// They look at a window through IWindowView, so they run on live windows and
// on plain lists alike.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace callenv {

constexpr uint32_t kStylePopup = 0x80000000;       // WS_POPUP
constexpr uint32_t kStyleBorderOrFrame = 0x00C00000;  // WS_BORDER | WS_DLGFRAME
constexpr uint32_t kStyleOverlappedWindow = 0x00CF0000;  // WS_OVERLAPPEDWINDOW

// What a filter may ask of a top-level window. Class and title are read only
// when a filter gets that far, as reading a title may talk to the window.
class IWindowView {
public:
    virtual ~IWindowView() = default;
    virtual uintptr_t Handle() const = 0;
    virtual uint32_t ProcessId() const = 0;
    virtual bool Visible() const = 0;  // a minimised window counts as visible
    virtual bool Enabled() const = 0;
    virtual uint32_t Style() const = 0;
    virtual std::string ClassName() const = 0;  // at most 255 characters
    virtual std::string Title() const = 0;      // at most 255 characters
};

// A window as a plain record, for searches over lists.
struct WindowRecord final : IWindowView {
    uintptr_t handle = 0;
    uint32_t processId = 0;
    bool visible = true;
    bool enabled = true;
    uint32_t style = kStyleOverlappedWindow;
    std::string className;
    std::string title;

    uintptr_t Handle() const override { return handle; }
    uint32_t ProcessId() const override { return processId; }
    bool Visible() const override { return visible; }
    bool Enabled() const override { return enabled; }
    uint32_t Style() const override { return style; }
    std::string ClassName() const override { return className.substr(0, 255); }
    std::string Title() const override { return title.substr(0, 255); }
};

// What a search hands to its filter: the wanted process, and the last window
// that passed the filter's early tests. The candidate is the result only when
// the filter stopped the enumeration.
struct WindowSearch {
    uint32_t processId = 0;
    uintptr_t candidate = 0;
};

enum class FilterStep { Continue, Stop };

// Conversation filter: visible, enabled, a framed overlapped window of the
// wanted process whose class begins with a conversation class. On Stop,
// `contact` holds the identifier cut from the title.
FilterStep ConversationFilter(WindowSearch& search, const IWindowView& window,
                              std::string& contact);

// Companion filter: any window of the wanted process whose class begins with
// the companion form's class.
FilterStep CompanionFilter(WindowSearch& search, const IWindowView& window);

// The contact identifier of a conversation title: what follows the first "<",
// less the last character ("Chat - <a@b.c>" gives "a@b.c"). A title without
// "<" gives the title less its last character.
std::string ContactFromTitle(std::string_view title);

// True when `text` begins with `prefix`.
bool StartsWith(std::string_view text, std::string_view prefix);

// Runs `filter` over `windows` from top to bottom as the window manager's
// enumeration does; true when the filter stopped it.
bool EnumerateWindows(const std::vector<WindowRecord>& windows,
                      const std::function<FilterStep(const IWindowView&)>& filter);

}  // namespace callenv
