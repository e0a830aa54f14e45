// Lumiskop.exe started as a user starts it.
#include <gtest/gtest.h>

#include "app/AppTitle.h"
#include "tests/support/process_helpers.h"

namespace {

using e2e::ChildProcess;

std::string ProgramPath() {
    return "\"" + e2e::ProgramFolder() + "\\Lumiskop.exe\"";
}

TEST(Startup, SecondInstanceEndsAtOnceWhileTheFirstKeepsRunning) {
    ChildProcess first = ChildProcess::Start(ProgramPath(), e2e::ProgramFolder());
    ASSERT_TRUE(first.Started());
    HWND main = e2e::WaitForWindow(kAppTitle, 20000, first.Id());
    ASSERT_NE(main, nullptr) << "the main window did not appear";
    EXPECT_TRUE(::IsWindowVisible(main));

    ChildProcess second = ChildProcess::Start(ProgramPath(), e2e::ProgramFolder());
    ASSERT_TRUE(second.Started());
    DWORD code = 12345;
    ASSERT_TRUE(second.WaitForExit(5000, &code)) << "the second instance kept running";
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(first.Running());
    EXPECT_TRUE(::IsWindow(main));
    EXPECT_EQ(e2e::CountWindows(kAppTitle), 1);

    ::PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(first.WaitForExit(15000)) << "closing the main window did not end the program";
}

}  // namespace
