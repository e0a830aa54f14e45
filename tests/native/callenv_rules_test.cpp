// The rules that pick the messenger's process and windows, cut the contact,
// build the hand-off block and match sound devices, on plain lists.
#include <gtest/gtest.h>

#include <map>

#include "callenv/ContactHandoff.h"
#include "callenv/DeviceMatch.h"
#include "callenv/ProcessMatch.h"
#include "callenv/WindowRules.h"

namespace {

using namespace callenv;

TEST(ContactFromTitle, CutsWhatFollowsTheFirstAngleBracket) {
    EXPECT_EQ(ContactFromTitle("Alice - Conversation <alice@example.com>"), "alice@example.com");
    EXPECT_EQ(ContactFromTitle("<bob@example.com>"), "bob@example.com");
    EXPECT_EQ(ContactFromTitle("Chat <>"), "");
    EXPECT_EQ(ContactFromTitle("Chat <"), "");
    // Only the first "<" counts; everything after it but the last character stays.
    EXPECT_EQ(ContactFromTitle("a <b> <c@d.e>"), "b> <c@d.e");
}

TEST(ContactFromTitle, WithoutBracketDropsOnlyTheLastCharacter) {
    EXPECT_EQ(ContactFromTitle("Conversation"), "Conversatio");
    EXPECT_EQ(ContactFromTitle("x"), "");
    EXPECT_EQ(ContactFromTitle(""), "");
}

TEST(ProcessLookup, MatchesWholeNameCaseSensitivelyAndStopsAtTheFirst) {
    const std::vector<ProcessEntry> processes{
        {4, "MSNMSGR.EXE"}, {8, "msnmsgr.exe.bak"}, {12, "xmsnmsgr.exe"},
        {16, "msnmsgr.exe"}, {20, "msnmsgr.exe"}};
    const ProcessEntry* found = FindFirstProcess(processes, "msnmsgr.exe");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->id, 16u);
    EXPECT_EQ(FindFirstProcess(processes, "Dedida.exe"), nullptr);
    EXPECT_EQ(FindFirstProcess({}, "msnmsgr.exe"), nullptr);
}

WindowRecord Conversation(uintptr_t handle, uint32_t pid, const std::string& title,
                          const std::string& cls = "IMWindowClass") {
    WindowRecord w;
    w.handle = handle;
    w.processId = pid;
    w.className = cls;
    w.title = title;
    return w;
}

struct SearchResult {
    bool stopped;
    uintptr_t window;
    std::string contact;
};

SearchResult SearchConversation(const std::vector<WindowRecord>& windows, uint32_t pid) {
    WindowSearch search{pid, 0};
    std::string contact = "unchanged";
    const bool stopped = EnumerateWindows(
        windows, [&](const IWindowView& w) { return ConversationFilter(search, w, contact); });
    return {stopped, search.candidate, contact};
}

TEST(ConversationFilter, UpperWindowWinsAndItsTitleGivesTheContact) {
    const auto result = SearchConversation(
        {Conversation(1, 7, "Top <top@example.com>"), Conversation(2, 7, "Lower <low@example.com>")}, 7);
    EXPECT_TRUE(result.stopped);
    EXPECT_EQ(result.window, 1u);
    EXPECT_EQ(result.contact, "top@example.com");
}

TEST(ConversationFilter, SkipsHiddenDisabledAndOtherProcesses) {
    WindowRecord hidden = Conversation(1, 7, "<h@x>");
    hidden.visible = false;
    WindowRecord disabled = Conversation(2, 7, "<d@x>");
    disabled.enabled = false;
    WindowRecord foreign = Conversation(3, 9, "<f@x>");
    WindowRecord wanted = Conversation(4, 7, "<w@x>");  // e.g. minimised: still visible
    const auto result = SearchConversation({hidden, disabled, foreign, wanted}, 7);
    EXPECT_TRUE(result.stopped);
    EXPECT_EQ(result.window, 4u);
    EXPECT_EQ(result.contact, "w@x");
}

TEST(ConversationFilter, StyleRules) {
    struct Case {
        uint32_t style;
        bool found;
    };
    const Case cases[] = {
        {kStylePopup, false},                         // popup without caption or border
        {kStylePopup | 0x00800000, true},             // popup with a border
        {kStylePopup | 0x00400000 | 0x00080000, true},  // popup with a dialog frame
        {0x10000000, false},                          // none of the overlapped-window bits
        {0x00080000, true},                           // a system menu alone is enough
        {0x00CF0000, true},
    };
    for (const Case& c : cases) {
        WindowRecord w = Conversation(5, 7, "<s@x>");
        w.style = c.style;
        EXPECT_EQ(SearchConversation({w}, 7).stopped, c.found) << std::hex << c.style;
    }
}

TEST(ConversationFilter, ClassMustBeginWithAConversationClass) {
    EXPECT_TRUE(SearchConversation({Conversation(1, 7, "<a@x>", "TabbedHostWndClass")}, 7).stopped);
    EXPECT_TRUE(SearchConversation({Conversation(1, 7, "<a@x>", "TabbedHostWndClassEx")}, 7).stopped);
    EXPECT_TRUE(SearchConversation({Conversation(1, 7, "<a@x>", "IMWindowClass2")}, 7).stopped);
    EXPECT_FALSE(SearchConversation({Conversation(1, 7, "<a@x>", "MyIMWindowClass")}, 7).stopped);
    EXPECT_FALSE(SearchConversation({Conversation(1, 7, "<a@x>", "imwindowclass")}, 7).stopped);
}

TEST(ConversationFilter, FailedSearchLeavesContactButRemembersLastCandidate) {
    // A window of the messenger that passes the early tests but has another
    // class is a candidate, yet not a result.
    const auto result =
        SearchConversation({Conversation(1, 7, "<a@x>", "ContactListClass")}, 7);
    EXPECT_FALSE(result.stopped);
    EXPECT_EQ(result.window, 1u);
    EXPECT_EQ(result.contact, "unchanged");
}

TEST(CompanionFilter, NeedsOnlyProcessAndClassPrefix) {
    WindowRecord tool = Conversation(1, 3, "", "DedidaToolWindow");
    WindowRecord form = Conversation(2, 3, "", "WindowsForms10.Window.8.app.0.378734a_r9");
    form.visible = false;
    form.enabled = false;
    form.style = kStylePopup;
    WindowRecord foreignForm = Conversation(0, 4, "", "WindowsForms10.Window.8.app.0.378734a");
    WindowSearch search{3, 0};
    EXPECT_TRUE(EnumerateWindows({foreignForm, tool, form}, [&](const IWindowView& w) {
        return CompanionFilter(search, w);
    }));
    EXPECT_EQ(search.candidate, 2u);

    WindowSearch other{3, 0};
    EXPECT_FALSE(EnumerateWindows({tool, Conversation(9, 3, "", "WindowsForms10.Window.8.app.0")},
                                  [&](const IWindowView& w) { return CompanionFilter(other, w); }));
}

TEST(WindowRecord, ReadsAtMost255Characters) {
    WindowRecord w = Conversation(1, 7, std::string(300, 'a') + "<x@y>");
    EXPECT_EQ(w.Title().size(), 255u);
    // The bracket lies beyond what the title buffer holds.
    const auto result = SearchConversation({w}, 7);
    EXPECT_EQ(result.contact, std::string(254, 'a'));
}

TEST(ContactHandoff, ZeroFilledTerminatedAndCut) {
    const ContactHandoff block = MakeContactHandoff("alice@example.com");
    EXPECT_EQ(block.size(), 256u);
    EXPECT_STREQ(block.data(), "alice@example.com");
    for (std::size_t i = 17; i < block.size(); ++i) ASSERT_EQ(block[i], 0) << i;

    const ContactHandoff longBlock = MakeContactHandoff(std::string(400, 'z'));
    EXPECT_EQ(std::string(longBlock.data()), std::string(255, 'z'));
    EXPECT_EQ(longBlock[255], 0);
}

DeviceCaps Devices(std::vector<std::string> names) {
    return [names](unsigned index, std::string& name) {
        if (index >= names.size()) return false;
        name = names[index];
        return true;
    };
}

TEST(DeviceMatch, SubstringAndEqualityModes) {
    const auto devices = Devices({"PulseAudio", "Monitor of Quorvanta VAudio", "Quorvanta VAudio"});
    EXPECT_EQ(FindDeviceIndex(devices, "Quorvanta VAudio", DeviceMatch::Substring), 1u);
    EXPECT_EQ(FindDeviceIndex(devices, "Quorvanta VAudio", DeviceMatch::Equality), 2u);

    const auto longer = Devices({"PulseAudio", "Quorvanta VAudio (2)"});
    EXPECT_EQ(FindDeviceIndex(longer, "Quorvanta VAudio", DeviceMatch::Substring), 1u);
    EXPECT_EQ(FindDeviceIndex(longer, "Quorvanta VAudio", DeviceMatch::Equality), 2u);
    EXPECT_EQ(FindDeviceIndex(Devices({"quorvanta vaudio"}), "Quorvanta VAudio",
                              DeviceMatch::Substring), 1u);
}

TEST(DeviceMatch, AbsentDeviceGivesTheDeviceCount) {
    EXPECT_EQ(FindDeviceIndex(Devices({"A", "B", "C"}), "Quorvanta VAudio", DeviceMatch::Substring), 3u);
    EXPECT_EQ(FindDeviceIndex(Devices({}), "Quorvanta VAudio", DeviceMatch::Equality), 0u);
}

TEST(DeviceMatch, FirstDeviceWithoutTheName) {
    EXPECT_EQ(FindDeviceWithout(Devices({"Quorvanta VAudio", "Speakers", "PulseAudio"}),
                                "Quorvanta VAudio"), 1u);
    EXPECT_EQ(FindDeviceWithout(Devices({"Quorvanta VAudio"}), "Quorvanta VAudio"), 1u);
}

}  // namespace
