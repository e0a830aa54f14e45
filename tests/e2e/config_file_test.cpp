// A config.ini the program cannot write: the change-folder command and the
// settings dialog keep their setting for this run and say on the status line
// that it is not saved.
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

// Gives the main window a command and answers the dialog it opens.
bool AnswerDialog(RecorderSession& session, int command, const char* title, int answer) {
    ::PostMessageA(session.Main(), WM_COMMAND, MAKEWPARAM(command, BN_CLICKED),
                   reinterpret_cast<LPARAM>(session.Control(command)));
    HWND dialog = e2e::WaitForWindow(title, 10000, session.Process().Id());
    if (!dialog) return false;
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
    return e2e::WaitUntil([&] { return !::IsWindow(dialog); }, 10000);
}

// Change, then Cancel in the folder browser: the field's text stays and is
// what the program then tries to keep.
bool ChangeFolderAndCancel(RecorderSession& session) {
    return AnswerDialog(session, IDC_CHANGE_FOLDER, "Browse for Folder", IDCANCEL);
}

// OK in the settings dialog keeps its conversion choice.
bool SettingsOk(RecorderSession& session) {
    return AnswerDialog(session, IDC_SETTINGS, "Settings", IDOK);
}

bool StatusBecomes(const RecorderSession& session, const std::string& expected) {
    return e2e::WaitUntil([&] { return session.ControlText(IDC_STATUS) == expected; }, 5000);
}

TEST(ConfigFile, ASettingThatCannotBeSavedIsToldOnTheStatusLine) {
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
        ASSERT_TRUE(SettingsOk(session)) << "no settings dialog";
        EXPECT_TRUE(StatusBecomes(session, "Conversion settings not saved: cannot write " + config))
            << "status line: " << session.ControlText(IDC_STATUS);
        ASSERT_TRUE(ChangeFolderAndCancel(session)) << "no folder browser";
        EXPECT_TRUE(StatusBecomes(session, "Output folder not saved: cannot write " + config))
            << "status line: " << session.ControlText(IDC_STATUS);
        EXPECT_EQ(session.ControlText(IDC_OUTPUT_FOLDER), folder);
    }
    // Free again, the same commands write the file anew.
    ASSERT_TRUE(::DeleteFileA(config.c_str()));
    ASSERT_TRUE(ChangeFolderAndCancel(session));
    ASSERT_TRUE(SettingsOk(session));
    char stored[MAX_PATH] = {};
    ::GetPrivateProfileStringA("General", "FilePath", "", stored, sizeof stored, config.c_str());
    EXPECT_EQ(stored, folder);
    EXPECT_NE(session.ConfigText().find("[Convert]"), std::string::npos) << session.ConfigText();
    EXPECT_TRUE(session.CloseWithButton());
    e2e::RemoveScratchFolder(scratch);
}

}  // namespace
