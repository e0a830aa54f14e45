// How ClipForge encodes. Chosen for the screen content of calls (sharp text
// and window edges around a moving camera picture) by converting a 60 s
// 1280 x 720 call recording at several presets and CRFs (bench/clipforge_bench.sh):
// "veryfast" at CRF 23 kept the pictures above 38 dB PSNR at a small fraction
// of the AVI's size while leaving enough speed for several times real time
// on two cores; slower presets bought little size for much time.
#pragma once

namespace clipforge {

inline constexpr const char* kX264Preset = "veryfast";
inline constexpr int kX264Crf = 23;
inline constexpr int kKeyFrameSeconds = 5;  // seeking in a player stays quick
inline constexpr int kAudioRate = 48'000;
inline constexpr int kAudioBitRate = 128'000;

}  // namespace clipforge
