// How ClipForge encodes. Chosen for the screen content of calls (sharp text
// and window edges around a moving camera picture) with bench/clipforge_bench.sh
// on a 20 s 1280 x 720 call recording (18.7 MB AVI), native ffmpeg, CRF 23:
//   superfast  17.1 % of the AVI, PSNR 46.2 dB
//   veryfast    9.7 % of the AVI, PSNR 42.2 dB
//   faster      9.8 % of the AVI, PSNR 44.4 dB
//   veryfast at CRF 26: 8.7 %, 39.1 dB (hardly smaller, close to the 38 dB floor)
// "veryfast" halves the size of "superfast" and stays well above 38 dB; the
// slower presets add quality nobody reads off a call at a cost in speed that
// the target of several times real time on two cores cannot spare.
#pragma once

namespace clipforge {

inline constexpr const char* kX264Preset = "veryfast";
inline constexpr int kX264Crf = 23;
inline constexpr int kKeyFrameSeconds = 5;  // seeking in a player stays quick
inline constexpr int kAudioRate = 48'000;
inline constexpr int kAudioBitRate = 128'000;

// The picture sizes converted. 4:2:0 needs at least two pixels each way;
// beyond 4096 x 4096 x264's picture buffers exhaust a 32-bit process (16000 x
// 16000 could not even be opened), and no phone plays such an MP4.
inline constexpr int kMinPictureSide = 2;
inline constexpr int kMaxPictureSide = 4096;

// x264 keeps a dozen pictures in memory for its threads and lookahead: at
// 4096 x 4096 that exhausted the 32-bit process (1.3 GB, under Wine). Pictures
// beyond the largest screens (4096 x 2304: 0.93 GB) go through one thread and
// a short lookahead instead (4096 x 4096: 0.87 GB).
inline constexpr int kLargePicturePixels = 4096 * 2304;
inline constexpr int kLargePictureLookahead = 2;

inline constexpr bool WithinPictureLimits(int width, int height) {
    return width >= kMinPictureSide && height >= kMinPictureSide && width <= kMaxPictureSide &&
           height <= kMaxPictureSide;
}

}  // namespace clipforge
