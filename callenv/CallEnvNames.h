// Names of the programs, windows and devices around the recorder. These are
// the outside world's own names and must match exactly.
#pragma once

#include <cstddef>

namespace callenv {

constexpr const char* kMessengerExe = "msnmsgr.exe";
// Tested in this order.
constexpr const char* kConversationClasses[] = {"TabbedHostWndClass", "IMWindowClass"};
constexpr const char* kCompanionExe = "Dedida.exe";
constexpr const char* kCompanionFormClass = "WindowsForms10.Window.8.app.0.378734a";

// Window class and title buffers hold this many characters, terminator included.
constexpr std::size_t kWindowTextBuffer = 256;
constexpr std::size_t kContactHandoffBytes = 256;

constexpr const char* kVirtualDeviceName = "Quorvanta VAudio";
constexpr const char* kAudioEngineName = "Quorvanta Audio Engine";
constexpr const char* kAudioEngineExe = "sndrelay.exe";
constexpr const char* kAudioEngineWindowClass = "#32770";

// The far end's level as the audio engine hears it, for automatic recording.
// Posted to the engine's window: wParam the recorder's window, lParam 1 to
// have the level reported there, 0 to stop. The engine then posts one report
// per slice of the sound it relays: wParam the RMS level in hundredths of
// dBFS (signed), lParam when that sound ended on the multimedia clock
// (timeGetTime, the same in every process). Private messages (WM_APP + n).
constexpr unsigned kEngineLevelsRequest = 0x8000 + 0x260;
constexpr unsigned kFarEndLevelReport = 0x8000 + 0x261;
constexpr unsigned kLevelSliceMs = 100;

constexpr const char* kSoundMapperKey = "Software\\Microsoft\\Multimedia\\Sound Mapper\\";
constexpr const char* kRenderEndpointsKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\MMDevices\\Audio\\Render\\";

}  // namespace callenv
