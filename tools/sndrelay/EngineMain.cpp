// sndrelay.exe: the audio engine that runs beside the recorder. It holds the
// mutex and owns the dialog window by which the recorder finds it, and ends
// when WM_QUIT is posted to that window. While it runs, what arrives on the
// virtual device's wave input plays on the user's real playback device, so
// the call stays audible while the system's sound goes to the virtual device.
#include <windows.h>

#include <string>
#include <thread>

#include "callenv/CallEnvNames.h"
#include "callenv/DeviceMatch.h"
#include "callenv/WaveDevices.h"
#include "framework/Handle.h"
#include "framework/PrivateMessages.h"
#include "tools/sndrelay/SoundRelay.h"
#include "tools/sndrelay/resource.h"

namespace {

constexpr DWORD kShutdownGraceMs = 5000;

CSoundRelay g_relay;

INT_PTR CALLBACK EngineDialogProc(HWND, UINT message, WPARAM wp, LPARAM lp) {
    if (message == msg::kEngineLevelsRequest) {
        g_relay.ReportLevelsTo(lp ? reinterpret_cast<HWND>(wp) : nullptr);
        return TRUE;
    }
    // Closing is by WM_QUIT only; the dialog's own close commands are ignored.
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

// The relay's devices: the virtual input, and the first output that is not
// the virtual device (playing there would feed the call back into itself).
bool StartRelay(CSoundRelay& relay) {
    using namespace callenv;
    const unsigned input = FindDeviceIndex(&WaveInName, kVirtualDeviceName, DeviceMatch::Substring);
    const unsigned output = FindDeviceWithout(&WaveOutName, kVirtualDeviceName);
    std::string name;
    if (!WaveInName(input, name) || !WaveOutName(output, name)) return false;
    CSoundRelay::Settings settings;
    settings.inputDevice = input;
    settings.outputDevice = output;
    return relay.Start(settings);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // The window comes first: once the mutex shows, the recorder may post to it.
    HWND window = ::CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_ENGINE), nullptr,
                                       &EngineDialogProc, 0);
    if (!window) return 1;
    fw::KernelHandle mutex(::CreateMutexA(nullptr, TRUE, callenv::kAudioEngineName));
    if (!mutex || ::GetLastError() == ERROR_ALREADY_EXISTS) {
        // An engine runs already; a second one would play everything twice.
        ::DestroyWindow(window);
        return mutex ? 0 : 1;
    }

    CSoundRelay& relay = g_relay;
    StartRelay(relay);  // without the devices the engine still answers the recorder

    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (!::IsDialogMessageA(window, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    // The recorder is closing: a sound device that does not let go must not
    // keep the engine (and its mutex) alive.
    std::thread([] {
        ::Sleep(kShutdownGraceMs);
        ::TerminateProcess(::GetCurrentProcess(), 0);
    }).detach();
    relay.Stop();
    ::DestroyWindow(window);
    ::ReleaseMutex(mutex);
    return 0;
}
