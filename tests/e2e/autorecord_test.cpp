// Calls recorded without a click: with [AutoRecord] Enabled=1 the stand-in
// messenger's conversation window and its far end's tone start a recording as
// Record call makes it, and the window's closing ends it; a chat without
// sound, a contact not chosen and a stop by hand record nothing more. And the
// recorded area of a call recording goes with its window when that moves.
#include <gtest/gtest.h>

#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "callenv/AudioRouter.h"
#include "callenv/CallEnvNames.h"
#include "res/resource.h"
#include "tests/e2e/call_scene.h"
#include "tests/e2e/popup_menu.h"
#include "tests/support/process_helpers.h"
#include "tests/e2e/recorder_session.h"
#include "tests/support/fixture_paths.h"
#include "tests/support/media_probe.h"
#include "tests/support/tone.h"
#include "tests/support/ui_helpers.h"

namespace {

constexpr const char* kAlice = "alice@example.com";
constexpr const char* kBob = "bob@example.com";
constexpr DWORD kNoTone = 0xFFFFFFFF;

std::string Title(const std::string& contact) {
    return "Call - <" + contact + ">";
}

// The recorder with its own output folder and settings, and one call at a
// time of the stand-in messenger: a conversation window of kCallWindow's
// place and size, with or without the far end's tone.
class CallsScene {
public:
    explicit CallsScene(const std::string& settings)
        : m_folder(e2e::MakeScratchFolder("lumiskop-auto")),
          m_recorder(std::make_unique<e2e::RecorderSession>(m_folder, settings)) {
        // Calls come after the recorder's start-up check, as users are asked
        // to do; otherwise two questions would wait for an answer.
        ::Sleep(1500);
    }
    ~CallsScene() {
        m_recorder.reset();
        HangUp();
        e2e::RemoveScratchFolder(m_folder);
    }

    e2e::RecorderSession& Recorder() { return *m_recorder; }
    std::string Status() const { return m_recorder->ControlText(IDC_STATUS); }
    HWND Conversation() const { return m_conversation; }

    // A call with `contact`; its tone starts `toneAfterMs` after the window
    // (kNoTone: a text chat). `window` adds options of the window.
    bool Call(const std::string& contact, DWORD toneAfterMs, const std::string& window = "") {
        HangUp();
        const RECT& at = e2e::kCallWindow;
        std::string command = "\"" + e2e::FixtureFolder() + "\\msnmsgr.exe\" \"--window=class=IMWindowClass;title=" +
                              Title(contact) + ";at=" + std::to_string(at.left) + "," + std::to_string(at.top) +
                              "," + std::to_string(at.right - at.left) + "," +
                              std::to_string(at.bottom - at.top) + window + "\" \"--log=" + Log() + "\"";
        if (toneAfterMs != kNoTone)
            command += " --tone=" + std::to_string(e2e::kFarEndHz) +
                       " \"--device=Quorvanta VAudio\" --tone-after=" + std::to_string(toneAfterMs);
        ::DeleteFileA(Log().c_str());
        m_messenger = e2e::ChildProcess::Start(command, e2e::FixtureFolder());
        m_conversation = e2e::WaitForWindow(Title(contact).c_str(), 15000, m_messenger.Id());
        return m_conversation != nullptr;
    }
    // Closes the conversation window, which ends the stand-in; the time it
    // was closed on the multimedia clock.
    DWORD HangUp() {
        const DWORD at = ::timeGetTime();
        if (m_conversation) ::PostMessageA(m_conversation, WM_CLOSE, 0, 0);
        m_conversation = nullptr;
        m_messenger.WaitForExit(5000);
        m_messenger.Kill();
        return at;
    }
    // When the stand-in noted `what` ("tone", "moved"), or 0.
    DWORD Noted(const std::string& what) const {
        for (const std::string& line : e2e::ReadLines(Log()))
            if (line.rfind(what + " ", 0) == 0) return std::stoul(line.substr(what.size() + 1));
        return 0;
    }

    std::vector<std::string> Recordings() const {
        std::vector<std::string> names = FilesIn(m_folder, "*.avi");
        std::sort(names.begin(), names.end());
        return names;
    }
    std::string PathOf(const std::string& name) const { return m_folder + "\\" + name; }
    // Waits for recording number `count` to appear; when it did, or 0.
    DWORD WaitForRecording(size_t count, DWORD ms) const {
        return e2e::WaitUntil([&] { return Recordings().size() >= count; }, ms) ? ::timeGetTime() : 0;
    }
    // Waits until the recorder has closed the file; when it had, or 0.
    DWORD WaitUntilClosed(const std::string& name, DWORD ms) const {
        const std::string path = PathOf(name);
        const bool closed = e2e::WaitUntil(
            [&] {
                // Nobody else may have it open: the recorder has let it go.
                HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
                if (file == INVALID_HANDLE_VALUE) return false;
                ::CloseHandle(file);
                return true;
            },
            ms);
        return closed ? ::timeGetTime() : 0;
    }

private:
    std::string Log() const { return m_folder + "\\messenger.log"; }

    std::string m_folder;
    std::unique_ptr<e2e::RecorderSession> m_recorder;
    e2e::ChildProcess m_messenger;
    HWND m_conversation = nullptr;
};

constexpr const char* kAutoRecordOn = "[AutoRecord]\r\nEnabled=1\r\n";

TEST(AutoRecord, RecordsACallFromItsFarEndsSoundUntilTheWindowCloses) {
    CallsScene scene(kAutoRecordOn);
    ASSERT_NE(scene.Recorder().Main(), nullptr);
    EXPECT_TRUE(e2e::WaitUntil([&] { return scene.Status() == "Waiting for a call"; }, 10000))
        << scene.Status();

    // The window first, the far end's voice 1.5 s later.
    ASSERT_TRUE(scene.Call(kAlice, 1500));
    const DWORD started = scene.WaitForRecording(1, 15000);
    ASSERT_NE(started, 0u) << "no recording started";
    const DWORD tone = scene.Noted("tone");
    ASSERT_NE(tone, 0u);
    const long startLatency = static_cast<long>(started - tone);
    std::printf("far end's first sound to the recording's file: %ld ms\n", startLatency);
    EXPECT_LE(startLatency, 3000);
    EXPECT_GE(startLatency, 1500) << "the recording started before 2 s of the far end's sound";

    // As Record call records: minimised, the stop window beside the call.
    EXPECT_TRUE(e2e::WaitUntil([&] { return ::IsIconic(scene.Recorder().Main()) && scene.Recorder().StopWindow(); },
                               5000));
    EXPECT_EQ(scene.Status(), "Recording");
    ::Sleep(8000);

    const DWORD closed = scene.HangUp();
    const std::vector<std::string> files = scene.Recordings();
    ASSERT_EQ(files.size(), 1u);
    const DWORD ended = scene.WaitUntilClosed(files[0], 10000);
    ASSERT_NE(ended, 0u) << "the recording did not end with the call";
    std::printf("window closed to the file closed: %ld ms\n", static_cast<long>(ended - closed));
    EXPECT_LE(static_cast<long>(ended - closed), 3000);
    ASSERT_TRUE(e2e::WaitUntil([&] { return scene.Recorder().ListRows().size() == 1; }, 5000));
    EXPECT_EQ(scene.Recorder().ListRows()[0].fileName, files[0]);
    EXPECT_TRUE(e2e::WaitUntil([&] { return scene.Status() == "Waiting for a call"; }, 5000)) << scene.Status();

    // The conversation's pictures, the far end's tone on the left channel.
    // Wine's wave input may leave the first second silent, and the last one
    // follows the hang-up; a busy machine leaves a splice or a short gap here
    // and there, which costs a 100 ms window its tone.
    const std::string path = scene.PathOf(files[0]);
    EXPECT_EQ(Probe(path, "v", "stream=codec_tag_string,width,height"), "MP43,480,360");
    const std::vector<int16_t> audio = DecodeAudio(path);
    const size_t frames = audio.size() / 2;
    ASSERT_GT(frames, 48000u * 6) << "the recording is too short";
    const int16_t* settled = audio.data() + 48000 * 2;
    const size_t settledFrames = frames - 48000 * 2;
    EXPECT_GE(tone::WindowsWithTone(settled, settledFrames, 0, e2e::kFarEndHz, 4800, 0.5), 0.6) << "left";
    EXPECT_LT(tone::MaxWindowShare(settled, settledFrames, 1, e2e::kFarEndHz, 4800), 0.05) << "right";
}

TEST(AutoRecord, NeitherAChatWithoutSoundNorAContactNotChosenIsRecorded) {
    CallsScene scene(std::string(kAutoRecordOn) + "Contacts=someone@else; BOB@example.com\r\n");
    ASSERT_NE(scene.Recorder().Main(), nullptr);
    EXPECT_TRUE(e2e::WaitUntil(
        [&] { return scene.Status() == "Waiting for a call with someone@else, BOB@example.com"; }, 10000))
        << scene.Status();

    ASSERT_TRUE(scene.Call(kAlice, 0));
    EXPECT_EQ(scene.WaitForRecording(1, 7000), 0u) << "a call with a contact not chosen was recorded";
    ASSERT_TRUE(scene.Call(kBob, kNoTone));
    EXPECT_EQ(scene.WaitForRecording(1, 7000), 0u) << "a chat without sound was recorded";

    // The chosen contact's call is recorded: the waiting above was real.
    ASSERT_TRUE(scene.Call(kBob, 0));
    EXPECT_NE(scene.WaitForRecording(1, 10000), 0u) << "the chosen contact's call was not recorded";
    scene.HangUp();
    EXPECT_TRUE(e2e::WaitUntil([&] { return scene.Recorder().ListRows().size() == 1; }, 5000));
}

TEST(AutoRecord, AStopByHandHoldsWhileTheWindowStays) {
    CallsScene scene(kAutoRecordOn);
    ASSERT_NE(scene.Recorder().Main(), nullptr);
    ASSERT_TRUE(scene.Call(kAlice, 0));
    ASSERT_NE(scene.WaitForRecording(1, 10000), 0u);
    ::Sleep(1500);
    ASSERT_TRUE(scene.Recorder().PressKey("F9", scene.Conversation()));
    ASSERT_TRUE(e2e::WaitUntil([&] { return scene.Recorder().ListRows().size() == 1; }, 10000))
        << "F9 did not stop the recording";

    // The far end goes on speaking; nothing starts again.
    EXPECT_EQ(scene.WaitForRecording(2, 8000), 0u) << "the hand stop was undone";
    EXPECT_EQ(scene.Status(), "Waiting for a call");

    // The next call is recorded again.
    ASSERT_TRUE(scene.Call(kAlice, 0));
    EXPECT_NE(scene.WaitForRecording(2, 10000), 0u) << "the next call was not recorded";
    scene.HangUp();
    EXPECT_TRUE(e2e::WaitUntil([&] { return scene.Recorder().ListRows().size() == 2; }, 10000));
}

TEST(AutoRecord, HearsTheFarEndItselfWhenTheAudioEngineDoesNotReport) {
    CallsScene scene(kAutoRecordOn);
    ASSERT_NE(scene.Recorder().Main(), nullptr);
    // The engine reports the far end's level; without it the program listens itself.
    CAudioRouter().TerminateProcessByName(callenv::kAudioEngineExe);
    ::Sleep(4000);
    EXPECT_EQ(scene.Status(), "Waiting for a call");
    ASSERT_TRUE(scene.Call(kAlice, 0));
    EXPECT_NE(scene.WaitForRecording(1, 15000), 0u) << "without the engine the call was not recorded";
    scene.HangUp();
    EXPECT_TRUE(e2e::WaitUntil([&] { return scene.Recorder().ListRows().size() == 1; }, 10000));
}

// The value of a key of config.ini as the program left it.
std::string ConfigValue(const e2e::RecorderSession& recorder, const char* section, const char* key) {
    char value[256] = {};
    ::GetPrivateProfileStringA(section, key, "", value, sizeof value, recorder.ConfigPath().c_str());
    return value;
}

// Chooses the last item of the main window's system menu from the keyboard.
bool ChooseLastSystemMenuItem(e2e::RecorderSession& recorder) {
    if (!ui::FocusForKeys(recorder.Main()) || !ui::Xdo("key alt+space")) return false;
    if (!e2e::WaitForWindowOfClass("#32768", 5000, recorder.Process().Id())) return false;
    return ui::Xdo("key Up Return") &&
           e2e::WaitUntil([] { return !e2e::WaitForWindowOfClass("#32768", 0); }, 5000);
}

TEST(AutoRecord, TheSystemMenuAndTheListsMenuTurnItOnAndOffAndConfigIniKeepsIt) {
    CallsScene scene("");
    e2e::RecorderSession& recorder = scene.Recorder();
    ASSERT_NE(recorder.Main(), nullptr);
    ASSERT_TRUE(ChooseLastSystemMenuItem(recorder)) << "the system menu did not open and close";
    EXPECT_TRUE(e2e::WaitUntil([&] { return ConfigValue(recorder, "AutoRecord", "Enabled") == "1"; }, 5000));
    EXPECT_EQ(scene.Status(), "Waiting for a call");

    // On, it records a call; then off again.
    ASSERT_TRUE(scene.Call(kAlice, 0));
    EXPECT_NE(scene.WaitForRecording(1, 10000), 0u) << "turned on, it did not record";
    scene.HangUp();
    ASSERT_TRUE(e2e::WaitUntil([&] { return recorder.ListRows().size() == 1; }, 10000));
    // The recordings list's menu carries the same item, last.
    const POINT row = recorder.RowCentre(0);
    ASSERT_TRUE(ui::Click(row.x, row.y, 3));
    HWND menu = e2e::WaitForPopupMenu(recorder.Process().Id(), 10000);
    ASSERT_NE(menu, nullptr) << "the list's menu did not open";
    const std::vector<e2e::MenuLine> lines = e2e::WaitForMenuLines(menu, 11);
    ASSERT_EQ(lines.size(), 11u);
    ASSERT_TRUE(ui::Click(lines.back().Centre().x, lines.back().Centre().y));
    EXPECT_TRUE(e2e::WaitUntil([&] { return ConfigValue(recorder, "AutoRecord", "Enabled") == "0"; }, 5000));
    EXPECT_EQ(scene.Status(), "Ready");
    ASSERT_TRUE(scene.Call(kAlice, 0));
    EXPECT_EQ(scene.WaitForRecording(2, 6000), 0u) << "turned off, it still recorded";
}

// Share of near-white pixels of an rgb24 picture in columns [x0, x1).
double WhiteShare(const std::vector<uint8_t>& rgb, int width, int x0, int x1, int y0, int y1) {
    int white = 0, all = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x, ++all) {
            const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
            white += p[0] > 230 && p[1] > 230 && p[2] > 230;
        }
    return all ? static_cast<double>(white) / all : 0;
}

TEST(FollowCallWindow, TheRecordedAreaMovesWithTheCallWindow) {
    CallsScene scene("");
    ASSERT_NE(scene.Recorder().Main(), nullptr);
    ASSERT_TRUE(scene.Call(kAlice, 0, ";move=-200,0@5000"));
    ASSERT_TRUE(scene.Recorder().ClickControl(IDC_RECORD_CALL));
    const DWORD started = scene.WaitForRecording(1, 10000);
    ASSERT_NE(started, 0u);
    ASSERT_TRUE(e2e::WaitUntil([&] { return scene.Noted("moved") != 0; }, 10000)) << "the window did not move";
    const DWORD moved = scene.Noted("moved");
    ::Sleep(1500);

    // The vacated place shows the desktop, which is not the window's white.
    const std::vector<COLORREF> vacated = ui::ScreenPixels(900, 300, 170, 200);
    const auto whiteOnScreen = std::count(vacated.begin(), vacated.end(), RGB(255, 255, 255));
    ASSERT_LT(whiteOnScreen, static_cast<long>(vacated.size() / 2)) << "the desktop is white: nothing to tell";
    // The frame's marks and the stop window went along.
    const RECT now{e2e::kCallWindow.left - 200, e2e::kCallWindow.top, e2e::kCallWindow.right - 200,
                   e2e::kCallWindow.bottom};
    const COLORREF mark = ui::ScreenPixel(now.left - 5, now.top - 5);
    EXPECT_TRUE(mark == RGB(255, 255, 180) || mark == RGB(255, 0, 80)) << ui::DescribePixel(mark);
    HWND stop = scene.Recorder().StopWindow();
    ASSERT_NE(stop, nullptr);
    RECT stopRect, overlap;
    ::GetWindowRect(stop, &stopRect);
    EXPECT_FALSE(::IntersectRect(&overlap, &stopRect, &now)) << "the stop window covers the moved call";
    ui::SaveScreenshot("call-window-followed");
    ::Sleep(1500);

    ASSERT_TRUE(scene.Recorder().PressKey("F9", scene.Conversation()));
    ASSERT_TRUE(e2e::WaitUntil([&] { return scene.Recorder().ListRows().size() == 1; }, 10000));
    const std::string path = scene.PathOf(scene.Recordings()[0]);
    ASSERT_NE(scene.WaitUntilClosed(scene.Recordings()[0], 10000), 0u);
    const auto pictures = DecodeFrames(path, 480, 360);
    const std::vector<long> positions = PacketPositions(path);
    ASSERT_EQ(pictures.size(), positions.size());
    // A second after the move the window's own picture fills the area again:
    // white with the moving box, to the right edge that the desktop took.
    const long after = static_cast<long>(moved - started) / 40 + 25;
    int checked = 0;
    for (size_t i = 0; i < pictures.size(); ++i) {
        if (positions[i] < after) continue;
        ++checked;
        EXPECT_GT(WhiteShare(pictures[i], 480, 300, 470, 70, 350), 0.9) << "picture " << i << " shows the desktop";
    }
    EXPECT_GE(checked, 25) << "too few pictures after the move";
}

}  // namespace
