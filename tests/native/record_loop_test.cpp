// Where frames land on the timeline and what one loop turn does, with a
// simulated clock so that turn lengths are exact; and the hand-off of grabbed
// pictures to the writing thread.
#include <gtest/gtest.h>

#include <functional>
#include <future>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "engine/FramePacing.h"
#include "engine/PictureHandOff.h"
#include "engine/RecordLoop.h"

namespace {

TEST(FramePacing, TurnsOf95MsLandOnTheClocksPositions) {
    std::vector<uint32_t> positions;
    for (uint32_t elapsed = 0; elapsed <= 475; elapsed += 95)
        positions.push_back(pacing::PositionAt(elapsed, 40));
    EXPECT_EQ(positions, (std::vector<uint32_t>{0, 2, 4, 7, 9, 11}));
}

TEST(FramePacing, DueTimeIsTheFirstMillisecondOfEachPosition) {
    for (int32_t interval : {40, 33, 30, 17, 7, 1000, 1, 0, -5}) {
        for (uint32_t p = 0; p < 3000; ++p) {
            const uint32_t due = pacing::PositionDueMs(p, interval);
            ASSERT_GE(pacing::PositionAt(due, interval), p) << interval << " " << p;
            if (due > 0) {
                ASSERT_LT(pacing::PositionAt(due - 1, interval), p) << interval << " " << p;
            }
        }
    }
}

// A recording whose clock moves only when the loop sleeps or works.
class SimulatedSession : public IRecordSession {
public:
    uint32_t now = 5000;  // the clock does not start at zero
    uint32_t grabMs = 0;
    uint32_t writeMs = 0;
    uint32_t stopAt = UINT32_MAX;  // Recording turns 0 from this time on
    bool audioDue = false;
    int failGrabOnTurn = -1;
    int failWriteOnTurn = -1;
    std::function<void(int turn, int32_t& left, int32_t& top)> origin;

    std::vector<uint32_t> positions;
    std::vector<uint32_t> sleeps;
    std::vector<std::string> events;
    std::vector<std::pair<int32_t, int32_t>> grabbedAt;
    int turn = 0;
    int framesHeld = 0;
    int repaints = 0;
    int videoStarted = 0;

    uint32_t NowMs() override { return now; }
    void SleepMs(uint32_t ms) override {
        sleeps.push_back(ms);
        now += ms;
    }
    bool Recording() override { return now < stopAt; }
    void MarkVideoStarted() override { ++videoStarted; }
    void TakeOrigin(int32_t& left, int32_t& top) override {
        if (origin) origin(turn, left, top);
    }
    bool GrabFrame(int32_t left, int32_t top) override {
        ++turn;
        events.push_back("grab");
        if (turn == failGrabOnTurn) return false;
        grabbedAt.emplace_back(left, top);
        ++framesHeld;
        now += grabMs;
        return true;
    }
    bool WriteAudioChunkIfDue() override {
        if (audioDue) events.push_back("audio");
        return true;
    }
    bool WriteFrame(uint32_t position) override {
        if (turn == failWriteOnTurn) return false;
        events.push_back("frame");
        positions.push_back(position);
        now += writeMs;
        return true;
    }
    void FreeFrame() override {
        if (framesHeld > 0) --framesHeld;
    }
    void RequestRepaint() override { ++repaints; }
};

TEST(RecordLoop, SlowTurnsLoseFramesButKeepTheClock) {
    SimulatedSession s;
    s.grabMs = 95;  // each turn takes longer than a frame period
    s.stopAt = s.now + 500;
    const RecordLoopResult r = RunRecordLoop(s, 40, 0, 0);
    EXPECT_EQ(s.positions, (std::vector<uint32_t>{0, 2, 4, 7, 9, 11}));
    EXPECT_FALSE(r.failed);
    EXPECT_EQ(r.lastPosition, 11u);
    EXPECT_EQ(s.framesHeld, 0);
}

TEST(RecordLoop, AFastMachineGivesEveryPositionItsOwnPicture) {
    SimulatedSession s;
    s.grabMs = 7;
    s.writeMs = 3;
    s.stopAt = s.now + 4000;
    const RecordLoopResult r = RunRecordLoop(s, 40, 0, 0);
    ASSERT_EQ(s.positions.size(), 100u);
    for (uint32_t i = 0; i < s.positions.size(); ++i) ASSERT_EQ(s.positions[i], i);
    EXPECT_EQ(r.turns, 100u);
    // Waits are cut into slices that notice a stop.
    for (uint32_t ms : s.sleeps) EXPECT_LE(ms, 50u);
}

TEST(RecordLoop, LongIntervalsCountOnePositionPerTurnInFiftyMsSlices) {
    SimulatedSession s;
    s.grabMs = 30;
    s.stopAt = s.now + 5000;
    RunRecordLoop(s, 2000, 0, 0);
    EXPECT_EQ(s.positions, (std::vector<uint32_t>{0, 1, 2}));
    ASSERT_GE(s.sleeps.size(), 80u);
    for (size_t i = 0; i < 80; ++i) EXPECT_EQ(s.sleeps[i], 50u);
}

TEST(RecordLoop, AStopDuringASleepEndsTheLoopAfterThatSlice) {
    SimulatedSession s;
    s.grabMs = 5;
    s.stopAt = s.now + 1230;
    RunRecordLoop(s, 2000, 0, 0);
    // One turn, then slices until the one that ends past the stop.
    EXPECT_EQ(s.turn, 1);
    EXPECT_EQ(s.sleeps.size(), 25u);
    EXPECT_LT(s.now - (s.stopAt), 50u);
}

TEST(RecordLoop, NoFrameIsTakenOnceRecordingReadsZero) {
    SimulatedSession s;
    s.stopAt = s.now;  // already stopped
    const RecordLoopResult r = RunRecordLoop(s, 40, 0, 0);
    EXPECT_EQ(r.turns, 0u);
    EXPECT_TRUE(s.events.empty());
    EXPECT_EQ(s.videoStarted, 0);
}

TEST(RecordLoop, AudioChunkGoesBeforeThatTurnsFrame) {
    SimulatedSession s;
    s.audioDue = true;
    s.grabMs = 10;
    s.stopAt = s.now + 200;
    RunRecordLoop(s, 40, 0, 0);
    ASSERT_EQ(s.events.size(), 15u);
    for (size_t i = 0; i < s.events.size(); i += 3) {
        EXPECT_EQ(s.events[i], "grab");
        EXPECT_EQ(s.events[i + 1], "audio");
        EXPECT_EQ(s.events[i + 2], "frame");
    }
    EXPECT_EQ(s.videoStarted, 1);
}

TEST(RecordLoop, AFailedGrabOrWriteEndsTheRecordingKeepingEarlierFrames) {
    SimulatedSession grabFails;
    grabFails.failGrabOnTurn = 4;
    const RecordLoopResult g = RunRecordLoop(grabFails, 40, 0, 0);
    EXPECT_TRUE(g.failed);
    EXPECT_EQ(g.framesWritten, 3u);
    EXPECT_EQ(grabFails.turn, 4);

    SimulatedSession writeFails;
    writeFails.failWriteOnTurn = 2;
    const RecordLoopResult w = RunRecordLoop(writeFails, 40, 0, 0);
    EXPECT_TRUE(w.failed);
    EXPECT_EQ(w.framesWritten, 1u);
    EXPECT_EQ(writeFails.framesHeld, 0) << "the frame of the failed write was not freed";
}

TEST(RecordLoop, RepaintsEveryHalfSecondAndTakesMovedOrigins) {
    SimulatedSession s;
    s.grabMs = 10;
    s.stopAt = s.now + 2000;
    s.origin = [](int turn, int32_t& left, int32_t& top) {
        if (turn == 10) left = 300, top = 400;  // the user dragged the frame
    };
    RunRecordLoop(s, 40, 20, 30);
    EXPECT_EQ(s.repaints, 3);  // at 0.5, 1.0 and 1.5 s
    ASSERT_GT(s.grabbedAt.size(), 12u);
    EXPECT_EQ(s.grabbedAt[9], std::make_pair(20, 30));
    EXPECT_EQ(s.grabbedAt[10], std::make_pair(300, 400));
    EXPECT_EQ(s.grabbedAt.back(), std::make_pair(300, 400));
}

// A writer whose first picture is held until the test lets it go, as a very
// slow encode would hold it.
class HeldWriter final : public IPictureWriter {
public:
    std::promise<void> started;  // the first write has begun
    std::promise<void> release;
    uint32_t failAt = UINT32_MAX;
    std::mutex lock;
    std::vector<std::pair<int, uint32_t>> written;  // surface, position

    explicit HeldWriter(bool hold) : m_hold(hold) {}
    bool WritePicture(int surface, uint32_t position) override {
        bool first;
        {
            std::lock_guard<std::mutex> hold(lock);
            written.emplace_back(surface, position);
            first = written.size() == 1;
        }
        if (first && m_hold) {
            started.set_value();
            release.get_future().wait();
        }
        return position != failAt;
    }

private:
    bool m_hold;
};

// The loop's session with the grab and the write on two threads: each turn
// grabs into the hand-off's free surface and hands the picture over.
class HandOffSession final : public SimulatedSession {
public:
    explicit HandOffSession(CPictureHandOff& handOff) : m_handOff(handOff) {}
    std::function<void(int turn)> beforeGrab;
    std::vector<int> grabSurfaces;

    bool GrabFrame(int32_t left, int32_t top) override {
        if (beforeGrab) beforeGrab(turn + 1);
        grabSurfaces.push_back(m_handOff.GrabSurface());
        return SimulatedSession::GrabFrame(left, top);
    }
    bool WriteFrame(uint32_t position) override {
        positions.push_back(position);
        return m_handOff.Submit(position);
    }

private:
    CPictureHandOff& m_handOff;
};

TEST(PictureHandOff, ASlowWriteDelaysNoGrabAndTheLastPictureIsWrittenAtTheStop) {
    HeldWriter writer(true);
    CPictureHandOff handOff(writer);
    HandOffSession s(handOff);
    s.grabMs = 7;
    s.stopAt = s.now + 400;
    // From the second turn on the first picture is being written, and stays so.
    s.beforeGrab = [&](int turn) {
        if (turn == 2) writer.started.get_future().wait();
    };
    const RecordLoopResult r = RunRecordLoop(s, 40, 0, 0);

    // Every turn kept its own position on the clock while the write hung.
    ASSERT_FALSE(r.failed);
    ASSERT_EQ(s.positions.size(), 10u);
    for (uint32_t i = 0; i < 10; ++i) EXPECT_EQ(s.positions[i], i);
    // No grab went into the surface being written, nor into the waiting one.
    const int held = s.grabSurfaces[0];
    for (size_t i = 1; i < s.grabSurfaces.size(); ++i) {
        EXPECT_NE(s.grabSurfaces[i], held) << "turn " << i + 1;
        EXPECT_NE(s.grabSurfaces[i], s.grabSurfaces[i - 1]) << "turn " << i + 1;
    }

    writer.release.set_value();
    EXPECT_TRUE(handOff.Finish());
    // Each newer picture replaced the waiting one; the last is written at the
    // stop, from the surface it was grabbed into.
    const std::vector<std::pair<int, uint32_t>> expected = {{held, 0}, {s.grabSurfaces[9], 9}};
    EXPECT_EQ(writer.written, expected);
    EXPECT_EQ(handOff.Written(), 2u);
    EXPECT_EQ(handOff.Replaced(), 8u);
}

TEST(PictureHandOff, AFailedWriteEndsTheLoopOnItsNextTurnAndNothingMoreIsWritten) {
    HeldWriter writer(false);
    writer.failAt = 0;
    CPictureHandOff handOff(writer);
    HandOffSession s(handOff);
    s.grabMs = 7;
    s.beforeGrab = [&](int turn) {
        if (turn == 2)
            while (handOff.Healthy()) std::this_thread::yield();  // until the write has failed
    };
    const RecordLoopResult r = RunRecordLoop(s, 40, 0, 0);
    EXPECT_TRUE(r.failed);
    EXPECT_EQ(s.turn, 2);
    EXPECT_EQ(r.framesWritten, 1u);
    EXPECT_FALSE(handOff.Finish());
    EXPECT_EQ(writer.written.size(), 1u);
    EXPECT_EQ(handOff.Written(), 0u);
}

}  // namespace
