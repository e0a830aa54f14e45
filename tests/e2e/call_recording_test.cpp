// Recording a video call as a user does: one click finds the conversation,
// the recording runs minimised with its frame and stop window, a hotkey or a
// button stops it, and the output list offers the file.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tools/clipforge/resource.h"
#include "tests/e2e/call_scene.h"
#include "tests/support/fixture_paths.h"
#include "tests/support/host_command.h"
#include "tests/support/media_probe.h"
#include "tests/support/tone.h"
#include "tests/support/ui_helpers.h"

namespace {

using e2e::CallScene;

const COLORREF kFrameGrabColour = RGB(255, 255, 180);
const COLORREF kFrameIdleColour = RGB(255, 0, 80);

std::string Hex(const std::string& text) {
    std::string hex;
    char byte[3];
    for (unsigned char c : text) {
        std::snprintf(byte, sizeof byte, "%02x", c);
        hex += byte;
    }
    return hex;
}

// Left edge of the stand-in's moving red box in an rgb24 picture, or -1.
// The search starts below the caption, whose icon has red in it too.
int RedBoxLeft(const std::vector<uint8_t>& rgb, int width, int height) {
    for (int x = 0; x < width; ++x)
        for (int y = 30; y < height; y += 2) {
            const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
            if (p[0] > 150 && p[1] < 100 && p[2] < 100) return x;
        }
    return -1;
}

// What the window side shows while a recording runs, sampled for a while.
struct RecordingSigns {
    std::set<std::string> elapsedTexts;
    std::set<std::string> icons;  // digests of the icon pictures shown
    bool frameGrabSeen = false, frameIdleSeen = false;
};

RecordingSigns WatchRecording(CallScene& scene, DWORD ms) {
    RecordingSigns signs;
    HWND main = scene.Recorder().Main();
    const POINT mark{e2e::kCallWindow.left - 5, e2e::kCallWindow.top - 5};
    const DWORD start = ::GetTickCount();
    for (int turn = 0; ::GetTickCount() - start < ms;) {
        signs.elapsedTexts.insert(scene.Recorder().ControlText(IDC_ELAPSED));
        // The window icon as the desktop sees it: Wine hands it to X.
        if (++turn % 20 == 0) {
            const hostcmd::Result icon = hostcmd::Run(
                "xprop -id " + std::to_string(ui::XWindowOf(main)) + " _NET_WM_ICON | md5sum", 5000);
            if (icon.finished && icon.exitCode == 0) signs.icons.insert(icon.output);
        }
        const COLORREF colour = ui::ScreenPixel(mark.x, mark.y);
        signs.frameGrabSeen = signs.frameGrabSeen || colour == kFrameGrabColour;
        signs.frameIdleSeen = signs.frameIdleSeen || colour == kFrameIdleColour;
        ::Sleep(20);
    }
    return signs;
}

class CallRecording : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(scene.Ready()) << "the call could not be set up"; }

    // Stops with the floating stop window's button.
    void StopWithStopWindow() {
        HWND stop = scene.StopWindow();
        ASSERT_NE(stop, nullptr);
        ASSERT_TRUE(ui::ClickWindow(::GetDlgItem(stop, IDC_FLOAT_STOP)));
    }

    CallScene scene;
};

TEST_F(CallRecording, RecordsTheConversationWithBothSidesOfTheCallUntilF9) {
    e2e::RecorderSession& recorder = scene.Recorder();
    ASSERT_TRUE(scene.StartCallRecording()) << "the recording did not start";
    HWND front = ::GetForegroundWindow();
    char frontClass[64] = {}, frontTitle[128] = {};
    ::GetClassNameA(front, frontClass, sizeof frontClass);
    ::GetWindowTextA(front, frontTitle, sizeof frontTitle);
    EXPECT_EQ(front, scene.Conversation())
        << "the conversation was not brought up; in front: " << frontClass << " \"" << frontTitle << "\"";

    // The companion got the contact of the conversation.
    const std::vector<std::string> handoffs = e2e::ReadLines(scene.CompanionLog());
    ASSERT_EQ(handoffs.size(), 1u);
    EXPECT_NE(handoffs[0].find("size=256 "), std::string::npos) << handoffs[0];
    EXPECT_NE(handoffs[0].find("bytes=" + Hex(e2e::kContact) + "00"), std::string::npos) << handoffs[0];

    // The floating stop window sits top-most beside the recorded rectangle.
    HWND stop = scene.StopWindow();
    RECT stopRect, overlap;
    ASSERT_TRUE(::GetWindowRect(stop, &stopRect));
    EXPECT_FALSE(::IntersectRect(&overlap, &stopRect, &e2e::kCallWindow)) << "the stop window covers the call";
    EXPECT_TRUE(::GetWindowLongA(stop, GWL_EXSTYLE) & WS_EX_TOPMOST);

    const RecordingSigns signs = WatchRecording(scene, 6000);
    EXPECT_GE(signs.elapsedTexts.size(), 4u) << "the elapsed time did not count";
    EXPECT_TRUE(signs.elapsedTexts.count("00:00:03"));
    EXPECT_GE(signs.icons.size(), 2u) << "the window icon did not blink";
    EXPECT_TRUE(signs.frameGrabSeen && signs.frameIdleSeen) << "the frame did not flash";
    ui::SaveScreenshot("call-recording");

    ASSERT_TRUE(recorder.PressKey("F9", scene.Conversation()));
    ASSERT_TRUE(scene.WaitForRows(1)) << "F9 did not stop the recording";
    EXPECT_FALSE(::IsIconic(recorder.Main())) << "the window stays minimised after the stop";
    EXPECT_EQ(scene.StopWindow(), nullptr) << "the stop window stays on screen";

    const std::vector<std::string> files = scene.Recordings();
    ASSERT_EQ(files.size(), 1u);
    const std::vector<e2e::RecorderSession::Row> rows = recorder.ListRows();
    EXPECT_EQ(rows[0].fileName, files[0]);
    EXPECT_TRUE(rows[0].duration >= "00:00:05" && rows[0].duration <= "00:00:09") << rows[0].duration;

    // The file: MP43 pictures of the conversation window and the call's sound.
    const std::string path = scene.Folder() + "\\" + files[0];
    EXPECT_EQ(Probe(path, "v", "stream=codec_tag_string,width,height,r_frame_rate"), "MP43,480,360,25/1");
    EXPECT_EQ(Probe(path, "a", "stream=codec_name,sample_rate,channels"), "pcm_s16le,48000,2");

    // Picture by picture the stand-in's box moves on as it did on the screen.
    const auto frames = DecodeFrames(path, 480, 360);
    ASSERT_GE(frames.size(), 100u);
    int previous = -1, moves = 0, backwards = 0;
    for (size_t f = 0; f < frames.size(); ++f) {
        const int left = RedBoxLeft(frames[f], 480, 360);
        ASSERT_GE(left, 0) << "picture " << f << " does not show the conversation";
        if (previous >= 0 && left != previous) {
            ++moves;
            if (left < previous && previous - left < 200) ++backwards;  // not a wrap-around
        }
        previous = left;
    }
    EXPECT_EQ(backwards, 0) << "pictures out of order";
    EXPECT_GE(moves, 20) << "the pictures do not follow the window's animation";

    // Far end left, microphone right, as long as the pictures.
    const std::vector<int16_t> audio = DecodeAudio(path);
    const size_t samples = audio.size() / 2;
    const std::vector<long> positions = PacketPositions(path);
    ASSERT_FALSE(positions.empty());
    const double audioSeconds = samples / 48000.0, videoSeconds = (positions.back() + 1) / 25.0;
    std::printf("%zu pictures in %.2f s of video, %.3f s of sound\n", frames.size(), videoSeconds,
                audioSeconds);
    EXPECT_NEAR(audioSeconds, videoSeconds, 0.08);
    // Wine's inputs deliver their first sound a second or two late: look at
    // the last two seconds but the very end, in 100 ms windows.
    ASSERT_GT(samples, 48000u * 3);
    const int16_t* tail = audio.data() + (samples - 120000) * 2;
    EXPECT_GE(tone::WindowsWithTone(tail, 96000, 0, e2e::kFarEndHz, 4800, 0.9), 0.9) << "left";
    EXPECT_GE(tone::WindowsWithTone(tail, 96000, 1, e2e::kMicrophoneHz, 4800, 0.9), 0.9) << "right";
    EXPECT_LT(tone::MaxWindowShare(tail, 96000, 0, e2e::kMicrophoneHz, 4800), 0.05) << "left";
    EXPECT_LT(tone::MaxWindowShare(tail, 96000, 1, e2e::kFarEndHz, 4800), 0.05) << "right";
}

// A stand-in player registered for .avi files (in the machine's classes: Wine
// does not look at the user's); it notes what it was asked to open in
// player.log beside itself. The registration goes again at the end.
class StandInPlayer {
public:
    explicit StandInPlayer(const std::string& folder) : m_log(folder + "\\player.log") {
        const std::string player = folder + "\\player.exe";
        ::CopyFileA((e2e::FixtureFolder() + "\\start_logger.exe").c_str(), player.c_str(), FALSE);
        char previous[256] = {};
        LONG size = sizeof previous;
        if (::RegQueryValueA(HKEY_LOCAL_MACHINE, (std::string(kClasses) + ".avi").c_str(), previous,
                             &size) == ERROR_SUCCESS)
            m_previousAvi = previous;
        SetDefault(".avi", kProgId);
        SetDefault(std::string(kProgId) + "\\shell\\open\\command", "\"" + player + "\" \"%1\"");
    }
    ~StandInPlayer() {
        ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, (std::string(kClasses) + kProgId).c_str());
        if (m_previousAvi)
            SetDefault(".avi", *m_previousAvi);
        else
            ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, (std::string(kClasses) + ".avi").c_str());
    }
    std::vector<std::string> Opened() const { return e2e::ReadLines(m_log); }

private:
    static constexpr const char* kClasses = "Software\\Classes\\";
    static constexpr const char* kProgId = "LumiskopTests.Player";

    static void SetDefault(const std::string& key, const std::string& value) {
        HKEY handle;
        if (::RegCreateKeyExA(HKEY_LOCAL_MACHINE, (kClasses + key).c_str(), 0, nullptr, 0, KEY_WRITE,
                              nullptr, &handle, nullptr) != ERROR_SUCCESS)
            return;
        ::RegSetValueExA(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                         static_cast<DWORD>(value.size() + 1));
        ::RegCloseKey(handle);
    }

    std::string m_log;
    std::optional<std::string> m_previousAvi;
};

TEST_F(CallRecording, EveryStopEndsTheRecordingAndTheListOpensEachFile) {
    e2e::RecorderSession& recorder = scene.Recorder();

    ASSERT_TRUE(scene.StartCallRecording());
    ::Sleep(2000);
    StopWithStopWindow();
    ASSERT_TRUE(scene.WaitForRows(1)) << "the stop window did not stop the recording";

    ASSERT_TRUE(scene.StartCallRecording());
    ::Sleep(2000);
    // The stop button is on the minimised main window: bring it back first.
    ::ShowWindow(recorder.Main(), SW_RESTORE);
    ASSERT_TRUE(e2e::WaitUntil([&] { return !::IsIconic(recorder.Main()); }, 5000));
    ASSERT_TRUE(recorder.ClickControl(IDC_RECORD_STOP));
    ASSERT_TRUE(scene.WaitForRows(2)) << "the stop button did not stop the recording";
    EXPECT_EQ(scene.StopWindow(), nullptr) << "the stop window stays on screen";
    ui::SaveScreenshot("main-window-after-two-recordings");

    ASSERT_TRUE(scene.StartCallRecording());
    ::Sleep(2000);
    ASSERT_TRUE(recorder.PressKey("F10", scene.Conversation()));
    ASSERT_TRUE(scene.WaitForRows(3)) << "F10 did not stop the recording";

    // Newest last, each row naming its own file, each file playable.
    const std::vector<std::string> files = scene.Recordings();
    const std::vector<e2e::RecorderSession::Row> rows = recorder.ListRows();
    ASSERT_EQ(files.size(), 3u);
    ASSERT_EQ(rows.size(), 3u);
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].fileName, files[i]);
        EXPECT_TRUE(rows[i].duration >= "00:00:01" && rows[i].duration <= "00:00:05") << rows[i].duration;
        const std::string path = scene.Folder() + "\\" + files[i];
        EXPECT_EQ(Probe(path, "v", "stream=codec_tag_string"), "MP43") << files[i];
        EXPECT_GE(std::stoi(Probe(path, "v", "stream=nb_read_packets")), 25) << files[i];
    }

    StandInPlayer player(scene.Folder());
    const POINT row = recorder.RowCentre(1);
    ASSERT_TRUE(ui::MoveMouse(row.x, row.y));
    ASSERT_TRUE(ui::Xdo("click --repeat 2 --delay 80 1"));
    ASSERT_TRUE(e2e::WaitUntil([&] { return !player.Opened().empty(); }, 15000))
        << "double-clicking a row opened nothing";
    const std::vector<std::string> opened = player.Opened();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_NE(opened[0].find(files[1]), std::string::npos) << opened[0];
}

}  // namespace

// The converter stand-in in the program folder as ClipForge.exe, so that every
// start can be counted; it notes each start in ClipForge.log there. The real
// converter waits beside it and comes back at the end. Wine refuses to replace
// the file of a program that is still running (the stand-in's last start may
// still be ending): each swap is tried until it succeeds, or the test fails
// here rather than leave the stand-in behind for every later test and build.
class StandInConverter {
public:
    StandInConverter()
        : m_exe(e2e::ProgramFolder() + "\\ClipForge.exe"), m_real(m_exe + ".real"),
          m_log(e2e::ProgramFolder() + "\\ClipForge.log") {
        ::DeleteFileA(m_log.c_str());
        // A run cut short left the stand-in in place: the real one first.
        if (::GetFileAttributesA(m_real.c_str()) != INVALID_FILE_ATTRIBUTES) PutBack();
        EXPECT_TRUE(Swap(m_exe, m_real)) << "the real converter could not be set aside";
        EXPECT_TRUE(::CopyFileA((e2e::FixtureFolder() + "\\start_logger.exe").c_str(), m_exe.c_str(), FALSE));
    }
    ~StandInConverter() {
        EXPECT_TRUE(PutBack()) << "the real converter could not be put back";
        ::DeleteFileA(m_log.c_str());
    }
    size_t Starts() const { return e2e::ReadLines(m_log).size(); }
    bool WaitForStarts(size_t starts) const {
        return e2e::WaitUntil([&] { return Starts() >= starts; }, 10000);
    }

private:
    static bool Swap(const std::string& from, const std::string& to) {
        return e2e::WaitUntil(
            [&] { return ::MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE; }, 30000);
    }
    bool PutBack() const { return Swap(m_real, m_exe); }

    std::string m_exe, m_real, m_log;
};

TEST_F(CallRecording, F8StartsTheConverterOnceUntilTheNextRecording) {
    StandInConverter converter;
    e2e::RecorderSession& recorder = scene.Recorder();

    ASSERT_TRUE(recorder.PressKey("F8"));
    ASSERT_TRUE(converter.WaitForStarts(1)) << "F8 did not start the converter";
    ASSERT_TRUE(recorder.PressKey("F8"));
    ::Sleep(1500);
    EXPECT_EQ(converter.Starts(), 1u) << "a second F8 started it again";
    // The button is not bound by that rule.
    ASSERT_TRUE(recorder.ClickControl(IDC_CONVERTER));
    ASSERT_TRUE(converter.WaitForStarts(2)) << "the converter button did not start the converter";

    ASSERT_TRUE(scene.StartCallRecording());
    ::Sleep(1000);
    ASSERT_TRUE(recorder.PressKey("F8", scene.Conversation()));
    ::Sleep(1500);
    EXPECT_EQ(converter.Starts(), 2u) << "F8 started the converter during a recording";
    ASSERT_TRUE(recorder.PressKey("F9", scene.Conversation()));
    ASSERT_TRUE(scene.WaitForRows(1));
    ASSERT_TRUE(recorder.PressKey("F8"));
    EXPECT_TRUE(converter.WaitForStarts(3)) << "F8 did not start the converter after the recording";
    EXPECT_EQ(converter.Starts(), 3u);
}

TEST_F(CallRecording, F8StartsClipForgeWhichListsTheRecordingJustMade) {
    e2e::RecorderSession& recorder = scene.Recorder();
    ASSERT_TRUE(scene.StartCallRecording());
    ::Sleep(2000);
    ASSERT_TRUE(recorder.PressKey("F9", scene.Conversation()));
    ASSERT_TRUE(scene.WaitForRows(1));
    const std::vector<std::string> files = scene.Recordings();
    ASSERT_EQ(files.size(), 1u);

    ASSERT_TRUE(recorder.PressKey("F8"));
    HWND converter = e2e::WaitForWindow("ClipForge", 30000);
    ASSERT_NE(converter, nullptr) << "F8 did not bring up ClipForge";
    DWORD id = 0;
    ::GetWindowThreadProcessId(converter, &id);
    HANDLE process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | SYNCHRONIZE,
                                   FALSE, id);
    ASSERT_NE(process, nullptr);
    HWND list = ::GetDlgItem(converter, IDC_CF_LIST);
    EXPECT_TRUE(e2e::WaitUntil([&] { return ::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == 1; }, 10000));
    EXPECT_EQ(e2e::ListItemText(list, process, 0, 1), files[0]);
    EXPECT_EQ(e2e::ListItemText(list, process, 0, 4), "-");
    ::PostMessageA(converter, WM_COMMAND, IDC_CF_CLOSE, 0);
    EXPECT_EQ(::WaitForSingleObject(process, 30000), WAIT_OBJECT_0) << "ClipForge did not close";
    ::CloseHandle(process);
}
