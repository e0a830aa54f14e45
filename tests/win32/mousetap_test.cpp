// mousetap.dll under Wine: the cursors of other programs' windows reach us as
// handles we can draw, as the pointer moves over them.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/support/process_helpers.h"
#include "tests/support/square_cursor.h"
#include "tools/mousetap/mousetap.h"

namespace {

const UINT kSaveCursor = ::RegisterWindowMessageA("WM_USER_SAVECURSOR_MSG");

// What a cursor looks like drawn on white and on black (so that both of its
// masks show).
std::vector<COLORREF> Look(HCURSOR cursor) {
    std::vector<COLORREF> pixels;
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 32, 32);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    for (int background : {WHITE_BRUSH, BLACK_BRUSH}) {
        RECT all{0, 0, 32, 32};
        ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(background)));
        if (!::DrawIconEx(dc, 0, 0, cursor, 32, 32, 0, nullptr, DI_NORMAL)) return {};
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) pixels.push_back(::GetPixel(dc, x, y));
    }
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return pixels;
}

std::vector<HCURSOR> g_received;

LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kSaveCursor) {
        g_received.push_back(reinterpret_cast<HCURSOR>(wParam));
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

void Pump(DWORD ms) {
    const DWORD end = ::GetTickCount() + ms;
    MSG msg;
    while (static_cast<LONG>(end - ::GetTickCount()) > 0) {
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
        ::Sleep(5);
    }
}

// Moves the pointer as the mouse would, in a few small steps, so that the
// window under it sees motion. (Starting host programs from this process
// would do as well, but under Wine that can leave it unable to set hooks.)
void MovePointer(int x, int y) {
    const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    for (const POINT& p : {POINT{x, y}, POINT{x + 3, y + 2}, POINT{x, y}}) {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dx = static_cast<LONG>((p.x * 65535LL + width / 2) / (width - 1));
        input.mi.dy = static_cast<LONG>((p.y * 65535LL + height / 2) / (height - 1));
        input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        ::SendInput(1, &input, sizeof input);
        Pump(50);
    }
}

class MouseTapTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_received.clear();
        m_tap = ::LoadLibraryA((e2e::ProgramFolder() + "\\mousetap.dll").c_str());
        ASSERT_NE(m_tap, nullptr);
        install = reinterpret_cast<InstallMyHookFn>(
            reinterpret_cast<void*>(::GetProcAddress(m_tap, "InstallMyHook")));
        uninstall = reinterpret_cast<UninstallMyHookFn>(
            reinterpret_cast<void*>(::GetProcAddress(m_tap, "UninstallMyHook")));
        ASSERT_NE(install, nullptr);
        ASSERT_NE(uninstall, nullptr);
        WNDCLASSA wc{};
        wc.lpfnWndProc = TargetProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "MouseTapTarget";
        ::RegisterClassA(&wc);
        target = ::CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   wc.hInstance, nullptr);
        MovePointer(1200, 1000);  // away from every window
    }
    void TearDown() override {
        if (uninstall && target) uninstall(target);
        ::DestroyWindow(target);
    }

    e2e::ChildProcess StartWindow(int left, int top, const char* kind) {
        const std::string folder = TestFolder();
        e2e::ChildProcess child = e2e::ChildProcess::Start(
            "\"" + folder + "\\cursor_window.exe\" " + std::to_string(left) + " " + std::to_string(top) +
                " 300 300 " + kind,
            folder);
        EXPECT_NE(e2e::WaitForWindow("cursor window", 10000, child.Id()), nullptr);
        return child;
    }

    static std::string TestFolder() {
        char path[MAX_PATH] = {};
        ::GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::string folder(path);
        return folder.substr(0, folder.rfind('\\'));
    }

    // Waits until a received cursor looks like `expected`.
    bool WaitForLook(const std::vector<COLORREF>& expected, DWORD ms) {
        const DWORD end = ::GetTickCount() + ms;
        while (static_cast<LONG>(end - ::GetTickCount()) > 0) {
            Pump(20);
            if (!g_received.empty() && Look(g_received.back()) == expected) return true;
        }
        return false;
    }

    HMODULE m_tap = nullptr;
    InstallMyHookFn install = nullptr;
    UninstallMyHookFn uninstall = nullptr;
    HWND target = nullptr;
};

TEST_F(MouseTapTest, AnotherProgramsCursorArrivesAsAHandleThatDrawsHere) {
    e2e::ChildProcess other = StartWindow(200, 200, "cross");
    ASSERT_TRUE(install(target, kSaveCursor));
    MovePointer(350, 350);
    const std::vector<COLORREF> cross = Look(::LoadCursorA(nullptr, IDC_CROSS));
    ASSERT_FALSE(cross.empty());
    EXPECT_TRUE(WaitForLook(cross, 5000)) << g_received.size() << " cursors received";
}

TEST_F(MouseTapTest, ACursorTheOtherProgramDrewItselfLooksTheSameHere) {
    e2e::ChildProcess other = StartWindow(200, 200, "drawn");
    ASSERT_TRUE(install(target, kSaveCursor));
    MovePointer(350, 350);
    HCURSOR square = MakeSquareCursor();
    EXPECT_TRUE(WaitForLook(Look(square), 5000));
    ICONINFO info{};
    ASSERT_FALSE(g_received.empty());
    ASSERT_TRUE(::GetIconInfo(g_received.back(), &info));
    EXPECT_EQ(info.xHotspot, 16u);
    EXPECT_EQ(info.yHotspot, 16u);
    if (info.hbmMask) ::DeleteObject(info.hbmMask);
    if (info.hbmColor) ::DeleteObject(info.hbmColor);
    ::DestroyCursor(square);
}

TEST_F(MouseTapTest, FollowsThePointerFromWindowToWindowPostingOnlyChanges) {
    e2e::ChildProcess left = StartWindow(200, 200, "cross");
    e2e::ChildProcess right = StartWindow(600, 200, "ibeam");
    ASSERT_TRUE(install(target, kSaveCursor));
    const auto cross = Look(::LoadCursorA(nullptr, IDC_CROSS));
    const auto beam = Look(::LoadCursorA(nullptr, IDC_IBEAM));
    ASSERT_NE(cross, beam);

    MovePointer(350, 350);
    ASSERT_TRUE(WaitForLook(cross, 5000));
    MovePointer(750, 350);
    ASSERT_TRUE(WaitForLook(beam, 5000));
    MovePointer(360, 340);
    ASSERT_TRUE(WaitForLook(cross, 5000));
    Pump(300);
    for (size_t i = 1; i < g_received.size(); ++i)
        EXPECT_NE(g_received[i], g_received[i - 1]) << "the same cursor was posted twice in a row";
}

TEST_F(MouseTapTest, NothingArrivesAfterUninstallAndBadCallsAreRefused) {
    e2e::ChildProcess left = StartWindow(200, 200, "cross");
    e2e::ChildProcess right = StartWindow(600, 200, "ibeam");
    EXPECT_FALSE(install(reinterpret_cast<HWND>(0x1234), kSaveCursor));
    EXPECT_FALSE(uninstall(target)) << "a window that never asked was removed";

    ASSERT_TRUE(install(target, kSaveCursor));
    MovePointer(350, 350);
    ASSERT_TRUE(WaitForLook(Look(::LoadCursorA(nullptr, IDC_CROSS)), 5000));
    ASSERT_TRUE(uninstall(target));
    Pump(100);
    g_received.clear();
    MovePointer(750, 350);
    Pump(700);
    EXPECT_TRUE(g_received.empty());
}

}  // namespace
