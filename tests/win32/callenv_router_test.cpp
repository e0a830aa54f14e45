// The audio router on the rig: the engine process, ending processes by name,
// the virtual capture device among PulseAudio's devices, and the default
// device settings in the Wine prefix's own registry.
#include <gtest/gtest.h>

#include <windows.h>
#include <mmsystem.h>

#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <tuple>

#include "callenv/AudioRouter.h"
#include "callenv/ProcessSnapshot.h"
#include "tests/support/fixture_paths.h"
#include "tests/support/host_command.h"
#include "tests/support/process_helpers.h"
#include "tests/support/registry_helpers.h"

namespace {

using e2e::ChildProcess;

constexpr const char* kEngineName = "Quorvanta Audio Engine";

bool EngineMutexExists() {
    HANDLE mutex = ::OpenMutexA(SYNCHRONIZE, FALSE, kEngineName);
    if (mutex) ::CloseHandle(mutex);
    return mutex != nullptr;
}

using e2e::WaitUntil;

void EndAllEngines() {
    CAudioRouter router;
    for (int i = 0; i < 10 && callenv::FindProcess("sndrelay.exe"); ++i) {
        router.TerminateProcessByName("sndrelay.exe");
        WaitUntil([] { return !callenv::FindProcess("sndrelay.exe"); }, 5000);
    }
}

class AudioEngine : public ::testing::Test {
protected:
    void SetUp() override {
        EndAllEngines();
        router.AppFolder = e2e::ProgramFolder();
    }
    void TearDown() override { EndAllEngines(); }

    CAudioRouter router;
};

TEST_F(AudioEngine, StartsIsFoundByMutexAndWindowAndEndsOnWmQuit) {
    ASSERT_FALSE(EngineMutexExists());
    router.StartAudioEngine();
    ASSERT_TRUE(EngineMutexExists()) << "the engine did not come up within the wait";

    HWND window = ::FindWindowA("#32770", kEngineName);
    ASSERT_NE(window, nullptr);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    const auto engine = callenv::FindProcess("sndrelay.exe");
    ASSERT_TRUE(engine);
    EXPECT_EQ(engine->id, pid);
    HANDLE process = ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid);
    ASSERT_NE(process, nullptr);

    router.PostToAudioEngine(WM_QUIT, 0);
    EXPECT_EQ(::WaitForSingleObject(process, 15000), WAIT_OBJECT_0);
    DWORD code = 1234;
    ::GetExitCodeProcess(process, &code);
    EXPECT_EQ(code, 0u);
    ::CloseHandle(process);
    EXPECT_EQ(::FindWindowA("#32770", kEngineName), nullptr);
    EXPECT_FALSE(EngineMutexExists());
    router.PostToAudioEngine(WM_QUIT, 0);  // no engine: nothing to do
}

TEST_F(AudioEngine, StaleEngineIsEndedByExactName) {
    ChildProcess stale = ChildProcess::Start("\"" + router.AppFolder + "\\sndrelay.exe\"", router.AppFolder);
    ASSERT_TRUE(stale.Started());
    ASSERT_TRUE(WaitUntil(EngineMutexExists, 15000));

    // A second engine sees the mutex held and leaves at once.
    ChildProcess second = ChildProcess::Start("\"" + router.AppFolder + "\\sndrelay.exe\"", router.AppFolder);
    DWORD code = 1234;
    EXPECT_TRUE(second.WaitForExit(15000, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(stale.Running());

    router.TerminateProcessByName("SNDRELAY.EXE");
    router.TerminateProcessByName("sndrelay");
    ::Sleep(300);
    EXPECT_TRUE(stale.Running()) << "a name that is not exactly the image name ended the engine";

    router.TerminateProcessByName("sndrelay.exe");
    code = 1234;
    ASSERT_TRUE(stale.WaitForExit(15000, &code));
    EXPECT_EQ(code, 0u);
}

TEST_F(AudioEngine, TerminateEndsOnlyTheFirstOfTwo) {
    const std::string exe = "\"" + e2e::FixtureFolder() + "\\msnmsgr.exe\"";
    ChildProcess a = ChildProcess::Start(exe, e2e::FixtureFolder());
    ChildProcess b = ChildProcess::Start(exe, e2e::FixtureFolder());
    ASSERT_TRUE(a.Started() && b.Started());
    ::WaitForInputIdle(a.Handle(), 15000);
    ::WaitForInputIdle(b.Handle(), 15000);
    const auto first = callenv::FindProcess("msnmsgr.exe");
    ASSERT_TRUE(first);

    router.TerminateProcessByName("msnmsgr.exe");
    ChildProcess& ended = first->id == a.Id() ? a : b;
    ChildProcess& kept = first->id == a.Id() ? b : a;
    DWORD code = 1234;
    ASSERT_TRUE(ended.WaitForExit(15000, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(kept.Running());
}

std::string WaveInNameAt(int index) {
    WAVEINCAPSA caps{};
    if (::waveInGetDevCapsA(index, &caps, sizeof caps) != MMSYSERR_NOERROR) return "";
    return caps.szPname;
}

TEST(VirtualCaptureDevice, FoundOnTheRigInBothModes) {
    CAudioRouter router;
    const int substring = router.FindVirtualCaptureDevice(callenv::DeviceMatch::Substring);
    const int equality = router.FindVirtualCaptureDevice(callenv::DeviceMatch::Equality);
    ASSERT_LT(substring, static_cast<int>(::waveInGetNumDevs()));
    EXPECT_EQ(WaveInNameAt(substring), "Quorvanta VAudio");
    EXPECT_EQ(equality, substring);
}

// Renames the rig's virtual capture source for a fresh process to see.
class RenamedCaptureDevice : public ::testing::Test {
protected:
    void Rename(const std::string& description) {
        const auto result = hostcmd::Run("pacmd update-source-proplist qvaudio_in " +
                                         hostcmd::ShellQuote("device.description=\"" + description + "\""));
        ASSERT_TRUE(result.finished && result.exitCode == 0) << result.output;
    }
    void TearDown() override { Rename("Quorvanta VAudio"); }

    // substring index, equality index, device count, as a new process sees them.
    std::tuple<int, int, int> Probe() {
        const std::string folder = e2e::MakeScratchFolder("callenv-probe");
        const std::string out = folder + "\\probe.txt";
        char self[MAX_PATH] = {};
        ::GetModuleFileNameA(nullptr, self, MAX_PATH);
        std::string probe(self);
        probe.resize(probe.find_last_of('\\'));
        ChildProcess child = ChildProcess::Start("\"" + probe + "\\callenv_wave_probe.exe\" \"" + out + "\"", folder);
        EXPECT_TRUE(child.WaitForExit(30000));
        int s = -1, e = -1, n = -1;
        std::ifstream(out) >> s >> e >> n;
        ::DeleteFileA(out.c_str());
        ::RemoveDirectoryA(folder.c_str());
        return {s, e, n};
    }
};

TEST_F(RenamedCaptureDevice, LongerNameFoundOnlyBySubstringAbsentNameGivesTheCount) {
    Rename("Quorvanta VAudio 2");
    auto [substring, equality, count] = Probe();
    ASSERT_GT(count, 0);
    EXPECT_LT(substring, count);
    EXPECT_EQ(equality, count);

    Rename("Rig Call Input");
    std::tie(substring, equality, count) = Probe();
    ASSERT_GT(count, 0);
    EXPECT_EQ(substring, count);
    EXPECT_EQ(equality, count);
}

// --- the default playback device in the registry ------------------------------

using reg::EndpointNamed;
using reg::ReadValue;
using reg::Subkeys;
using reg::WriteOrDelete;
const std::string kRender = reg::kRender;
const std::string kCapture = reg::kCapture;

const char* const kRoles[] = {"Role:0", "Role:1", "Role:2"};

class RoleStamps : public ::testing::Test {
protected:
    void SetUp() override {
        ::waveOutGetNumDevs();  // Wine lists its endpoints in the registry on first use
        endpoints = Subkeys(HKEY_LOCAL_MACHINE, kRender);
        for (const std::string& id : endpoints)
            for (const char* role : kRoles) {
                saved[kRender + "\\" + id + "|" + role] = ReadValue(HKEY_LOCAL_MACHINE, kRender + "\\" + id, role);
                WriteOrDelete(HKEY_LOCAL_MACHINE, kRender + "\\" + id, role, std::nullopt, 0);
            }
    }
    void TearDown() override {
        for (const std::string& id : endpoints)
            for (const char* role : kRoles)
                WriteOrDelete(HKEY_LOCAL_MACHINE, kRender + "\\" + id, role,
                              saved[kRender + "\\" + id + "|" + role], REG_BINARY);
    }

    std::vector<std::string> endpoints;
    std::map<std::string, std::optional<std::vector<BYTE>>> saved;
};

using TimeTuple = std::tuple<int, int, int, int, int, int>;
TimeTuple TupleOf(const SYSTEMTIME& t) {
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

TEST_F(RoleStamps, VirtualEndpointGetsThreeStampsThatRestoreDatesBack) {
    const std::string virtualEndpoint = EndpointNamed(kRender, "Quorvanta VAudio");
    ASSERT_FALSE(virtualEndpoint.empty()) << "no render endpoint for the virtual device";

    CAudioRouter router;
    router.DetectWindowsVersion();
    ASSERT_TRUE(router.IsVistaOrLater) << "Wine reports a Windows after XP";

    SYSTEMTIME before, after;
    ::GetLocalTime(&before);
    router.SelectVirtualPlayback();
    ::GetLocalTime(&after);
    EXPECT_EQ(router.RoleStampMode, callenv::RoleStampMode::MakeDefault);

    std::vector<BYTE> first;
    for (const char* role : kRoles) {
        DWORD type = 0;
        const auto stamp = ReadValue(HKEY_LOCAL_MACHINE, virtualEndpoint, role, &type);
        ASSERT_TRUE(stamp) << role;
        EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
        ASSERT_EQ(stamp->size(), 16u);
        if (first.empty()) first = *stamp;
        EXPECT_EQ(*stamp, first);
    }
    SYSTEMTIME stamped;
    std::memcpy(&stamped, first.data(), 16);
    EXPECT_LE(TupleOf(before), TupleOf(stamped));
    EXPECT_LE(TupleOf(stamped), TupleOf(after));
    EXPECT_EQ(stamped.wMilliseconds, 0);
    EXPECT_EQ(stamped.wDayOfWeek, before.wDayOfWeek);

    for (const std::string& id : endpoints) {
        if (kRender + "\\" + id == virtualEndpoint) continue;
        for (const char* role : kRoles) EXPECT_FALSE(ReadValue(HKEY_LOCAL_MACHINE, kRender + "\\" + id, role)) << id;
    }
    const std::string captureEndpoint = EndpointNamed(kCapture, "Quorvanta VAudio");
    if (!captureEndpoint.empty()) {
        EXPECT_FALSE(ReadValue(HKEY_LOCAL_MACHINE, captureEndpoint, "Role:0"));
    }

    router.RestoreDefaultDevices();
    EXPECT_EQ(router.RoleStampMode, callenv::RoleStampMode::Demote);
    for (const char* role : kRoles) {
        const auto stamp = ReadValue(HKEY_LOCAL_MACHINE, virtualEndpoint, role);
        ASSERT_TRUE(stamp && stamp->size() == 16u);
        SYSTEMTIME demoted;
        std::memcpy(&demoted, stamp->data(), 16);
        EXPECT_EQ(demoted.wYear, stamped.wYear - 10);  // for the years up to 2047
        EXPECT_EQ(demoted.wMonth, stamped.wMonth);
    }
}

// --- the Sound Mapper of systems up to XP --------------------------------------

const char* const kSoundMapper = "Software\\Microsoft\\Multimedia\\Sound Mapper";

// A top-level window that counts the settings-change broadcasts it gets.
class BroadcastCounter {
public:
    BroadcastCounter() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &Proc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "CallenvBroadcastCounter";
        ::RegisterClassA(&wc);
        m_hwnd = ::CreateWindowExA(0, wc.lpszClassName, "counter", WS_OVERLAPPED, 0, 0, 10, 10,
                                   nullptr, nullptr, wc.hInstance, nullptr);
        ::SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~BroadcastCounter() { ::DestroyWindow(m_hwnd); }
    // Pumps messages until `count` broadcasts arrived or `ms` passed.
    int WaitFor(int count, DWORD ms) {
        const DWORD start = ::GetTickCount();
        MSG msg;
        while (m_count < count && ::GetTickCount() - start < ms) {
            while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
            ::Sleep(10);
        }
        return m_count;
    }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wp, LPARAM lp) {
        if (message == WM_WININICHANGE) {
            auto* self = reinterpret_cast<BroadcastCounter*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
            if (self && wp == 0 && lp == 0) ++self->m_count;
            return 0;
        }
        return ::DefWindowProcA(hwnd, message, wp, lp);
    }
    HWND m_hwnd;
    int m_count = 0;
};

std::string Text(const std::optional<std::vector<BYTE>>& data) {
    return data ? std::string(reinterpret_cast<const char*>(data->data())) : "<absent>";
}

class SoundMapper : public ::testing::Test {
protected:
    void SetUp() override {
        HKEY key;
        existed = ::RegOpenKeyExA(HKEY_CURRENT_USER, kSoundMapper, 0, KEY_READ, &key) == ERROR_SUCCESS;
        if (existed) ::RegCloseKey(key);
        playback = ReadValue(HKEY_CURRENT_USER, kSoundMapper, "Playback");
        record = ReadValue(HKEY_CURRENT_USER, kSoundMapper, "Record");
        ::RegDeleteKeyA(HKEY_CURRENT_USER, kSoundMapper);
        router.IsVistaOrLater = false;
    }
    void TearDown() override {
        ::RegDeleteKeyA(HKEY_CURRENT_USER, kSoundMapper);
        if (!existed) return;
        HKEY key;
        ::RegCreateKeyA(HKEY_CURRENT_USER, kSoundMapper, &key);
        ::RegCloseKey(key);
        WriteOrDelete(HKEY_CURRENT_USER, kSoundMapper, "Playback", playback, REG_SZ);
        WriteOrDelete(HKEY_CURRENT_USER, kSoundMapper, "Record", record, REG_SZ);
    }
    void MakeKey(const char* playbackName, const char* recordName) {
        HKEY key;
        ASSERT_EQ(::RegCreateKeyA(HKEY_CURRENT_USER, kSoundMapper, &key), ERROR_SUCCESS);
        ::RegSetValueExA(key, "Playback", 0, REG_SZ, reinterpret_cast<const BYTE*>(playbackName), std::strlen(playbackName) + 1);
        ::RegSetValueExA(key, "Record", 0, REG_SZ, reinterpret_cast<const BYTE*>(recordName), std::strlen(recordName) + 1);
        ::RegCloseKey(key);
    }

    CAudioRouter router;
    bool existed = false;
    std::optional<std::vector<BYTE>> playback, record;
};

TEST_F(SoundMapper, MissingKeyIsNotCreatedAndNothingIsBroadcast) {
    BroadcastCounter counter;
    router.SelectVirtualPlayback();
    router.RestoreDefaultDevices();
    HKEY key;
    EXPECT_NE(::RegOpenKeyExA(HKEY_CURRENT_USER, kSoundMapper, 0, KEY_READ, &key), ERROR_SUCCESS);
    EXPECT_EQ(counter.WaitFor(1, 500), 0);
}

TEST_F(SoundMapper, VirtualDeviceIsPreferredThenDevicesZeroComeBack) {
    MakeKey("Old Speakers", "Old Microphone");
    router.RememberDeviceNames();
    WAVEOUTCAPSA out{};
    WAVEINCAPSA in{};
    ASSERT_EQ(::waveOutGetDevCapsA(0, &out, sizeof out), MMSYSERR_NOERROR);
    ASSERT_EQ(::waveInGetDevCapsA(0, &in, sizeof in), MMSYSERR_NOERROR);
    EXPECT_EQ(router.SavedPlaybackName, out.szPname);
    EXPECT_EQ(router.SavedRecordName, in.szPname);

    BroadcastCounter counter;
    router.SelectVirtualPlayback();
    DWORD type = 0;
    const auto selected = ReadValue(HKEY_CURRENT_USER, kSoundMapper, "Playback", &type);
    EXPECT_EQ(Text(selected), "Quorvanta VAudio");
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    ASSERT_TRUE(selected);
    EXPECT_EQ(selected->size(), 17u);  // counted with the terminator
    EXPECT_EQ(Text(ReadValue(HKEY_CURRENT_USER, kSoundMapper, "Record")), "Old Microphone");
    EXPECT_EQ(counter.WaitFor(1, 10000), 1);

    // Restoring writes the devices at index 0, not what was preferred before.
    router.RestoreDefaultDevices();
    EXPECT_EQ(Text(ReadValue(HKEY_CURRENT_USER, kSoundMapper, "Playback")), out.szPname);
    EXPECT_EQ(Text(ReadValue(HKEY_CURRENT_USER, kSoundMapper, "Record")), in.szPname);
    EXPECT_EQ(counter.WaitFor(2, 10000), 2);
}

}  // namespace
