// ClipForge.exe under Wine: the command line on a recording made by the
// recording worker, and the window driven with real clicks.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <set>

#include "editing/EditFile.h"
#include "framework/Handle.h"
#include "tests/support/fixture_paths.h"
#include "tests/support/host_command.h"
#include "tests/support/media_probe.h"
#include "tests/support/process_helpers.h"
#include "tests/support/test_recording.h"
#include "tests/support/ui_helpers.h"
#include "tests/win32/colour_window.h"
#include "tests/win32/recording_harness.h"
#include "tools/clipforge/resource.h"

namespace {

std::string ClipForge() {
    return "\"" + e2e::ProgramFolder() + "\\ClipForge.exe\"";
}

bool Exists(const std::string& path) {
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

long long SizeOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    return (long long)data.nFileSizeHigh << 32 | data.nFileSizeLow;
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

DWORD RunClipForge(const std::string& arguments, const std::string& folder) {
    e2e::ChildProcess p = e2e::ChildProcess::Start(ClipForge() + " " + arguments, folder);
    DWORD code = 999;
    EXPECT_TRUE(p.WaitForExit(180000, &code)) << arguments;
    return code;
}

std::wstring Wide(const std::string& utf8) {
    std::wstring wide(utf8.size(), L'\0');
    wide.resize(size_t(::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), wide.data(), int(wide.size()))));
    return wide;
}

std::string Utf8(const std::wstring& wide) {
    std::string utf8(wide.size() * 3, '\0');
    utf8.resize(size_t(::WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), utf8.data(),
                                             int(utf8.size()), nullptr, nullptr)));
    return utf8;
}

// A name of no single code page: Cyrillic and Chinese.
const std::wstring kWideName = L"\u0417\u0432\u043e\u043d\u043e\u043a \u901a\u8bdd";

struct Outcome {
    DWORD code = 999;
    std::string console;  // what it wrote to its standard error
};

// ClipForge.exe with a UTF-16 command line, its standard error read through a pipe.
Outcome RunClipForgeWide(const std::wstring& arguments) {
    Outcome outcome;
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!::CreatePipe(&readEnd, &writeEnd, &inheritable, 0)) return outcome;
    fw::KernelHandle reader(readEnd), writer(writeEnd);
    ::SetHandleInformation(reader, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdError = startup.hStdOutput = writer;
    std::wstring line = Wide(ClipForge()) + L" " + arguments;
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info))
        return outcome;
    fw::KernelHandle process(info.hProcess), thread(info.hThread);
    writer.Reset();
    // Read while it runs and once more after it ended; the pipe's end is not
    // waited for (under Wine it did not always come).
    const DWORD began = ::GetTickCount();
    for (bool ended = false; !ended;) {
        ended = ::WaitForSingleObject(process, 20) == WAIT_OBJECT_0;
        char chunk[4096];
        DWORD waiting = 0, got = 0;
        while (::PeekNamedPipe(reader, nullptr, 0, nullptr, &waiting, nullptr) && waiting > 0 &&
               ::ReadFile(reader, chunk, std::min<DWORD>(waiting, sizeof chunk), &got, nullptr) && got > 0)
            outcome.console.append(chunk, got);
        if (!ended && ::GetTickCount() - began > 180000) {
            ADD_FAILURE() << "ClipForge did not end";
            ::TerminateProcess(process, 999);
            return outcome;
        }
    }
    ::GetExitCodeProcess(process, &outcome.code);
    return outcome;
}

std::wstring Quoted(const std::string& path) {
    return L"\"" + Wide(path) + L"\"";
}

std::vector<std::string> SortedFilesIn(const std::string& folder) {
    std::vector<std::string> names = FilesIn(folder, "*");
    std::sort(names.begin(), names.end());
    return names;
}

// The user's temp folder, where a log goes that cannot go beside its MP4.
std::string TempFile(const std::string& name) {
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    return temp + name;
}

// A tmpfs mounted by the host on a scratch folder (the rig runs as root);
// where the host will not mount one, Mounted() says so.
class HostTmpfs {
public:
    explicit HostTmpfs(const std::string& options) : m_folder(e2e::MakeScratchFolder("clipforge-disk")) {
        const hostcmd::Result r = hostcmd::Run("mount -t tmpfs -o " + options + " tmpfs " + HostFolder());
        m_mounted = r.finished && r.exitCode == 0;
        m_why = r.output;
    }
    ~HostTmpfs() {
        if (m_mounted) hostcmd::Run("umount " + HostFolder());
        e2e::RemoveScratchFolder(m_folder);
    }
    HostTmpfs(const HostTmpfs&) = delete;
    HostTmpfs& operator=(const HostTmpfs&) = delete;

    bool Mounted() const { return m_mounted; }
    const std::string& Why() const { return m_why; }
    const std::string& Folder() const { return m_folder; }
    std::string HostFolder() const { return hostcmd::ShellQuote(hostcmd::HostPath(m_folder)); }

private:
    std::string m_folder;
    bool m_mounted = false;
    std::string m_why;
};

TEST(ClipForgeCommand, ConvertsARecordingOfTheScreenAndNeverOverwritesUnasked) {
    ColourWindow window({100, 100, 420, 340}, {RGB(200, 30, 30), RGB(30, 30, 200)}, 400);
    RecordingHarness harness;
    ASSERT_TRUE(harness.Record({100, 100, 419, 339}, "call.avi", 3.0));
    const std::string avi = harness.Folder() + "\\call.avi", mp4 = harness.Folder() + "\\call.mp4";
    const long long aviBytes = SizeOf(avi);

    ASSERT_EQ(RunClipForge("--convert \"" + avi + "\"", harness.Folder()), 0u) << ReadAll(mp4 + ".log");
    EXPECT_EQ(Probe(mp4, "v", "stream=codec_name,width,height"), "h264,320,240");
    EXPECT_EQ(Probe(mp4, "a", "stream=codec_name,sample_rate,channels"), "aac,48000,2");
    const double aviSeconds = std::atof(Probe(avi, "v", "format=duration").c_str());
    EXPECT_NEAR(std::atof(Probe(mp4, "v", "format=duration").c_str()), aviSeconds, 0.05);
    EXPECT_FALSE(Exists(mp4 + ".log"));

    // Without --force the MP4 stays and the log says why; with it, it is replaced.
    const long long mp4Bytes = SizeOf(mp4);
    EXPECT_EQ(RunClipForge("--convert \"" + avi + "\" \"" + mp4 + "\"", harness.Folder()), 1u);
    EXPECT_EQ(SizeOf(mp4), mp4Bytes);
    EXPECT_NE(ReadAll(mp4 + ".log").find("--force"), std::string::npos);
    EXPECT_EQ(RunClipForge("--convert \"" + avi + "\" \"" + mp4 + "\" --force", harness.Folder()), 0u);
    EXPECT_FALSE(Exists(mp4 + ".log"));
    EXPECT_EQ(SizeOf(avi), aviBytes);
    EXPECT_EQ(FilesIn(harness.Folder(), "*.part"), std::vector<std::string>{});
}

TEST(ClipForgeCommand, ConvertsARecordingNamedOutsideTheCodePage) {
    const std::string folder = e2e::MakeScratchFolder("clipforge-wide");
    testrec::Plan plan;
    plan.positions = 25;
    ASSERT_TRUE(testrec::WriteRecording(folder + "\\plain.avi", plan));
    const std::wstring avi = Wide(folder) + L"\\" + kWideName + L".avi", mp4 = Wide(folder) + L"\\" + kWideName + L".mp4";
    ASSERT_TRUE(::MoveFileW(Wide(folder + "\\plain.avi").c_str(), avi.c_str()));

    const Outcome run = RunClipForgeWide(L"--convert \"" + avi + L"\"");
    EXPECT_EQ(run.code, 0u) << run.console;
    ASSERT_NE(::GetFileAttributesW(mp4.c_str()), INVALID_FILE_ATTRIBUTES) << "no MP4 of that name";
    ASSERT_TRUE(::CopyFileW(mp4.c_str(), Wide(folder + "\\copy.mp4").c_str(), FALSE));
    EXPECT_EQ(Probe(folder + "\\copy.mp4", "v", "stream=codec_name,width,height"), "h264,320,240");

    // Its log, too, goes under its own name.
    EXPECT_EQ(RunClipForgeWide(L"--convert \"" + avi + L"\"").code, 1u);
    std::ifstream log(std::filesystem::path(mp4 + L".log"), std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(log)), {});
    EXPECT_NE(text.find("Add --force"), std::string::npos) << "no log of that name";
    EXPECT_NE(text.find(Utf8(kWideName) + ".avi"), std::string::npos) << text;
    e2e::RemoveScratchFolder(folder);
}

// Whatever stops the MP4 from being written beside the recording, the reason
// reaches the user: in the log beside it where that can be written, else in
// the temp folder and on the console.
TEST(ClipForgeCommand, UnwritableOutputFolderLeavesTheReasonInTheTempFolderAndOnTheConsole) {
    const std::string folder = e2e::MakeScratchFolder("clipforge-unwritable");
    testrec::Plan plan;
    plan.positions = 25;
    ASSERT_TRUE(testrec::WriteRecording(folder + "\\call.avi", plan));
    std::ofstream(folder + "\\notes.txt") << "a file";
    HostTmpfs readOnly("ro,size=16m");
    std::vector<std::pair<std::string, std::string>> cases = {
        {folder + "\\missing", "The folder " + folder + "\\missing does not exist."},
        {folder + "\\notes.txt", folder + "\\notes.txt is a file, not a folder."},
    };
    if (readOnly.Mounted())
        cases.push_back({readOnly.Folder(), "The MP4 cannot be created in " + readOnly.Folder()});
    else
        std::printf("no read-only folder: the host could not mount one (%s)\n", readOnly.Why().c_str());

    const std::string log = TempFile("call.mp4.log");
    for (const auto& [output, reason] : cases) {
        ::DeleteFileA(log.c_str());
        const Outcome run = RunClipForgeWide(L"--convert " + Quoted(folder + "\\call.avi") + L" " +
                                             Quoted(output + "\\call.mp4"));
        EXPECT_EQ(run.code, 1u) << output;
        EXPECT_NE(run.console.find(reason), std::string::npos) << run.console;
        EXPECT_NE(run.console.find("The log is in " + log), std::string::npos) << run.console;
        EXPECT_NE(ReadAll(log).find(reason), std::string::npos) << output;
    }
    ::DeleteFileA(log.c_str());
    EXPECT_EQ(SortedFilesIn(folder), (std::vector<std::string>{"call.avi", "notes.txt"}));
    e2e::RemoveScratchFolder(folder);
}

// A disk full before the conversion starts, and one that fills up on the
// way: no part file stays, and the log says the disk is full.
TEST(ClipForgeCommand, FullDiskLeavesNoPartFileAndIsToldAsSuch) {
    HostTmpfs disk("size=256k");
    if (!disk.Mounted()) GTEST_SKIP() << "the host could not mount a small disk: " << disk.Why();
    const std::string folder = e2e::MakeScratchFolder("clipforge-full");
    testrec::Plan plan;
    plan.positions = 50;
    plan.busy = true;  // noise: its MP4 takes megabytes
    ASSERT_TRUE(testrec::WriteRecording(folder + "\\call.avi", plan));
    const std::string mp4 = disk.Folder() + "\\call.mp4";
    const std::wstring arguments = L"--convert " + Quoted(folder + "\\call.avi") + L" " + Quoted(mp4);

    // It fills up on the way; the part file's room is given back, so the log fits beside.
    Outcome run = RunClipForgeWide(arguments);
    EXPECT_EQ(run.code, 1u);
    EXPECT_EQ(SortedFilesIn(disk.Folder()), std::vector<std::string>{"call.mp4.log"});
    EXPECT_NE(ReadAll(mp4 + ".log").find("The disk is full"), std::string::npos) << ReadAll(mp4 + ".log");

    // Full from the start: neither the part file nor the log beside it stays.
    ::DeleteFileA((mp4 + ".log").c_str());
    hostcmd::Run("dd if=/dev/zero of=" + disk.HostFolder() + "/filler bs=4k");
    const std::string log = TempFile("call.mp4.log");
    ::DeleteFileA(log.c_str());
    run = RunClipForgeWide(arguments);
    EXPECT_EQ(run.code, 1u);
    EXPECT_EQ(SortedFilesIn(disk.Folder()), std::vector<std::string>{"filler"});
    EXPECT_NE(run.console.find("The disk is full"), std::string::npos) << run.console;
    EXPECT_NE(ReadAll(log).find("The disk is full"), std::string::npos);
    ::DeleteFileA(log.c_str());
    e2e::RemoveScratchFolder(folder);
}

// ClipForge over a folder of its own: config.ini beside it names the folder
// (the recorder's file, put back afterwards).
class ClipForgeWindow : public ::testing::Test {
protected:
    void SetUp() override {
        m_config = e2e::ProgramFolder() + "\\config.ini";
        m_savedConfig = ReadAll(m_config);
        m_hadConfig = Exists(m_config);
        folder = e2e::MakeScratchFolder("clipforge");
        Configure("");
    }
    // config.ini naming the folder, with `more` after it.
    void Configure(const std::string& more) {
        std::ofstream(m_config, std::ios::binary) << "[General]\r\nFilePath=" << folder << "\r\n" << more;
    }
    void TearDown() override {
        if (window) ::PostMessageA(window, WM_COMMAND, IDC_CF_CLOSE, 0);
        if (process.Started()) {
            EXPECT_TRUE(process.WaitForExit(30000)) << "ClipForge did not close";
        }
        if (m_hadConfig) {
            std::ofstream(m_config, std::ios::binary) << m_savedConfig;
        } else {
            ::DeleteFileA(m_config.c_str());
        }
        e2e::RemoveScratchFolder(folder);
    }

    void Make(const std::string& name, int seconds, int width, int height, int age) {
        testrec::Plan plan;
        plan.width = width;
        plan.height = height;
        plan.positions = seconds * 25;
        plan.busy = true;
        ASSERT_TRUE(testrec::WriteRecording(folder + "\\" + name, plan));
        // Older files first in time, whatever order they were made in.
        HANDLE file = ::CreateFileA((folder + "\\" + name).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
        FILETIME now;
        ::GetSystemTimeAsFileTime(&now);
        ULARGE_INTEGER t{{now.dwLowDateTime, now.dwHighDateTime}};
        t.QuadPart -= ULONGLONG(age) * 600'000'000ULL;  // minutes
        FILETIME when{t.LowPart, t.HighPart};
        ::SetFileTime(file, nullptr, nullptr, &when);
        ::CloseHandle(file);
    }

    void Start() {
        process = e2e::ChildProcess::Start(ClipForge(), e2e::ProgramFolder());
        window = e2e::WaitForWindow("ClipForge", 30000, process.Id());
        ASSERT_NE(window, nullptr) << "no ClipForge window";
    }

    HWND Item(int id) const { return ::GetDlgItem(window, id); }
    int Progress() const { return int(::SendMessageA(Item(IDC_CF_PROGRESS), PBM_GETPOS, 0, 0)); }
    bool Idle() const { return ::IsWindowEnabled(Item(IDC_CF_CONVERT)) != FALSE; }
    std::vector<std::vector<std::string>> Rows() const {
        std::vector<std::vector<std::string>> rows;
        HANDLE p = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, process.Id());
        const int count = int(::SendMessageA(Item(IDC_CF_LIST), LVM_GETITEMCOUNT, 0, 0));
        for (int row = 0; p && row < count; ++row) {
            rows.emplace_back();
            for (int column = 1; column <= 4; ++column)
                rows.back().push_back(e2e::ListItemText(Item(IDC_CF_LIST), p, row, column));
        }
        if (p) ::CloseHandle(p);
        return rows;
    }

    std::string folder;
    e2e::ChildProcess process;
    HWND window = nullptr;

private:
    std::string m_config, m_savedConfig;
    bool m_hadConfig = false;
};

TEST_F(ClipForgeWindow, ListsNewestFirstAndConvertsTheCheckedOnesWithAMovingProgressBar) {
    Make("older.avi", 6, 640, 480, 30);
    Make("done.avi", 1, 320, 240, 60);
    Make("newer.avi", 6, 640, 480, 10);
    std::ofstream(folder + "\\done.mp4") << "converted before";
    // What a killed conversion left, and a file of the same kind that is not ours.
    std::ofstream(folder + "\\newer.mp4.part") << "half an MP4";
    std::ofstream(folder + "\\notes.mp4.part") << "someone else's";
    Start();
    EXPECT_FALSE(Exists(folder + "\\newer.mp4.part")) << "the stale part stayed";
    EXPECT_TRUE(Exists(folder + "\\notes.mp4.part"));

    const std::vector<std::vector<std::string>> rows = Rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"newer.avi", "00:00:06", rows[0][2], "-"}));
    EXPECT_EQ(rows[1][0], "older.avi");
    EXPECT_EQ(rows[2], (std::vector<std::string>{"done.avi", "00:00:01", rows[2][2], "yes"}));

    ASSERT_TRUE(ui::ClickWindow(Item(IDC_CF_CONVERT)));
    std::set<int> seen;
    bool shot = false;
    ASSERT_TRUE(e2e::WaitUntil([&] {
        const int at = Progress();
        seen.insert(at);
        if (!shot && at > 20 && at < 80) shot = !ui::SaveScreenshot("clipforge-converting").empty();
        return Exists(folder + "\\older.mp4") && Exists(folder + "\\newer.mp4") && Idle();
    }, 240000)) << "the two conversions did not finish";
    int moving = 0;
    for (int at : seen) moving += at > 0 && at < 100;
    EXPECT_GE(moving, 3) << "the progress bar hardly moved";
    EXPECT_EQ(Progress(), 100);
    for (const char* name : {"older", "newer"})
        EXPECT_EQ(Probe(folder + "\\" + name + ".mp4", "v", "stream=codec_name,width,height"), "h264,640,480");
    EXPECT_EQ(ReadAll(folder + "\\done.mp4"), "converted before");
    EXPECT_EQ(Rows()[0][3], "yes") << "the list did not show the new MP4";

    // A second start brings this window back instead of opening another.
    ::ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(e2e::WaitUntil([&] { return ::IsIconic(window) != FALSE; }, 5000));
    EXPECT_EQ(RunClipForge("", e2e::ProgramFolder()), 0u);
    EXPECT_TRUE(e2e::WaitUntil([&] { return !::IsIconic(window); }, 10000)) << "the first window stayed down";
    EXPECT_EQ(e2e::CountWindows("ClipForge"), 1);
}

TEST_F(ClipForgeWindow, CancelMidwayLeavesNoMp4AndTheRecordingAsItWas) {
    Make("long.avi", 20, 640, 480, 5);
    const long long bytes = SizeOf(folder + "\\long.avi");
    Start();
    ASSERT_TRUE(ui::ClickWindow(Item(IDC_CF_CONVERT)));
    ASSERT_TRUE(e2e::WaitUntil([&] { return Progress() > 5; }, 120000)) << "the conversion did not start";
    ASSERT_TRUE(ui::ClickWindow(Item(IDC_CF_CANCEL)));
    ASSERT_TRUE(e2e::WaitUntil([&] { return Idle(); }, 60000)) << "Cancel did not end the conversion";
    EXPECT_EQ(FilesIn(folder, "*.mp4*"), std::vector<std::string>{});
    EXPECT_EQ(SizeOf(folder + "\\long.avi"), bytes);
    EXPECT_EQ(Rows()[0][3], "-");
}

TEST_F(ClipForgeWindow, WindowConvertConvertsThatRecordingInItsFolderAndARunningWindowTakesTheNext) {
    // Recordings outside the configured folder, as after a recording that
    // had to go elsewhere.
    const std::string elsewhere = folder + "\\elsewhere";
    ASSERT_TRUE(::CreateDirectoryA(elsewhere.c_str(), nullptr));
    Make("elsewhere\\one.avi", 2, 320, 240, 20);
    Make("elsewhere\\two.avi", 2, 320, 240, 10);
    Make("elsewhere\\other.avi", 1, 320, 240, 30);
    process = e2e::ChildProcess::Start(ClipForge() + " --window-convert \"" + elsewhere + "\\one.avi\"",
                                       e2e::ProgramFolder());
    window = e2e::WaitForWindow("ClipForge", 30000, process.Id());
    ASSERT_NE(window, nullptr) << "no ClipForge window";
    ASSERT_TRUE(e2e::WaitUntil([&] { return Exists(elsewhere + "\\one.mp4") && Idle(); }, 120000))
        << "the recording was not converted";
    EXPECT_EQ(Rows().size(), 3u) << "the window does not list the recording's folder";
    EXPECT_FALSE(Exists(elsewhere + "\\two.mp4"));
    EXPECT_FALSE(Exists(elsewhere + "\\other.mp4")) << "more than the one recording was converted";

    // A second start hands its recording to this window and ends.
    EXPECT_EQ(RunClipForge("--window-convert \"" + elsewhere + "\\two.avi\"", e2e::ProgramFolder()), 0u);
    EXPECT_TRUE(e2e::WaitUntil([&] { return Exists(elsewhere + "\\two.mp4") && Idle(); }, 120000))
        << "the running window did not convert the handed recording";
    EXPECT_FALSE(Exists(elsewhere + "\\other.mp4"));
    EXPECT_EQ(e2e::CountWindows("ClipForge"), 1);
    EXPECT_EQ(Probe(elsewhere + "\\two.mp4", "v", "stream=codec_name,width,height"), "h264,320,240");
    // Asked for wrongly, it converts nothing and says so in its exit code.
    EXPECT_EQ(RunClipForge("--window-convert", e2e::ProgramFolder()), 2u);
}

TEST_F(ClipForgeWindow, ListsAndConvertsARecordingNamedOutsideTheCodePage) {
    Make("plain.avi", 1, 320, 240, 5);
    const std::wstring avi = Wide(folder) + L"\\" + kWideName + L".avi", mp4 = Wide(folder) + L"\\" + kWideName + L".mp4";
    ASSERT_TRUE(::MoveFileW(Wide(folder + "\\plain.avi").c_str(), avi.c_str()));
    Start();
    ASSERT_EQ(Rows().size(), 1u);
    EXPECT_EQ(Rows()[0][0], Utf8(kWideName) + ".avi");
    EXPECT_EQ(Rows()[0][1], "00:00:01");

    ASSERT_TRUE(ui::ClickWindow(Item(IDC_CF_CONVERT)));
    ASSERT_TRUE(e2e::WaitUntil([&] { return ::GetFileAttributesW(mp4.c_str()) != INVALID_FILE_ATTRIBUTES && Idle(); },
                               120000)) << "the conversion did not finish";
    EXPECT_EQ(Rows()[0][3], "yes");
}

// Mean luma of an 8 x 8 block of a decoded rgb24 picture.
double Luma(const std::vector<uint8_t>& rgb, int width, int x, int y) {
    double sum = 0;
    for (int dy = 0; dy < 8; ++dy)
        for (int dx = 0; dx < 8; ++dx) {
            const uint8_t* p = &rgb[(size_t(y + dy) * width + x + dx) * 3];
            sum += 16 + (65.481 * p[0] + 128.553 * p[1] + 24.966 * p[2]) / 255;
        }
    return sum / 64;
}

double Rms(const std::vector<int16_t>& samples) {
    double sum = 0;
    for (int16_t s : samples) sum += double(s) * s;
    return samples.empty() ? 0 : std::sqrt(sum / double(samples.size()));
}

// The recorder's edit file and its [Convert] choice reach the MP4; --no-edits
// leaves the edit file out, and the window tells an edited recording's length.
TEST_F(ClipForgeWindow, AppliesTheEditFileAndTheChosenSizeAndListsTheTrimmedLength) {
    Configure("[Convert]\r\nWidth=640\r\nHeight=360\r\nVideoKbps=0\r\nAudioKbps=128\r\n");
    testrec::Plan plan;
    plan.swapEverySecond = true;  // 3 s: red left and blue right, swapped in the second second
    const std::string avi = folder + "\\call.avi";
    ASSERT_TRUE(testrec::WriteRecording(avi, plan));
    Make("plain.avi", 1, 320, 240, 5);
    editfile::RecordingEdits edits;
    edits.trimStartMs = 1000, edits.trimEndMs = 2000;
    edits.cropRight = 160, edits.cropBottom = 240;  // the left half
    edits.brightness = 40;
    edits.volume = 50;
    std::ofstream(editfile::PathFor(avi), std::ios::binary) << editfile::Format(edits);

    const std::string edited = folder + "\\edited.mp4", full = folder + "\\full.mp4";
    Outcome run = RunClipForgeWide(L"--convert " + Quoted(avi) + L" " + Quoted(edited));
    ASSERT_EQ(run.code, 0u) << run.console << ReadAll(edited + ".log");
    EXPECT_NE(run.console.find("Edits: trim 00:00:01.000-00:00:02.000, crop 160x240+0+0, letterbox 640x360, "
                               "brightness +40, volume 50%."), std::string::npos) << run.console;
    run = RunClipForgeWide(L"--convert " + Quoted(avi) + L" " + Quoted(full) + L" --no-edits");
    ASSERT_EQ(run.code, 0u) << run.console;
    EXPECT_NE(run.console.find("Edits: letterbox 640x360 (the edit file is ignored: --no-edits)."), std::string::npos)
        << run.console;

    // One second, from the first picture of the second second to its last.
    EXPECT_EQ(Probe(edited, "v", "stream=width,height"), "640,360");
    EXPECT_NEAR(std::atof(Probe(edited, "v", "format=duration").c_str()), 1.0, 0.04);
    EXPECT_NEAR(std::atof(Probe(full, "v", "format=duration").c_str()), 3.0, 0.04);
    const std::vector<std::vector<uint8_t>> pictures = DecodeFrames(edited, 640, 360);
    ASSERT_EQ(pictures.size(), 25u);
    for (const auto* picture : {&pictures.front(), &pictures.back()}) {
        // The left half, blue then (luma 41), brightened by 40 and
        // letterboxed into 240 x 360 between black bars.
        EXPECT_NEAR(Luma(*picture, 640, 316, 176), 81, 8);
        EXPECT_NEAR(Luma(*picture, 640, 100, 176), 16, 6);
        EXPECT_NEAR(Luma(*picture, 640, 540, 176), 16, 6);
    }
    // The same tones at half the level.
    const double ratio = Rms(DecodeAudio(edited)) / Rms(DecodeAudio(full));
    EXPECT_NEAR(ratio, 0.5, 0.04);

    Start();
    const std::vector<std::vector<std::string>> rows = Rows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][0] + " " + rows[0][1], "call.avi 00:00:01 of 00:00:03");
    EXPECT_EQ(rows[1][0] + " " + rows[1][1], "plain.avi 00:00:01");
}

}  // namespace

