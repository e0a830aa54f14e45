#include "tests/win32/recording_harness.h"

#include <mmsystem.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

#include "app/IniFile.h"
#include "engine/Messages.h"
#include "engine/OutputPath.h"
#include "engine/RecordParams.h"
#include "engine/RecordState.h"
#include "engine/RecordThread.h"
#include "tests/support/host_command.h"
#include "tests/support/process_helpers.h"
#include "tests/win32/colour_window.h"
#include "tools/mousetap/mousetap.h"

namespace {

UINT g_endMessage = 0;
RecordingHarness::MessageHandler g_extraHandler;

LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT handled = 0;
    if (g_extraHandler && g_extraHandler(message, handled)) return handled;
    if (message == WM_USER_SAVECURSOR_MSG) {
        g_recordState.SavedCursor = reinterpret_cast<NativeCursor>(wParam);
        return 0;
    }
    if (message == WM_USER_GENERIC_MSG || message == WM_USER_RECORDINTERRUPTED_MSG) {
        g_endMessage = message;
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string UniqueTempFolder() {
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "lumiskop-rec-" + std::to_string(::GetCurrentProcessId()) +
                         "-" + std::to_string(::GetTickCount());
    ::CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

}  // namespace

RecordingHarness::RecordingHarness(std::string folder) : m_folder(std::move(folder)) {
    const bool own = m_folder.empty();
    if (own) m_folder = UniqueTempFolder();
    m_config = ProgramFolder() + "\\config.ini";
    CIniFile(m_config).WriteString("General", "FilePath", m_folder.c_str());
    WNDCLASSA wc{};
    wc.lpfnWndProc = MainProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "LumiskopTestMain";
    ::RegisterClassA(&wc);
    m_window = ::CreateWindowExA(0, wc.lpszClassName, "main", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 wc.hInstance, nullptr);
    g_recordState.MainWindow = m_window;
    g_recordState.SavedCursor = nullptr;
    ClearRing(g_recordState.RingA);
    ClearRing(g_recordState.RingB);
}

RecordingHarness::~RecordingHarness() {
    if (m_tap) {
        if (auto uninstall = reinterpret_cast<UninstallMyHookFn>(
                reinterpret_cast<void*>(::GetProcAddress(m_tap, "UninstallMyHook"))))
            uninstall(m_window);
    }
    ::DeleteFileA(m_config.c_str());
    g_extraHandler = nullptr;
    ::DestroyWindow(m_window);
    g_recordState.MainWindow = nullptr;
    if (m_folder.find("lumiskop-rec-") != std::string::npos) {
        for (const std::string& f : FilesIn(m_folder, "*")) ::DeleteFileA((m_folder + "\\" + f).c_str());
        ::RemoveDirectoryA(m_folder.c_str());
    }
}

bool RecordingHarness::WatchCursor() {
    m_tap = ::LoadLibraryA((e2e::ProgramFolder() + "\\mousetap.dll").c_str());
    auto install = m_tap ? reinterpret_cast<InstallMyHookFn>(
                               reinterpret_cast<void*>(::GetProcAddress(m_tap, "InstallMyHook")))
                         : nullptr;
    return install && install(m_window, WM_USER_SAVECURSOR_MSG);
}

void RecordingHarness::HandleMessages(MessageHandler handler) {
    g_extraHandler = std::move(handler);
}

bool RecordingHarness::Record(const RECT& rect, const std::string& fileName, double seconds,
                              const std::function<void()>& during,
                              const std::function<void()>& beforeStop) {
    g_endMessage = 0;
    g_recordState.CaptureRect = {rect.left, rect.top, rect.right, rect.bottom};
    g_recordState.RecordFileName = fileName;
    g_recordState.VideoStarted = 0;
    g_recordState.Recording = 1;
    HANDLE worker = ::CreateThread(nullptr, 0, RecordThread, &g_recordState, CREATE_SUSPENDED, nullptr);
    ::ResumeThread(worker);
    const DWORD waitUntil = ::GetTickCount() + 20000;
    while (!g_recordState.VideoStarted && ::WaitForSingleObject(worker, 0) == WAIT_TIMEOUT &&
           static_cast<LONG>(waitUntil - ::GetTickCount()) > 0)
        ::Sleep(1);
    firstFrameAt = ::timeGetTime();
    videoStarted = g_recordState.VideoStarted != 0;
    const DWORD end = firstFrameAt + static_cast<DWORD>(seconds * 1000);
    while (videoStarted && static_cast<LONG>(end - ::timeGetTime()) > 0) {
        if (during) during();
        PumpFor(10);
    }
    if (beforeStop) beforeStop();
    stoppedAt = ::timeGetTime();
    g_recordState.Recording = 0;
    const bool ended = ::WaitForSingleObject(worker, 20000) == WAIT_OBJECT_0;
    ::CloseHandle(worker);
    PumpFor(50);
    endMessage = g_endMessage;
    return ended;
}

std::vector<std::string> FilesIn(const std::string& folder, const std::string& pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = ::FindFirstFileA((folder + "\\" + pattern).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(data.cFileName);
    } while (::FindNextFileA(find, &data));
    ::FindClose(find);
    return names;
}

std::string Probe(const std::string& file, const char* which, const char* entries) {
    const hostcmd::Result r = hostcmd::Run(std::string("ffprobe -v error -count_packets -select_streams ") +
                                           which + " -show_entries " + entries + " -of csv=p=0 " +
                                           hostcmd::ShellQuote(hostcmd::HostPath(file)));
    std::string value = r.finished && r.exitCode == 0 ? r.output : "ffprobe failed: " + r.output;
    while (!value.empty() && (value.back() == '\n' || value.back() == ',')) value.pop_back();
    return value;
}

std::vector<std::vector<uint8_t>> DecodeFrames(const std::string& file, int width, int height) {
    const std::string raw = file + ".rgb";
    hostcmd::Run("ffmpeg -v error -nostdin -y -i " + hostcmd::ShellQuote(hostcmd::HostPath(file)) +
                 " -map 0:v -vsync passthrough -f rawvideo -pix_fmt rgb24 " +
                 hostcmd::ShellQuote(hostcmd::HostPath(raw)), 120000);
    const std::string bytes = ReadAll(raw);
    ::DeleteFileA(raw.c_str());
    const size_t frameBytes = static_cast<size_t>(width) * height * 3;
    std::vector<std::vector<uint8_t>> frames;
    for (size_t at = 0; at + frameBytes <= bytes.size(); at += frameBytes)
        frames.emplace_back(bytes.begin() + at, bytes.begin() + at + frameBytes);
    return frames;
}

std::vector<long> PacketPositions(const std::string& file) {
    const hostcmd::Result r = hostcmd::Run(
        "ffprobe -v error -select_streams v -show_entries packet=pts -of csv=p=0 " +
        hostcmd::ShellQuote(hostcmd::HostPath(file)));
    std::vector<long> pts;
    std::istringstream lines(r.output);
    std::string line;
    while (std::getline(lines, line))
        if (!line.empty()) pts.push_back(std::atol(line.c_str()));
    return pts;
}

std::vector<int16_t> DecodeAudio(const std::string& file) {
    const std::string raw = file + ".pcm";
    hostcmd::Run("ffmpeg -v error -nostdin -y -i " + hostcmd::ShellQuote(hostcmd::HostPath(file)) +
                 " -map 0:a -f s16le -acodec pcm_s16le " + hostcmd::ShellQuote(hostcmd::HostPath(raw)),
                 120000);
    const std::string bytes = ReadAll(raw);
    ::DeleteFileA(raw.c_str());
    std::vector<int16_t> samples(bytes.size() / 2);
    std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    return samples;
}
