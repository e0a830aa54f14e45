#include "tests/support/tone.h"

#include <algorithm>
#include <cmath>

namespace tone {

double ToneShare(const int16_t* frames, size_t frameCount, int channel, double frequency,
                 double sampleRate) {
    if (frameCount == 0) return 0.0;
    const double coefficient = 2.0 * std::cos(2.0 * 3.14159265358979323846 * frequency / sampleRate);
    double s1 = 0.0, s2 = 0.0, energy = 0.0;
    for (size_t i = 0; i < frameCount; ++i) {
        double x = frames[i * 2 + channel];
        double s0 = x + coefficient * s1 - s2;
        s2 = s1;
        s1 = s0;
        energy += x * x;
    }
    if (energy == 0.0) return 0.0;
    double power = s1 * s1 + s2 * s2 - coefficient * s1 * s2;
    return 2.0 * power / (static_cast<double>(frameCount) * energy);
}

double WindowsWithTone(const int16_t* frames, size_t frameCount, int channel, double frequency,
                       size_t windowFrames, double minShare, double sampleRate) {
    size_t windows = 0, withTone = 0;
    for (size_t start = 0; windowFrames > 0 && start + windowFrames <= frameCount; start += windowFrames) {
        ++windows;
        if (ToneShare(frames + start * 2, windowFrames, channel, frequency, sampleRate) > minShare)
            ++withTone;
    }
    return windows ? static_cast<double>(withTone) / static_cast<double>(windows) : 0.0;
}

double MaxWindowShare(const int16_t* frames, size_t frameCount, int channel, double frequency,
                      size_t windowFrames, double sampleRate) {
    double most = 0.0;
    for (size_t start = 0; windowFrames > 0 && start + windowFrames <= frameCount; start += windowFrames)
        most = std::max(most, ToneShare(frames + start * 2, windowFrames, channel, frequency, sampleRate));
    return most;
}

double Rms(const int16_t* frames, size_t frameCount, int channel) {
    if (frameCount == 0) return 0.0;
    double sum = 0.0;
    for (size_t i = 0; i < frameCount; ++i) {
        double x = frames[i * 2 + channel];
        sum += x * x;
    }
    return std::sqrt(sum / static_cast<double>(frameCount));
}

size_t LoudestWindow(const std::vector<int16_t>& frames, int channel, size_t window) {
    size_t count = frames.size() / 2;
    if (count <= window) return 0;
    size_t best = 0;
    double bestRms = -1.0;
    for (size_t start = 0; start + window <= count; start += window / 4) {
        double rms = Rms(frames.data() + start * 2, window, channel);
        if (rms > bestRms) {
            bestRms = rms;
            best = start;
        }
    }
    return best;
}

}  // namespace tone
