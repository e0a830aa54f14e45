// Recordings as the recorder writes them (MP43 at quality 10000, 25 fps,
// 48 kHz stereo PCM), made with our own encoder and AVI writer for the
// converter's tests. Platform-free.
#pragma once

#include <string>

namespace testrec {

constexpr int kFarEndHz = 440;     // left channel
constexpr int kMicrophoneHz = 1000;  // right channel

struct Plan {
    int width = 320;
    int height = 240;
    int positions = 75;  // 25 a second
    // Positions in [skipFrom, skipTo) get no picture; their sound is kept.
    int skipFrom = -1;
    int skipTo = -1;
    // Positions from the start that get sound; -1: all of them.
    int soundPositions = -1;
    // false: the left half red, the right half blue, the same in every
    // picture. true: changing noise, which keeps an encoder busy.
    bool busy = false;
    // true: a conversation (still text rows around a moving camera picture)
    // in every picture, as a call recording holds (width a multiple of 4).
    // Wins over busy.
    bool callLike = false;
    // With busy false: the halves change sides every second, so that a
    // player's picture is seen to move on.
    bool swapEverySecond = false;
};

// The far end's tone on the left, the microphone's on the right.
bool WriteRecording(const std::string& path, const Plan& plan);

}  // namespace testrec
