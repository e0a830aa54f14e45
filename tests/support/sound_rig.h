// The rig's sound devices as Windows tests see them, and a way to play a tone
// into them from the host's PulseAudio.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace soundrig {

// PulseAudio sinks of the rig (see the README): what is played into "qvaudio"
// arrives on the "Quorvanta VAudio" wave input, what is played into "micfeed"
// on the default wave input (the microphone stand-in).
inline constexpr const char* kVirtualSink = "qvaudio";
inline constexpr const char* kMicrophoneSink = "micfeed";
inline constexpr const char* kSpeakersSink = "speakers";

// Index of the wave input whose name is exactly `name`, or -1.
int WaveInIndex(const std::string& name);

// Starts a sine tone of `frequency` Hz, `seconds` long, into a PulseAudio sink
// and returns at once (the tone plays on in the background).
bool StartTone(const char* sink, int frequency, double seconds);

// What a sink plays, as heard on its monitor for `seconds`: 48 kHz 16-bit
// stereo samples (empty when nothing could be recorded). This thread's
// windows keep getting their messages meanwhile.
std::vector<int16_t> RecordMonitor(const char* sink, double seconds);

}  // namespace soundrig
