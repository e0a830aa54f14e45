// Tone analysis of interleaved 16-bit stereo PCM, for tests that check which
// sound went where. Platform-free.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tone {

// Share (0..1) of a channel's power that lies at `frequency` (Goertzel). A
// pure tone at that frequency gives about 1, silence or another tone about 0.
double ToneShare(const int16_t* frames, size_t frameCount, int channel, double frequency,
                 double sampleRate = 48000.0);

// Share (0..1) of the `windowFrames`-long windows of a channel in which the
// tone at `frequency` holds more than `minShare` of the power. Short windows
// keep one splice in the sound (a few milliseconds dropped or added where the
// track was kept in time) from spoiling the measure of a whole second.
double WindowsWithTone(const int16_t* frames, size_t frameCount, int channel, double frequency,
                       size_t windowFrames, double minShare, double sampleRate = 48000.0);
// The largest share the tone at `frequency` has in any such window.
double MaxWindowShare(const int16_t* frames, size_t frameCount, int channel, double frequency,
                      size_t windowFrames, double sampleRate = 48000.0);

// Root mean square of one channel.
double Rms(const int16_t* frames, size_t frameCount, int channel);

// The stretch of `window` frames with the highest power on `channel`; returns
// its first frame (0 when the audio is shorter than the window).
size_t LoudestWindow(const std::vector<int16_t>& frames, int channel, size_t window);

}  // namespace tone
