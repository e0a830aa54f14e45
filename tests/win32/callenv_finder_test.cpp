// Finding the stand-in messenger's conversation window and the stand-in
// companion's form among real windows and processes, and handing the
// contact to the companion.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "callenv/CallWindowFinder.h"
#include "callenv/ProcessSnapshot.h"
#include "tests/support/fixture_paths.h"
#include "tests/support/process_helpers.h"

namespace {

using e2e::ChildProcess;

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

// Starts a program with --window/--log style options and waits until it idles.
ChildProcess StartFixture(const std::string& exePath, const std::vector<std::string>& options) {
    std::string line = Quoted(exePath);
    for (const std::string& option : options) line += " " + Quoted(option);
    ChildProcess child = ChildProcess::Start(line, e2e::FixtureFolder());
    EXPECT_TRUE(child.Started()) << line;
    if (child.Started()) ::WaitForInputIdle(child.Handle(), 15000);
    return child;
}

ChildProcess StartMessenger(const std::vector<std::string>& windows) {
    std::vector<std::string> options;
    for (const std::string& w : windows) options.push_back("--window=" + w);
    return StartFixture(e2e::FixtureFolder() + "\\msnmsgr.exe", options);
}

std::string TitleOf(HWND hwnd) {
    char text[256] = {};
    ::GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

class CallWindowSearch : public ::testing::Test {
protected:
    void SetUp() override {
        // No messenger or companion of an earlier test may still be listed.
        for (int i = 0; i < 100 && (callenv::FindProcess("msnmsgr.exe") ||
                                    callenv::FindProcess("Dedida.exe")); ++i)
            ::Sleep(50);
        ASSERT_FALSE(callenv::FindProcess("msnmsgr.exe"));
        finder.ContactAddress = "earlier@example.com";
    }

    CCallWindowFinder finder;
};

TEST_F(CallWindowSearch, FindsTheConversationWindowAndCutsTheContact) {
    EXPECT_FALSE(finder.FindMessengerProcess());
    EXPECT_EQ(finder.FindConversationWindow(), nullptr);
    EXPECT_EQ(finder.ContactAddress, "earlier@example.com");

    ChildProcess messenger = StartMessenger({"class=IMWindowClass;title=Alice - Conversation <alice@example.com>"});
    HWND window = e2e::WaitForWindow("Alice - Conversation <alice@example.com>", 15000, messenger.Id());
    ASSERT_NE(window, nullptr);

    EXPECT_TRUE(finder.FindMessengerProcess());
    EXPECT_EQ(finder.MessengerExeName, "msnmsgr.exe");
    EXPECT_EQ(finder.FindConversationWindow(), window);
    EXPECT_EQ(finder.ContactAddress, "alice@example.com");
}

TEST_F(CallWindowSearch, UpperOfTwoConversationWindowsWins) {
    ChildProcess messenger = StartMessenger({"class=IMWindowClass;title=Lower <lower@example.com>",
                                             "class=TabbedHostWndClass;title=Upper <upper@example.com>"});
    ASSERT_NE(e2e::WaitForWindow("Upper <upper@example.com>", 15000, messenger.Id()), nullptr);
    HWND found = finder.FindConversationWindow();
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(TitleOf(found), "Upper <upper@example.com>");
    EXPECT_EQ(finder.ContactAddress, "upper@example.com");
}

TEST_F(CallWindowSearch, HiddenAndDisabledAreSkippedMinimisedIsFound) {
    ChildProcess messenger = StartMessenger({"class=IMWindowClass;title=Min <min@example.com>;minimised",
                                             "class=IMWindowClass;title=Hidden <hidden@example.com>;hidden",
                                             "class=IMWindowClass;title=Off <off@example.com>;disabled"});
    HWND minimised = e2e::WaitForWindow("Min <min@example.com>", 15000, messenger.Id());
    ASSERT_NE(minimised, nullptr);
    EXPECT_TRUE(::IsIconic(minimised));
    EXPECT_EQ(finder.FindConversationWindow(), minimised);
    EXPECT_EQ(finder.ContactAddress, "min@example.com");
}

TEST_F(CallWindowSearch, FramelessAndCaptionlessWindowsAreNeverConversations) {
    ChildProcess messenger = StartMessenger({"class=IMWindowClass;title=Popup <p@example.com>;popup",
                                             "class=IMWindowClass;title=Bare <b@example.com>;style=10000000"});
    ASSERT_NE(e2e::WaitForWindow("Popup <p@example.com>", 15000, messenger.Id()), nullptr);
    ASSERT_NE(e2e::WaitForWindow("Bare <b@example.com>", 15000, messenger.Id()), nullptr);
    EXPECT_TRUE(finder.FindMessengerProcess());
    EXPECT_EQ(finder.FindConversationWindow(), nullptr);
    EXPECT_EQ(finder.ContactAddress, "earlier@example.com");
}

TEST_F(CallWindowSearch, ClassNameMustBeginWithAConversationClass) {
    ChildProcess messenger = StartMessenger({"class=TabbedHostWndClassV2;title=Prefix <prefix@example.com>",
                                             "class=MyIMWindowClass;title=Inside <inside@example.com>"});
    HWND prefixed = e2e::WaitForWindow("Prefix <prefix@example.com>", 15000, messenger.Id());
    ASSERT_NE(prefixed, nullptr);
    ASSERT_NE(e2e::WaitForWindow("Inside <inside@example.com>", 15000, messenger.Id()), nullptr);
    // The later window is on top but its class only holds the text inside.
    EXPECT_EQ(finder.FindConversationWindow(), prefixed);
    EXPECT_EQ(finder.ContactAddress, "prefix@example.com");
}

TEST_F(CallWindowSearch, ProcessNameIsCaseSensitive) {
    const std::string folder = e2e::MakeScratchFolder("callenv-case");
    ASSERT_FALSE(folder.empty());
    const std::string renamed = folder + "\\MsnMsgr.exe";
    ASSERT_TRUE(::CopyFileA((e2e::FixtureFolder() + "\\msnmsgr.exe").c_str(), renamed.c_str(), FALSE));
    {
        ChildProcess messenger = StartFixture(renamed, {"--window=class=IMWindowClass;title=Case <case@example.com>"});
        ASSERT_NE(e2e::WaitForWindow("Case <case@example.com>", 15000, messenger.Id()), nullptr);
        bool listed = false;
        for (const auto& p : callenv::SnapshotProcesses())
            if (p.id == messenger.Id()) {
                listed = true;
                EXPECT_EQ(p.exeName, "MsnMsgr.exe");
            }
        ASSERT_TRUE(listed);
        EXPECT_FALSE(finder.FindMessengerProcess());
        EXPECT_EQ(finder.FindConversationWindow(), nullptr);
    }
    ::DeleteFileA(renamed.c_str());
    ::RemoveDirectoryA(folder.c_str());
}

TEST_F(CallWindowSearch, OnlyTheFirstMessengerProcessIsSearched) {
    ChildProcess first = StartMessenger({"class=IMWindowClass;title=One <one@example.com>"});
    ChildProcess second = StartMessenger({"class=IMWindowClass;title=Two <two@example.com>"});
    ASSERT_NE(e2e::WaitForWindow("One <one@example.com>", 15000, first.Id()), nullptr);
    ASSERT_NE(e2e::WaitForWindow("Two <two@example.com>", 15000, second.Id()), nullptr);

    DWORD listedFirst = 0;
    for (const auto& p : callenv::SnapshotProcesses()) {
        if (p.id == first.Id() || p.id == second.Id()) {
            listedFirst = p.id;
            break;
        }
    }
    ASSERT_NE(listedFirst, 0u);
    HWND found = finder.FindConversationWindow();
    ASSERT_NE(found, nullptr);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(found, &owner);
    EXPECT_EQ(owner, listedFirst);
    EXPECT_EQ(finder.ContactAddress, listedFirst == first.Id() ? "one@example.com" : "two@example.com");
}

std::vector<std::string> ReadLines(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::string HexOf(const std::string& text, std::size_t size) {
    std::string hex;
    char byte[3];
    for (std::size_t i = 0; i < size; ++i) {
        std::snprintf(byte, sizeof byte, "%02x", i < text.size() ? static_cast<unsigned char>(text[i]) : 0);
        hex += byte;
    }
    return hex;
}

TEST_F(CallWindowSearch, ContactReachesTheCompanionAsOneZeroFilledBlock) {
    const std::string folder = e2e::MakeScratchFolder("callenv-dedida");
    ASSERT_FALSE(folder.empty());
    const std::string log = folder + "\\copydata.log";

    HWND oldAssist = finder.AssistWindow;
    EXPECT_EQ(finder.FindAssistWindow(), nullptr);  // not running
    EXPECT_EQ(finder.AssistWindow, oldAssist);

    ChildProcess messenger = StartMessenger({"class=IMWindowClass;title=Bob <bob@example.com>"});
    ChildProcess companion = StartFixture(e2e::FixtureFolder() + "\\Dedida.exe",
                                          {"--log=" + log, "--hidden", "--decoy"});
    ASSERT_NE(e2e::WaitForWindow("Dedida tools", 15000, companion.Id()), nullptr);

    // The order of a call recording's start: companion first, then the conversation.
    HWND form = finder.FindAssistWindow();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(finder.AssistWindow, form);
    char cls[256] = {};
    ::GetClassNameA(form, cls, sizeof cls);
    EXPECT_STREQ(cls, "WindowsForms10.Window.8.app.0.378734a");
    EXPECT_FALSE(::IsWindowVisible(form));
    ASSERT_NE(finder.FindConversationWindow(), nullptr);
    callenv::HandOffContact(finder.AssistWindow, finder.ContactAddress);

    auto lines = ReadLines(log);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "size=256 data=0 bytes=" + HexOf("bob@example.com", 256));

    // Once the companion is gone its old handle stays and the hand-off goes nowhere.
    companion.Kill();
    EXPECT_EQ(finder.FindAssistWindow(), nullptr);
    EXPECT_EQ(finder.AssistWindow, form);
    EXPECT_FALSE(::IsWindow(form));
    callenv::HandOffContact(finder.AssistWindow, "carol@example.com");
    callenv::HandOffContact(nullptr, "carol@example.com");
    EXPECT_EQ(ReadLines(log).size(), 1u);

    ::DeleteFileA(log.c_str());
    ::RemoveDirectoryA(folder.c_str());
}

}  // namespace
