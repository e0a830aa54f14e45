// A config.ini the program cannot write: the change-folder command keeps the
// folder for this run and says on the status line that it is not saved.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "framework/Handle.h"
#include "res/resource.h"
#include "tests/e2e/recorder_session.h"
#include "tests/support/fixture_paths.h"
#include "tests/support/process_helpers.h"

namespace {

using e2e::RecorderSession;

// Chooses Change and cancels the folder browser: the field's text stays and
// is what the program then tries to keep.
bool ChangeFolderAndCancel(RecorderSession& session) {
    ::PostMessageA(session.Main(), WM_COMMAND, MAKEWPARAM(IDC_CHANGE_FOLDER, BN_CLICKED),
                   reinterpret_cast<LPARAM>(session.Control(IDC_CHANGE_FOLDER)));
    HWND browser = e2e::WaitForWindow("Browse for Folder", 10000, session.Process().Id());
    if (!browser) return false;
    ::PostMessageA(browser, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    return e2e::WaitUntil([&] { return !::IsWindow(browser); }, 10000);
}

TEST(ConfigFile, AnOutputFolderThatCannotBeSavedIsToldOnTheStatusLine) {
    const std::string scratch = e2e::MakeScratchFolder("lumiskop-config");
    const std::string folder = scratch + "\\recordings";
    const std::string config = e2e::ProgramFolder() + "\\config.ini";
    RecorderSession session(folder);
    ASSERT_NE(session.Main(), nullptr);
    {
        // Held without sharing, as another program might: writing fails as it
        // does in a read-only program folder.
        fw::KernelHandle held(::CreateFileA(config.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(held);
        ASSERT_TRUE(ChangeFolderAndCancel(session)) << "no folder browser";
        const std::string expected = "The output folder is not saved: cannot write " + config;
        EXPECT_TRUE(e2e::WaitUntil([&] { return session.ControlText(IDC_STATUS) == expected; }, 5000))
            << "status line: " << session.ControlText(IDC_STATUS);
        EXPECT_EQ(session.ControlText(IDC_OUTPUT_FOLDER), folder);
    }
    // Free again, the same command writes the file anew.
    ASSERT_TRUE(::DeleteFileA(config.c_str()));
    ASSERT_TRUE(ChangeFolderAndCancel(session));
    char stored[MAX_PATH] = {};
    ::GetPrivateProfileStringA("General", "FilePath", "", stored, sizeof stored, config.c_str());
    EXPECT_EQ(stored, folder);
    EXPECT_TRUE(session.CloseWithButton());
    e2e::RemoveScratchFolder(scratch);
}

}  // namespace
