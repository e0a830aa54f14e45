// A call recording's sound through the real devices and the real worker: a
// tone played into the virtual device ends up on the left channel, a tone
// played into the microphone on the right, from the first picture to the last.
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "engine/CallAudioInputs.h"
#include "engine/Messages.h"
#include "engine/RecordState.h"
#include "tests/support/sound_rig.h"
#include "tests/support/tone.h"
#include "tests/win32/colour_window.h"
#include "tests/win32/recording_harness.h"
#include "tests/support/ui_helpers.h"

namespace {

constexpr int kFarEndHz = 1000;
constexpr int kMicrophoneHz = 440;
const RECT kRect{100, 100, 419, 339};

class CallAudioTest : public ::testing::Test {
protected:
    void SetUp() override {
        harness.HandleMessages([this](UINT message, LRESULT& result) {
            if (message == msg::kInputAData) {
                result = inputs.OnInputAData();
                return true;
            }
            if (message == msg::kInputBData) {
                result = inputs.OnInputBData();
                return true;
            }
            return false;
        });
        virtualIndex = soundrig::WaveInIndex("Quorvanta VAudio");
        ASSERT_GE(virtualIndex, 0) << "the rig has no \"Quorvanta VAudio\" wave input";
    }
    void TearDown() override { inputs.Close(); }

    // Opens the inputs as the start commands do, lets them run a moment
    // before the first picture, then records `seconds`.
    void RecordCall(const std::string& file, double seconds, int farEndDevice,
                    const std::string& microphone = "-1") {
        ASSERT_TRUE(soundrig::StartTone(soundrig::kVirtualSink, kFarEndHz, seconds + 4));
        ASSERT_TRUE(soundrig::StartTone(soundrig::kMicrophoneSink, kMicrophoneHz, seconds + 4));
        inputs.Open(harness.MainWindow(), farEndDevice, microphone);
        // Wine's wave input takes a second or two to deliver its first
        // buffer; these deliveries all come before the first picture.
        ui::PumpFor(3000);
        EXPECT_EQ(harness.Session().State.RingA.Count(), 0);
        EXPECT_EQ(harness.Session().State.RingB.Count(), 0);
        path = harness.Folder() + "\\" + file;
        ASSERT_TRUE(harness.Record(kRect, file, seconds, {}, [this] { inputs.StopAndCollect(); }));
        inputs.Close();
        ASSERT_EQ(harness.endMessage, WM_USER_GENERIC_MSG);
    }

    RecordingHarness harness;
    CCallAudioInputs inputs{harness.Session().State};
    int virtualIndex = -1;
    std::string path;
};

double ProbeNumber(const std::string& file, const char* stream, const char* entry) {
    return std::atof(Probe(file, stream, entry).c_str());
}

TEST_F(CallAudioTest, FarEndOnTheLeftMicrophoneOnTheRightFromTheFirstPictureToTheLast) {
    RecordCall("call.avi", 5.0, virtualIndex);
    EXPECT_EQ(Probe(path, "a", "stream=codec_name,sample_rate,channels"), "pcm_s16le,48000,2");
    EXPECT_EQ(ProbeNumber(path, "a", "stream=start_time"), 0.0);
    EXPECT_EQ(ProbeNumber(path, "v", "stream=start_time"), 0.0);

    std::vector<int16_t> samples = DecodeAudio(path);
    const size_t frames = samples.size() / 2;
    const double video = ProbeNumber(path, "v", "stream=duration");
    const double audio = frames / 48'000.0;
    EXPECT_NEAR(video, 5.0, 0.5);
    EXPECT_NEAR(audio, video, 0.080) << "audio " << audio << " s, video " << video << " s";

    ASSERT_GT(frames, 48'000u * 4);
    // From the first second to the last but one, in 100 ms windows: each
    // channel holds its own tone, and never the other's. (Where the track was
    // kept in time a few milliseconds are dropped or added; such a splice
    // spoils the window it falls in, not the measure.)
    const int16_t* from = samples.data() + 48'000 * 2;
    const size_t span = frames - 2 * 48'000;
    constexpr size_t kWindow = 4'800;
    EXPECT_GE(tone::WindowsWithTone(from, span, 0, kFarEndHz, kWindow, 0.9), 0.9) << "left";
    EXPECT_GE(tone::WindowsWithTone(from, span, 1, kMicrophoneHz, kWindow, 0.9), 0.9) << "right";
    EXPECT_LT(tone::MaxWindowShare(from, span, 0, kMicrophoneHz, kWindow), 0.05) << "left";
    EXPECT_LT(tone::MaxWindowShare(from, span, 1, kFarEndHz, kWindow), 0.05) << "right";
    // The far end is the average of the virtual device's two channels.
    EXPECT_GT(tone::Rms(samples.data() + 48'000 * 2, 48'000, 0), 5000.0);
}

TEST_F(CallAudioTest, WithoutTheVirtualDeviceTheAudioStreamStaysEmpty) {
    RecordCall("novirtual.avi", 2.5, static_cast<int>(::waveInGetNumDevs()));
    EXPECT_EQ(Probe(path, "a", "stream=codec_name,channels"), "pcm_s16le,2");
    EXPECT_TRUE(DecodeAudio(path).empty());
    EXPECT_GT(ProbeNumber(path, "v", "stream=nb_read_packets"), 40.0);
}

TEST_F(CallAudioTest, WithoutTheDefaultInputTheRightChannelIsSilent) {
    RecordCall("nomic.avi", 3.0, virtualIndex, "9999");
    std::vector<int16_t> samples = DecodeAudio(path);
    ASSERT_GT(samples.size() / 2, 48'000u * 2);
    const int16_t* second = samples.data() + 48'000 * 2;
    EXPECT_GE(tone::WindowsWithTone(second, 48'000, 0, kFarEndHz, 4'800, 0.9), 0.9);
    EXPECT_LT(tone::Rms(second, 48'000, 1), 1.0);
}

}  // namespace
