// Automatic call recording's decisions, fed as the main window feeds them:
// the far end's sound in 100 ms slices and a check every 100 ms with the
// conversation window, its contact and whether a recording runs. Also the
// settings' texts, the sound level and the recorded area that follows the
// call window.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

#include "engine/AutoRecordSettings.h"
#include "engine/AutoRecorder.h"
#include "engine/CallWindowFollow.h"
#include "engine/SoundLevel.h"

using autorec::Decision;

namespace {

constexpr double kTone = -12.0;   // the stand-in's far end
constexpr double kQuiet = -55.0;  // below the threshold

// A desktop of conversation windows and the recorder that reacts to them.
class Call : public autorec::IWindowPresence {
public:
    explicit Call(std::vector<std::string> contacts = {}, int silenceSeconds = 60) {
        machine.Configure(std::move(contacts), silenceSeconds);
    }
    bool Stands(uintptr_t window) const override { return standing.count(window) != 0; }

    // 100 ms: the far end's slice at `level`, then a check of the window on
    // top (0: none). Start and Stop act as the program does.
    Decision Tick(uintptr_t window, double level, const std::string& contact = "alice@example.com") {
        now += 100;
        machine.Hear(now, 100, level);
        autorec::Observation seen;
        seen.nowMs = now;
        seen.window = standing.count(window) ? window : 0;
        seen.contact = contact;
        seen.busy = recording;
        seen.recordedWindow = recorded;
        const Decision decision = machine.Step(seen, *this);
        if (decision == Decision::Start) {
            recording = true;
            recorded = window;
        } else if (decision == Decision::Stop) {
            recording = false;
        }
        return decision;
    }
    // Ticks until `wanted` or `ms` passed; the time it took, or -1.
    int TicksUntil(Decision wanted, uintptr_t window, double level, int ms) {
        for (int t = 100; t <= ms; t += 100)
            if (Tick(window, level) == wanted) return t;
        return -1;
    }

    autorec::CAutoRecorder machine;
    std::set<uintptr_t> standing;
    uint32_t now = 0;
    bool recording = false;
    uintptr_t recorded = 0;
};

constexpr uintptr_t kWindow = 0x1234;
constexpr uintptr_t kOtherWindow = 0x5678;

}  // namespace

TEST(AutoRecord, StartsTwoSecondsIntoTheFarEndsSoundAndNeverForAChatWithoutSound) {
    Call call;
    call.standing = {kWindow};
    // A text chat: the window stays, nothing is heard, or too little.
    EXPECT_EQ(call.TicksUntil(Decision::Start, kWindow, autorec::kSoundThresholdDbfs, 30'000), -1);
    EXPECT_EQ(call.TicksUntil(Decision::Start, kWindow, kQuiet, 5'000), -1);
    for (int i = 0; i < 100; ++i)  // loud half the time: 1.5 s of every 3 s
        ASSERT_EQ(call.Tick(kWindow, i % 2 ? kTone : kQuiet), Decision::None);
    // Sound without a conversation window records nothing either.
    EXPECT_EQ(call.TicksUntil(Decision::Start, 0, kTone, 5'000), -1);
    call.TicksUntil(Decision::Start, 0, kQuiet, 3'000);

    // The far end speaks: the recording starts with the 2nd second of sound.
    EXPECT_EQ(call.TicksUntil(Decision::Start, kWindow, kTone, 5'000), 2'000);
    EXPECT_EQ(call.machine.OwnRecording(), kWindow);
}

TEST(AutoRecord, OnlySoundHeardWhileTheWindowIsThereCounts) {
    Call call;
    // The last call's sound goes on while no conversation is open...
    EXPECT_EQ(call.TicksUntil(Decision::Start, 0, kTone, 3'000), -1);
    // ...and ends as a chat opens: the chat is not recorded.
    call.standing = {kWindow};
    call.Tick(kWindow, kTone);
    EXPECT_EQ(call.TicksUntil(Decision::Start, kWindow, kQuiet, 5'000), -1);

    // Sound that goes on when another window appears counts from there.
    call.standing.insert(kOtherWindow);
    EXPECT_EQ(call.TicksUntil(Decision::Start, kOtherWindow, kTone, 5'000), 2'000);
}

TEST(AutoRecord, SoundHeardFromTwoSourcesAtOnceCountsOnce) {
    // The audio engine's reports and the program's own listener overlap for
    // a moment when one takes over from the other.
    Call call;
    call.standing = {kWindow};
    int ticks = 0;
    do {
        call.machine.Hear(call.now + 100, 100, kTone);
        ++ticks;
    } while (call.Tick(kWindow, kTone) != Decision::Start && ticks < 50);
    EXPECT_EQ(ticks * 100, 2'000);
}

TEST(AutoRecord, OnlyTheChosenContactsLetterCaseAside) {
    Call chosen({"Alice@Example.COM", "carol"});
    chosen.standing = {kWindow};
    for (int t = 0; t < 50; ++t) ASSERT_EQ(chosen.Tick(kWindow, kTone, "bob@example.com"), Decision::None);
    for (int t = 0; t < 50; ++t) ASSERT_EQ(chosen.Tick(kWindow, kTone, "carol@example.com"), Decision::None);
    EXPECT_EQ(chosen.Tick(kWindow, kTone, "alice@example.com"), Decision::Start);
}

TEST(AutoRecord, StopsWhenTheWindowClosesOrHidesAndStartsAgainForTheNextCall) {
    Call call;
    call.standing = {kWindow};
    ASSERT_GT(call.TicksUntil(Decision::Start, kWindow, kTone, 3'000), 0);
    EXPECT_EQ(call.TicksUntil(Decision::Stop, kWindow, kTone, 10'000), -1);
    call.standing.clear();  // closed, or hidden: it no longer stands
    EXPECT_EQ(call.Tick(kWindow, kTone), Decision::Stop);
    EXPECT_EQ(call.Tick(0, kTone), Decision::None);

    // Stopped by the machine: the same window showing again is a new call.
    call.standing = {kWindow};
    EXPECT_EQ(call.TicksUntil(Decision::Start, kWindow, kTone, 3'000), 2'000);
}

TEST(AutoRecord, StopsAfterTheChosenSilence) {
    Call call({}, 5);
    call.standing = {kWindow};
    ASSERT_GT(call.TicksUntil(Decision::Start, kWindow, kTone, 3'000), 0);
    // Pauses in the talk shorter than the silence do not end it.
    EXPECT_EQ(call.TicksUntil(Decision::Stop, kWindow, kQuiet, 4'900), -1);
    EXPECT_EQ(call.TicksUntil(Decision::Stop, kWindow, kTone, 3'000), -1);
    EXPECT_EQ(call.TicksUntil(Decision::Stop, kWindow, kQuiet, 10'000), 5'000);
}

TEST(AutoRecord, ARecordingStoppedByHandIsNotStartedAgainUntilItsWindowCloses) {
    Call call;
    call.standing = {kWindow, kOtherWindow};
    ASSERT_GT(call.TicksUntil(Decision::Start, kWindow, kTone, 3'000), 0);
    call.TicksUntil(Decision::Stop, kWindow, kTone, 1'000);
    call.recording = false;  // F9
    EXPECT_EQ(call.TicksUntil(Decision::Start, kWindow, kTone, 20'000), -1);
    EXPECT_EQ(call.machine.HeldBack(), std::vector<uintptr_t>{kWindow});

    // Another conversation is another call.
    EXPECT_EQ(call.TicksUntil(Decision::Start, kOtherWindow, kTone, 3'000), 2'000);
    call.recording = false;
    call.standing.erase(kOtherWindow);
    call.Tick(0, kTone);

    // Once the window has closed, a window of that handle is a new call.
    call.standing.erase(kWindow);
    call.Tick(0, kTone);
    EXPECT_TRUE(call.machine.HeldBack().empty());
    call.standing.insert(kWindow);
    EXPECT_EQ(call.TicksUntil(Decision::Start, kWindow, kTone, 3'000), 2'000);
}

TEST(AutoRecord, TheUsersOwnRecordingIsLeftToTheUser) {
    Call call({}, 1);
    call.standing = {kWindow};
    call.recording = true;  // Record call, clicked
    call.recorded = kWindow;
    EXPECT_EQ(call.TicksUntil(Decision::Stop, kWindow, kQuiet, 5'000), -1);
    call.standing.clear();
    EXPECT_EQ(call.TicksUntil(Decision::Stop, kWindow, kQuiet, 1'000), -1);
    call.recording = false;
    call.standing = {kWindow};
    // Ended by the user while its window stays: held back like a hand stop.
    EXPECT_EQ(call.TicksUntil(Decision::Start, kWindow, kTone, 5'000), -1);
}

TEST(AutoRecord, AStartThatDidNotHappenIsAskedForAgainAndTheClockMayWrap) {
    Call call;
    call.now = 0xFFFFFFFFu - 1'000;
    call.standing = {kWindow};
    ASSERT_EQ(call.TicksUntil(Decision::Start, kWindow, kTone, 3'000), 2'000);
    call.recording = false;  // the program could not start it
    EXPECT_EQ(call.Tick(kWindow, kTone), Decision::Start);
    EXPECT_TRUE(call.machine.HeldBack().empty());
}

TEST(AutoRecordSettings, TextsFromConfigIni) {
    const autorec::AutoRecordSettings none = autorec::ParseAutoRecordSettings("", "", "");
    EXPECT_FALSE(none.enabled);
    EXPECT_TRUE(none.contacts.empty());
    EXPECT_EQ(none.silenceStopSeconds, 60);

    EXPECT_TRUE(autorec::ParseSwitch(" 1 ", false));
    EXPECT_FALSE(autorec::ParseSwitch("0", true));
    EXPECT_TRUE(autorec::ParseSwitch("yes", true));
    EXPECT_FALSE(autorec::ParseSwitch("yes", false));
    EXPECT_FALSE(autorec::ParseSwitch("1x", false));

    EXPECT_EQ(autorec::ParseSilenceSeconds("90"), 90);
    EXPECT_EQ(autorec::ParseSilenceSeconds("0"), 60);
    EXPECT_EQ(autorec::ParseSilenceSeconds("-5"), 60);
    EXPECT_EQ(autorec::ParseSilenceSeconds("ten"), 60);
    EXPECT_EQ(autorec::ParseSilenceSeconds("99999999999999999999"), 60);
    EXPECT_EQ(autorec::ParseSilenceSeconds("9999999"), autorec::kMaxSilenceStopSeconds);

    EXPECT_EQ(autorec::SplitContacts(" alice@example.com ;; Bob ;"),
              (std::vector<std::string>{"alice@example.com", "Bob"}));
    EXPECT_TRUE(autorec::ContactChosen({}, "anyone"));
    EXPECT_TRUE(autorec::ContactChosen({"Bob"}, "bOB"));
    EXPECT_FALSE(autorec::ContactChosen({"Bob"}, "bob@example.com"));
    EXPECT_FALSE(autorec::ContactChosen({"Bob"}, ""));
    EXPECT_EQ(autorec::JoinContacts({"a", "b"}), "a, b");
}

TEST(SoundLevel, RmsAgainstFullScaleInSlicesEndingWhereTheirSoundEnds) {
    // 400 ms: 200 ms of silence, then 200 ms of a sine at amplitude 12000,
    // delivered as 350 ms and then as five 10 ms blocks.
    std::vector<int16_t> pcm(400 * 48 * 2, 0);
    for (size_t frame = 200 * 48; frame < 400 * 48; ++frame)
        pcm[2 * frame] = pcm[2 * frame + 1] =
            static_cast<int16_t>(12000 * std::sin(2 * 3.14159265358979 * 1000 * frame / 48000.0));
    const auto* bytes = reinterpret_cast<const uint8_t*>(pcm.data());
    engine::CLevelMeter meter(100);
    auto slices = meter.Add(bytes, 350 * 192 + 1, 10'000);
    ASSERT_EQ(slices.size(), 3u);
    for (uint32_t block = 1; block <= 5; ++block) {
        const auto more = meter.Add(bytes + (340 + 10 * block) * 192, 10 * 192, 10'000 + 10 * block);
        EXPECT_EQ(more.size(), block == 5 ? 1u : 0u);
        slices.insert(slices.end(), more.begin(), more.end());
    }
    ASSERT_EQ(slices.size(), 4u);
    const uint32_t ends[] = {9'750, 9'850, 9'950, 10'050};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(slices[i].endMs, ends[i]);
        EXPECT_EQ(slices[i].lengthMs, 100u);
    }
    EXPECT_EQ(slices[0].levelDbfs, engine::kSilenceDbfs);
    EXPECT_NEAR(slices[2].levelDbfs, 20 * std::log10(12000 / std::sqrt(2.0) / 32768), 0.05);
    EXPECT_NEAR(slices[3].levelDbfs, slices[2].levelDbfs, 0.05);

    // The threshold lies between amplitudes 100 and 160.
    std::vector<int16_t> soft(4800);
    for (int amplitude : {100, 160}) {
        for (size_t i = 0; i < soft.size(); ++i)
            soft[i] = static_cast<int16_t>(amplitude * std::sin(0.13 * static_cast<double>(i)));
        EXPECT_EQ(engine::RmsDbfs(soft.data(), soft.size()) > autorec::kSoundThresholdDbfs, amplitude == 160);
    }
    EXPECT_TRUE(meter.Add(nullptr, 0, 0).empty());
}

TEST(CallWindowFollower, TheAreaGoesWhereTheWindowsTopLeftGoesButNotWhileMinimised) {
    CCallWindowFollower follower;
    follower.Begin({600, 200, 1079, 559});
    EXPECT_FALSE(follower.Observe({600, 200, 1079, 559}, false).move);

    const auto moved = follower.Observe({400, 200, 879, 559}, false);
    EXPECT_TRUE(moved.move);
    EXPECT_EQ(moved.left, 400);
    EXPECT_EQ(moved.top, 200);
    // Wider from the right edge: the top-left stays, so does the area.
    EXPECT_FALSE(follower.Observe({400, 200, 999, 700}, false).move);
    // Wider from the left edge: the area goes with the top-left.
    EXPECT_TRUE(follower.Observe({350, 200, 999, 700}, false).move);

    const auto minimised = follower.Observe({-32000, -32000, -31841, -31973}, true);
    EXPECT_TRUE(minimised.minimisedChanged && minimised.minimised);
    EXPECT_FALSE(minimised.move);
    EXPECT_FALSE(follower.Observe({-32000, -32000, -31841, -31973}, true).minimisedChanged);
    const auto restored = follower.Observe({350, 200, 999, 700}, false);
    EXPECT_TRUE(restored.minimisedChanged && !restored.minimised);
    EXPECT_FALSE(restored.move);
    follower.Observe({-32000, -32000, -31841, -31973}, true);
    const auto elsewhere = follower.Observe({10, 20, 659, 520}, false);
    EXPECT_TRUE(elsewhere.move);
    EXPECT_EQ(elsewhere.left, 10);
}
