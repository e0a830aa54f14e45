// Lumiskop.exe started as a user starts it: one instance, the skinned window,
// the output folder, the audio engine, the questions about a messenger that
// runs already, and the default playback device taken and given back.
#include <gtest/gtest.h>

#include <windows.h>
#include <mmsystem.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "app/AppTitle.h"
#include "res/resource.h"
#include "tests/e2e/recorder_session.h"
#include "tests/support/bitmap_files.h"
#include "tests/support/fixture_paths.h"
#include "tests/support/process_helpers.h"
#include "tests/support/registry_helpers.h"
#include "tests/support/ui_helpers.h"

namespace {

using e2e::ChildProcess;
using e2e::RecorderSession;

constexpr const char* kEngineTitle = "Quorvanta Audio Engine";

bool EngineRunning() {
    HANDLE mutex = ::OpenMutexA(SYNCHRONIZE, FALSE, kEngineTitle);
    if (mutex) ::CloseHandle(mutex);
    return mutex != nullptr && ::FindWindowA("#32770", kEngineTitle) != nullptr;
}

// The window's skinned buttons and the pictures they were drawn with.
struct SkinnedControl {
    int id;
    const char* skin;
};
constexpr SkinnedControl kSkinnedButtons[] = {
    {IDC_RECORD_CALL, "record_fixed"}, {IDC_RECORD_REGION, "record_custom"},
    {IDC_RECORD_STOP, "record_stop"},  {IDC_CONVERTER, "converter"},
    {IDC_HOME, "home"},                {IDC_MINIMIZE, "mini"},
    {IDC_CLOSE, "close"},              {IDC_OPEN_FOLDER, "open_folder"},
    {IDC_CHANGE_FOLDER, "change_folder"},
};

// Where the screen differs from a picture file shown at `origin`, on a grid
// of points; empty when it shows the picture.
std::string PictureMismatch(const std::string& file, POINT origin, SIZE size) {
    for (int gy = 1; gy <= 3; ++gy) {
        for (int gx = 1; gx <= 3; ++gx) {
            const int x = size.cx * gx / 4, y = size.cy * gy / 4;
            const COLORREF want = pictures::BitmapPixel(file, x, y);
            const COLORREF got = ui::ScreenPixel(origin.x + x, origin.y + y);
            if (!pictures::Near(got, want, 2))
                return file + " at " + std::to_string(x) + "," + std::to_string(y) + ": " +
                       ui::DescribePixel(got) + " instead of " + ui::DescribePixel(want);
        }
    }
    return {};
}

// The real window's pixels: every button shows its normal picture at its
// place, and the background shows the skin's back_ui.bmp around the texts.
void ExpectShowsItsSkin(const RecorderSession& session) {
    const std::string folder = e2e::ProgramFolder() + "\\skin\\";
    std::string mismatch;
    const bool shown = e2e::WaitUntil([&] {
        for (const SkinnedControl& control : kSkinnedButtons) {
            RECT rect{};
            ::GetWindowRect(session.Control(control.id), &rect);
            const std::string file = folder + control.skin + "_normal.bmp";
            const SIZE size = pictures::BitmapSize(file);
            if (size.cx != rect.right - rect.left || size.cy != rect.bottom - rect.top) {
                mismatch = file + ": the control is not the picture's size";
                return false;
            }
            mismatch = PictureMismatch(file, {rect.left, rect.top}, size);
            if (!mismatch.empty()) return false;
        }
        const std::string back = folder + "back_ui.bmp";
        for (POINT at : {POINT{300, 14}, POINT{250, 515}, POINT{250, 610}}) {
            const POINT screen = ui::ClientToScreenPoint(session.Main(), at.x, at.y);
            if (!pictures::Near(ui::ScreenPixel(screen.x, screen.y),
                                pictures::BitmapPixel(back, at.x, at.y), 2)) {
                mismatch = "background at " + std::to_string(at.x) + "," + std::to_string(at.y);
                return false;
            }
        }
        return true;
    }, 10000);
    EXPECT_TRUE(shown) << mismatch;
}

bool FolderExists(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(Startup, SecondInstanceEndsAtOnceWhileTheFirstKeepsRunning) {
    RecorderSession first(std::nullopt);
    ASSERT_NE(first.Main(), nullptr) << "the main window did not appear";

    ChildProcess second =
        ChildProcess::Start("\"" + e2e::ProgramFolder() + "\\Lumiskop.exe\"", e2e::ProgramFolder());
    ASSERT_TRUE(second.Started());
    DWORD code = 12345;
    ASSERT_TRUE(second.WaitForExit(5000, &code)) << "the second instance kept running";
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(first.Process().Running());
    EXPECT_EQ(e2e::CountWindows(kAppTitle), 1);
    EXPECT_TRUE(first.CloseWithButton()) << "the close button did not end the program";
}

TEST(Startup, SkinnedWindowAtTheTopLeftWithRoundedTopCornersAndTheEngineRunning) {
    const std::string scratch = e2e::MakeScratchFolder("lumiskop-start");
    const std::string folder = scratch + "\\recordings";
    RecorderSession session(folder);
    HWND main = session.Main();
    ASSERT_NE(main, nullptr);

    RECT rect;
    ASSERT_TRUE(::GetWindowRect(main, &rect));
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right - rect.left, 510);
    EXPECT_EQ(rect.bottom - rect.top, 620);
    EXPECT_EQ(::GetWindowLongA(main, GWL_STYLE) & WS_CAPTION, 0) << "the skin replaces the caption";

    // The window's shape: the two top corners are cut round, the bottom ones not.
    HRGN shape = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(::GetWindowRgn(main, shape), ERROR) << "the window has no shape of its own";
    EXPECT_FALSE(::PtInRegion(shape, 0, 0));
    EXPECT_FALSE(::PtInRegion(shape, 509, 0));
    EXPECT_TRUE(::PtInRegion(shape, 0, 619));
    EXPECT_TRUE(::PtInRegion(shape, 509, 619));
    EXPECT_TRUE(::PtInRegion(shape, 255, 0));
    EXPECT_TRUE(::PtInRegion(shape, 0, 310));
    ::DeleteObject(shape);

    for (int id : {IDC_RECORD_CALL, IDC_RECORD_REGION, IDC_RECORD_STOP, IDC_CONVERTER, IDC_HOME,
                   IDC_MINIMIZE, IDC_CLOSE, IDC_OUTPUT_FOLDER, IDC_ELAPSED})
        EXPECT_TRUE(::IsWindowVisible(session.Control(id))) << "control " << id;
    EXPECT_EQ(session.ControlText(IDC_ELAPSED), "00:00:00");

    // config.ini's folder is shown and made.
    EXPECT_EQ(session.ControlText(IDC_OUTPUT_FOLDER), folder);
    EXPECT_TRUE(FolderExists(folder));
    EXPECT_TRUE(e2e::WaitUntil(EngineRunning, 10000)) << "the audio engine is not running";
    ASSERT_TRUE(ui::MoveMouse(1200, 1000));  // no button shows its hover picture
    ExpectShowsItsSkin(session);
    ui::SaveScreenshot("main-window-idle");

    ASSERT_TRUE(session.CloseWithButton());
    EXPECT_TRUE(e2e::WaitUntil([] { return !EngineRunning(); }, 10000))
        << "the audio engine outlived the program";
    e2e::RemoveScratchFolder(scratch);
}

TEST(Startup, WithoutConfigTheDefaultOutputFolderIsMade) {
    const std::string defaultFolder = "C:\\QuorvantaOutput";
    ::RemoveDirectoryA(defaultFolder.c_str());  // only when empty: recordings stay
    RecorderSession session(std::nullopt);
    ASSERT_NE(session.Main(), nullptr);
    EXPECT_EQ(session.ControlText(IDC_OUTPUT_FOLDER), defaultFolder);
    EXPECT_TRUE(FolderExists(defaultFolder));
}

// --- a messenger that runs before the recorder ---------------------------------

BOOL CALLBACK CollectText(HWND child, LPARAM lp) {
    char text[512] = {};
    ::GetWindowTextA(child, text, sizeof text);
    reinterpret_cast<std::vector<std::pair<std::string, HWND>>*>(lp)->emplace_back(text, child);
    return TRUE;
}

// The texts of a window's children (a message box's text and buttons).
std::vector<std::pair<std::string, HWND>> ChildTexts(HWND window) {
    std::vector<std::pair<std::string, HWND>> texts;
    ::EnumChildWindows(window, &CollectText, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

HWND ChildWithText(HWND window, const std::string& wanted) {
    for (const auto& [text, child] : ChildTexts(window))
        if (text == wanted) return child;
    return nullptr;
}

constexpr const char* kFirstQuestion =
    "To ensure recording audio successfully,please launch the Lumiskop first and startup the "
    "Live Messenger.";
constexpr const char* kSecondQuestion = "Do u want to exit the Window Live Messenger Now?";

class MessengerFirst : public ::testing::TestWithParam<bool> {};

// Answers the two questions that follow the start when the messenger runs
// already; `endMessenger` picks "Yes" on the second.
void AnswerStartupQuestions(RecorderSession& session, bool endMessenger) {
    const DWORD start = ::GetTickCount();
    HWND info = e2e::WaitForWindow("Information", 15000, session.Process().Id());
    ASSERT_NE(info, nullptr) << "no message about the running messenger";
    // The start-up check asks, not the start itself: a moment after the window.
    const DWORD after = ::GetTickCount() - start;
    std::printf("first message %lu ms after the window appeared\n", static_cast<unsigned long>(after));
    EXPECT_GE(after, 500u);
    EXPECT_TRUE(ChildWithText(info, kFirstQuestion));
    ASSERT_TRUE(ui::ClickWindow(ChildWithText(info, "OK")));

    HWND question = nullptr;
    ASSERT_TRUE(e2e::WaitUntil(
        [&] {
            question = e2e::WaitForWindow("Information", 100, session.Process().Id());
            return question && ChildWithText(question, kSecondQuestion);
        },
        10000))
        << "the second question did not follow";
    ASSERT_TRUE(ui::ClickWindow(ChildWithText(question, endMessenger ? "&Yes" : "&No")));
    EXPECT_TRUE(e2e::WaitUntil([&] { return !::IsWindow(question); }, 5000));
}

TEST_P(MessengerFirst, TwoQuestionsFollowTheStartAndTheAnswerDecidesTheMessengersFate) {
    const bool endMessenger = GetParam();
    ChildProcess messenger = ChildProcess::Start(
        "\"" + e2e::FixtureFolder() + "\\msnmsgr.exe\" \"--window=title=Chat - <bob@example.com>\"",
        e2e::FixtureFolder());
    ASSERT_TRUE(messenger.Started());
    ASSERT_NE(e2e::WaitForWindow("Chat - <bob@example.com>", 15000, messenger.Id()), nullptr);

    RecorderSession session(std::nullopt);
    ASSERT_NE(session.Main(), nullptr);
    AnswerStartupQuestions(session, endMessenger);
    if (endMessenger)
        EXPECT_TRUE(messenger.WaitForExit(10000)) << "\"Yes\" left the messenger running";
    else
        EXPECT_FALSE(messenger.WaitForExit(2000)) << "\"No\" ended the messenger";
    EXPECT_TRUE(session.Process().Running());
    EXPECT_TRUE(session.CloseWithButton());
}

INSTANTIATE_TEST_SUITE_P(Answers, MessengerFirst, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Yes" : "No"; });

// --- the default playback device ------------------------------------------------

const char* const kRoles[] = {"Role:0", "Role:1", "Role:2"};

class DefaultPlayback : public ::testing::Test {
protected:
    void SetUp() override {
        ::waveOutGetNumDevs();  // Wine lists its endpoints in the registry on first use
        virtualEndpoint = reg::EndpointNamed(reg::kRender, "Quorvanta VAudio");
        ASSERT_FALSE(virtualEndpoint.empty()) << "no render endpoint for the virtual device";
        for (const char* role : kRoles) {
            saved[role] = reg::ReadValue(HKEY_LOCAL_MACHINE, virtualEndpoint, role);
            reg::WriteOrDelete(HKEY_LOCAL_MACHINE, virtualEndpoint, role, std::nullopt, 0);
        }
    }
    void TearDown() override {
        for (const char* role : kRoles)
            reg::WriteOrDelete(HKEY_LOCAL_MACHINE, virtualEndpoint, role, saved[role], REG_BINARY);
    }

    std::optional<SYSTEMTIME> Stamp(const char* role) const {
        const auto value = reg::ReadValue(HKEY_LOCAL_MACHINE, virtualEndpoint, role);
        if (!value || value->size() != sizeof(SYSTEMTIME)) return std::nullopt;
        SYSTEMTIME time;
        std::memcpy(&time, value->data(), sizeof time);
        return time;
    }

    std::string virtualEndpoint;
    std::map<std::string, std::optional<std::vector<BYTE>>> saved;
};

TEST_F(DefaultPlayback, VirtualDeviceIsTheDefaultWhileTheProgramRunsAndIsGivenBackAtClose) {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    RecorderSession session(std::nullopt);
    ASSERT_NE(session.Main(), nullptr);
    ASSERT_TRUE(e2e::WaitUntil([&] { return Stamp("Role:0").has_value(); }, 15000))
        << "the virtual device was not made the default playback device";
    for (const char* role : kRoles) {
        const auto stamp = Stamp(role);
        ASSERT_TRUE(stamp) << role;
        EXPECT_EQ(stamp->wYear, now.wYear) << role;
        EXPECT_EQ(stamp->wMonth, now.wMonth) << role;
    }

    ASSERT_TRUE(session.CloseWithButton());
    for (const char* role : kRoles) {
        const auto stamp = Stamp(role);
        ASSERT_TRUE(stamp) << role;
        EXPECT_EQ(stamp->wYear, now.wYear - 10) << role << ": the device was not given back";
    }
}

// --- keys and the mouse on an idle window -------------------------------------

TEST(IdleWindow, EnterAndEscapeLeaveTheWindowOpen) {
    RecorderSession session(std::nullopt);
    ASSERT_NE(session.Main(), nullptr);
    ASSERT_TRUE(session.PressKey("Return"));
    ASSERT_TRUE(session.PressKey("Escape"));
    ::Sleep(500);
    EXPECT_TRUE(session.Process().Running());
    EXPECT_TRUE(::IsWindowVisible(session.Main()));
    EXPECT_FALSE(::IsIconic(session.Main()));
}

TEST(IdleWindow, DraggingTheBodyMovesTheWindow) {
    RecorderSession session(std::nullopt);
    ASSERT_NE(session.Main(), nullptr);
    // A point of the body between the (hidden) list and the output folder line.
    ASSERT_TRUE(ui::MoveMouse(255, 495));
    ASSERT_TRUE(ui::MouseDown());
    // The window starts its move loop from a message it posts itself; a busy
    // machine may take a while, and the pointer must not run ahead of it.
    const DWORD uiThread = ::GetWindowThreadProcessId(session.Main(), nullptr);
    ASSERT_TRUE(e2e::WaitUntil(
        [&] {
            GUITHREADINFO info{};
            info.cbSize = sizeof(info);
            return ::GetGUIThreadInfo(uiThread, &info) && (info.flags & GUI_INMOVESIZE);
        },
        3000))
        << "no move loop began";
    ASSERT_TRUE(ui::MoveMouse(300, 530));
    ASSERT_TRUE(ui::MoveMouse(355, 575));
    ASSERT_TRUE(ui::MouseUp());
    RECT rect{};
    EXPECT_TRUE(e2e::WaitUntil(
        [&] {
            ::GetWindowRect(session.Main(), &rect);
            return rect.left == 100 && rect.top == 80;
        },
        5000))
        << "the window is at " << rect.left << "," << rect.top;
    EXPECT_EQ(rect.right - rect.left, 510);
    EXPECT_EQ(rect.bottom - rect.top, 620);
}

}  // namespace
