// The bridge from Windows tests to the host's tools, which later tests rely on
// to check recordings with ffprobe and to drive the pointer with xdotool.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/support/host_command.h"

TEST(HostCommand, ReportsOutputAndExitStatusOfAHostProgram) {
    hostcmd::Result ok = hostcmd::Run("printf 'a b'; echo ' c' >&2; exit 0");
    ASSERT_TRUE(ok.finished);
    EXPECT_EQ(ok.exitCode, 0);
    EXPECT_EQ(ok.output, "a b c\n");

    hostcmd::Result failing = hostcmd::Run("sleep 1; exit 7");
    ASSERT_TRUE(failing.finished);
    EXPECT_EQ(failing.exitCode, 7);
}

TEST(HostCommand, TimesOutOnAHangingCommand) {
    hostcmd::Result hung = hostcmd::Run("sleep 30", 500);
    EXPECT_FALSE(hung.finished);
}

TEST(HostCommand, MapsWindowsPathsAndQuotesForTheShell) {
    EXPECT_EQ(hostcmd::HostPath("Z:\\tmp\\some file.avi"), "/tmp/some file.avi");
    hostcmd::Result echoed = hostcmd::Run("echo " + hostcmd::ShellQuote("it's $HOME"));
    ASSERT_TRUE(echoed.finished);
    EXPECT_EQ(echoed.output, "it's $HOME\n");
}

TEST(HostCommand, ManyCommandsLeaveTheTestAbleToCreateWindows) {
    // Each run starts a Unix program; none may cost the process a handle.
    for (int i = 0; i < 30; ++i) ASSERT_TRUE(hostcmd::Run("true").finished) << "run " << i;
    HWND window = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                    nullptr, nullptr);
    EXPECT_NE(window, nullptr) << "error " << ::GetLastError();
    if (window) ::DestroyWindow(window);
}
