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

// The audio engine reports the far end's level once per this much sound
// (msg::kEngineLevelsRequest, msg::kFarEndLevelReport).
constexpr unsigned kLevelSliceMs = 100;

constexpr const char* kSoundMapperKey = "Software\\Microsoft\\Multimedia\\Sound Mapper\\";
constexpr const char* kRenderEndpointsKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\MMDevices\\Audio\\Render\\";

}  // namespace callenv
