// The wave input stream on the rig's real PulseAudio devices.
#include <windows.h>

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "tests/support/sound_rig.h"
#include "tests/support/tone.h"
#include "wavein/WaveIn.h"

namespace {

constexpr UINT WM_TEST_DATA = WM_APP + 44;

// A window that counts the input's notifications.
struct NotifyWindow {
    HWND hwnd = nullptr;
    int notifications = 0;

    NotifyWindow() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &Proc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "WaveInTestSink";
        ::RegisterClassA(&wc);
        hwnd = ::CreateWindowA("WaveInTestSink", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               wc.hInstance, nullptr);
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~NotifyWindow() { ::DestroyWindow(hwnd); }

    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == WM_TEST_DATA) {
            reinterpret_cast<NotifyWindow*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA))->notifications++;
            return 0;
        }
        return ::DefWindowProcA(hwnd, msg, wp, lp);
    }

    void Pump(DWORD ms) { WaitFor(INT_MAX, ms); }

    // Pumps messages until `count` notifications arrived or the time is up.
    bool WaitFor(int count, DWORD ms) {
        DWORD start = ::GetTickCount();
        while (notifications < count && ::GetTickCount() - start < ms) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            MSG msg;
            while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
        }
        return notifications >= count;
    }
};

// Records `seconds` from a device while a tone plays into `sink`, reading on
// every notification as the program does; returns the interleaved frames.
std::vector<int16_t> RecordWhilePlaying(const std::string& device, const char* sink, int frequency,
                                        int buffersWanted, std::vector<int>* blockLengths) {
    NotifyWindow window;
    CWaveIn input(500);
    EXPECT_TRUE(input.SetNotify(window.hwnd, WM_TEST_DATA));
    EXPECT_TRUE(input.Open(device.c_str()));
    EXPECT_TRUE(input.Start());
    EXPECT_TRUE(soundrig::StartTone(sink, frequency, buffersWanted * 0.5 + 1.0));

    std::vector<int16_t> frames;
    CWaveBlock block;
    int buffers = 0;
    while (buffers < buffersWanted && window.WaitFor(window.notifications + 1, 10000)) {
        while (input.ReadInput(&block)) {
            blockLengths->push_back(block.DataLength());
            buffers += block.DataLength() / static_cast<int>(input.BufferBytes());
            const auto* samples = reinterpret_cast<const int16_t*>(block.Data());
            frames.insert(frames.end(), samples, samples + block.SampleCount());
        }
    }
    EXPECT_GE(buffers, buffersWanted) << "the input stopped delivering";
    return frames;
}

TEST(WaveIn, VirtualDeviceInputCarriesWhatIsPlayedIntoTheVirtualDevice) {
    int index = soundrig::WaveInIndex("Quorvanta VAudio");
    ASSERT_GE(index, 0) << "the rig has no \"Quorvanta VAudio\" wave input";
    std::vector<int> lengths;
    std::vector<int16_t> frames =
        RecordWhilePlaying(std::to_string(index), soundrig::kVirtualSink, 1000, 6, &lengths);

    for (int length : lengths) EXPECT_EQ(length % 96'000, 0) << "blocks hold whole buffers";
    ASSERT_GE(frames.size() / 2, 48'000u);
    size_t start = tone::LoudestWindow(frames, 0, 24'000);
    const int16_t* loud = frames.data() + start * 2;
    EXPECT_GT(tone::Rms(loud, 24'000, 0), 3000.0);
    EXPECT_GT(tone::ToneShare(loud, 24'000, 0, 1000.0), 0.9);
    EXPECT_GT(tone::ToneShare(loud, 24'000, 1, 1000.0), 0.9);
    EXPECT_LT(tone::ToneShare(loud, 24'000, 0, 440.0), 0.05);
}

TEST(WaveIn, DefaultInputOpensWithMinusOne) {
    std::vector<int> lengths;
    std::vector<int16_t> frames =
        RecordWhilePlaying("-1", soundrig::kMicrophoneSink, 440, 6, &lengths);
    ASSERT_GE(frames.size() / 2, 48'000u);
    size_t start = tone::LoudestWindow(frames, 1, 24'000);
    const int16_t* loud = frames.data() + start * 2;
    EXPECT_GT(tone::ToneShare(loud, 24'000, 1, 440.0), 0.9);
    EXPECT_LT(tone::ToneShare(loud, 24'000, 1, 1000.0), 0.05);
}

TEST(WaveIn, ReadAfterEverythingWasTakenFindsNothingNew) {
    NotifyWindow window;
    CWaveIn input(500);
    input.SetNotify(window.hwnd, WM_TEST_DATA);
    ASSERT_TRUE(input.Open("-1"));
    ASSERT_TRUE(input.Start());
    ASSERT_TRUE(window.WaitFor(2, 10000));
    ASSERT_TRUE(input.Stop());  // no more buffers complete after this

    CWaveBlock block;
    int taken = 0;
    while (input.ReadInput(&block)) taken += block.DataLength();
    EXPECT_GE(taken, 2 * 96'000);

    block.SetSampleCount(5);
    EXPECT_FALSE(input.ReadInput(&block));
    EXPECT_EQ(block.SampleCount(), 5);  // the block is left as it was
    EXPECT_FALSE(input.ReadInput(nullptr));
}

TEST(WaveIn, MissingDeviceFailsToOpenAndDeliversNothing) {
    NotifyWindow window;
    CWaveIn input(500);
    input.SetNotify(window.hwnd, WM_TEST_DATA);
    std::string pastTheLast = std::to_string(::waveInGetNumDevs());
    EXPECT_FALSE(input.Open(pastTheLast.c_str()));
    EXPECT_FALSE(input.IsOpen());
    EXPECT_FALSE(input.Start());
    EXPECT_FALSE(input.Stop());
    CWaveBlock block;
    EXPECT_FALSE(input.ReadInput(&block));
    EXPECT_FALSE(window.WaitFor(1, 1500));

    // The object stays usable: a later open of a real device works.
    EXPECT_TRUE(input.Open("-1"));
    EXPECT_TRUE(input.Open(nullptr));  // only closes
    EXPECT_FALSE(input.IsOpen());
}

TEST(WaveIn, ZeroBufferLengthRefusesToOpen) {
    CWaveIn input(0);
    EXPECT_FALSE(input.Open("-1"));
    EXPECT_FALSE(input.Open(nullptr));
}

TEST(WaveIn, ReopeningStartsWithFreshCounts) {
    NotifyWindow window;
    CWaveIn input(500);
    input.SetNotify(window.hwnd, WM_TEST_DATA);
    ASSERT_TRUE(input.Open("-1"));
    ASSERT_TRUE(input.Start());
    ASSERT_TRUE(window.WaitFor(1, 10000));

    ASSERT_TRUE(input.Open("-1"));  // closes and opens again, not started
    CWaveBlock block;
    EXPECT_FALSE(input.ReadInput(&block));
    // Closing returned the queued buffers, whose notifications may still be
    // on their way; they find nothing to read.
    window.Pump(700);
    EXPECT_FALSE(input.ReadInput(&block));

    int before = window.notifications;
    ASSERT_TRUE(input.Start());
    ASSERT_TRUE(window.WaitFor(before + 1, 10000));
    EXPECT_TRUE(input.ReadInput(&block));
    EXPECT_EQ(block.DataLength(), 96'000);
}

}  // namespace
