// The recording session between the window thread (this test's thread) and a
// worker running the real record loop on a thread of its own, as the Windows
// worker does: the start, the moves of the recorded area, the end with the
// written path and outcome, and a second recording after the first.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "engine/RecordLoop.h"
#include "engine/RecordingSession.h"

namespace {

using Clock = std::chrono::steady_clock;

// The worker's side of the session, as the Windows worker wires it; the
// grab only notes where it would have taken the picture.
class SessionTurns final : public IRecordSession {
public:
    explicit SessionTurns(RecordingSession& session) : m_state(session.State) {}

    uint32_t NowMs() override {
        return static_cast<uint32_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch()).count());
    }
    void SleepMs(uint32_t ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
    bool Recording() override { return m_state.Recording.load() == 1; }
    void MarkVideoStarted() override {
        m_state.VideoStartMs.store(NowMs() | 1);
        m_state.VideoStarted.store(1);
    }
    void TakeOrigin(int32_t& left, int32_t& top) override { m_state.TakeRect(left, top); }
    bool GrabFrame(int32_t left, int32_t top) override {
        std::lock_guard lock(m_lock);
        m_origins.push_back({left, top});
        return true;
    }
    bool WriteAudioChunkIfDue() override { return true; }
    bool WriteFrame(uint32_t) override { return true; }
    void FreeFrame() override {}
    void RequestRepaint() override {}

    std::vector<std::pair<int32_t, int32_t>> Origins() {
        std::lock_guard lock(m_lock);
        return m_origins;
    }

private:
    CRecordState& m_state;
    std::mutex m_lock;
    std::vector<std::pair<int32_t, int32_t>> m_origins;
};

// Starts a worker on the session's CaptureRect as the start handler does;
// the worker reports its file and outcome before it ends, as it does before
// its end message.
std::thread StartWorker(RecordingSession& session, SessionTurns& turns, std::atomic<bool>& ended) {
    session.State.Recording = 1;
    return std::thread([&session, &turns, &ended] {
        CRecordState& state = session.State;
        const ScreenRect rect = state.CaptureRect;
        state.SetWrittenPath("C:\\out\\" + state.RecordFileName);
        const RecordLoopResult result = RunRecordLoop(turns, 10, rect.left, rect.top);
        state.SetOutcome({RecordFailure::None, static_cast<int32_t>(result.lastPosition / 100)});
        ended = true;
    });
}

template <class Condition>
bool WaitUntil(Condition holds) {
    const auto until = Clock::now() + std::chrono::seconds(20);
    while (!holds() && Clock::now() < until) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return holds();
}

TEST(RecordingSession, TheWorkerTakesEveryMoveWholeAndInOrderAndReportsItsFile) {
    RecordingSession session;
    session.BeginRecording("a.avi", "C:\\out\\a.avi");
    session.State.CaptureRect = {0, 0, 319, 239};
    SessionTurns turns(session);
    std::atomic<bool> ended{false};
    std::thread worker = StartWorker(session, turns, ended);

    ASSERT_TRUE(WaitUntil([&] { return session.State.VideoStarted.load() == 1; }));
    EXPECT_NE(session.State.VideoStartMs.load(), 0u) << "time zero is stored before VideoStarted";

    // Moves as the region frame makes them, faster than the worker's turns;
    // each one's top is three times its left, and its size changes too.
    constexpr int kMoves = 300;
    for (int k = 1; k <= kMoves; ++k) {
        session.State.PublishRect({k, 3 * k, k + 100 + k % 7, 3 * k + 50});
        if (k % 50 == 0) std::this_thread::sleep_for(std::chrono::milliseconds(15));
    }
    EXPECT_TRUE(WaitUntil([&] { return !session.State.RectPending(); }))
        << "the worker never took the last move";
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    session.State.Recording = 0;
    worker.join();

    ASSERT_TRUE(ended.load());
    const auto origins = turns.Origins();
    ASSERT_FALSE(origins.empty());
    EXPECT_EQ(origins.front(), (std::pair<int32_t, int32_t>{0, 0}));
    EXPECT_EQ(origins.back(), (std::pair<int32_t, int32_t>{kMoves, 3 * kMoves}));
    for (size_t i = 1; i < origins.size(); ++i) {
        EXPECT_EQ(origins[i].second, 3 * origins[i].first) << "a torn move at turn " << i;
        EXPECT_GE(origins[i].first, origins[i - 1].first) << "an older move came back at turn " << i;
    }
    EXPECT_EQ(session.State.WrittenPath(), "C:\\out\\a.avi");
    EXPECT_EQ(session.State.Outcome().failure, RecordFailure::None);
}

// Paints nothing; only tells whether the worker reached it.
class CountingFrame final : public IRegionFrame {
public:
    int shown = 0;
    void SetFrame(int32_t, int32_t, int32_t, int32_t) override {}
    void Show(bool show) override { shown += show; }
    void FillBand(uint8_t, uint8_t, uint8_t) override {}
};

TEST(RecordingSession, ASecondRecordingStartsFreshAndKeepsWhatTheProgramSetUp) {
    RecordingSession session;
    CountingFrame frame;
    session.SetRegionFrame(&frame);
    session.Params.ScreenWidth = 1280;
    session.Hotkeys.RegionCancelKey = 0x7A;
    session.State.MainWindow = &frame;  // any handle
    session.State.SavedCursor = &session;

    // What the first recording leaves behind: a failure, its file, its time
    // zero and seconds, and a move that its worker never took.
    session.BeginRecording("a.avi", "C:\\out\\a.avi");
    session.State.VideoStartMs = 1234;
    session.State.VideoStarted = 1;
    session.State.ElapsedSeconds = 7;
    session.State.SetWrittenPath("C:\\out\\~temp1.avi");
    session.State.SetOutcome({RecordFailure::DiskFull, 6});
    session.State.PublishRect({500, 500, 819, 739});

    session.BeginRecording("b.avi", "D:\\rec\\b.avi");
    const CRecordState& state = session.State;
    EXPECT_EQ(state.RecordFileName, "b.avi");
    EXPECT_EQ(state.RecordPath, "D:\\rec\\b.avi");
    EXPECT_EQ(state.VideoStarted.load(), 0);
    EXPECT_EQ(state.VideoStartMs.load(), 0u);
    EXPECT_EQ(state.ElapsedSeconds, 0);
    EXPECT_EQ(state.WrittenPath(), "");
    EXPECT_EQ(state.Outcome().failure, RecordFailure::None);
    EXPECT_EQ(state.Outcome().fileSeconds, 0);
    EXPECT_FALSE(state.RectPending());

    // Its worker starts where its own rectangle says, not at the old move.
    session.State.CaptureRect = {40, 30, 359, 269};
    SessionTurns turns(session);
    std::atomic<bool> ended{false};
    std::thread worker = StartWorker(session, turns, ended);
    ASSERT_TRUE(WaitUntil([&] { return session.State.VideoStarted.load() == 1; }));
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    session.State.Recording = 0;
    worker.join();
    ASSERT_FALSE(turns.Origins().empty());
    for (const auto& origin : turns.Origins()) EXPECT_EQ(origin, (std::pair<int32_t, int32_t>{40, 30}));

    // What the program set up once stays from recording to recording.
    EXPECT_EQ(session.Params.ScreenWidth, 1280);
    EXPECT_EQ(session.Hotkeys.RegionCancelKey.load(), 0x7A);
    EXPECT_EQ(state.MainWindow, &frame);
    EXPECT_EQ(state.SavedCursor.load(), &session);
    session.RegionFrame().Show(true);
    EXPECT_EQ(frame.shown, 1);
    // A window taken away leaves one that does nothing.
    session.SetRegionFrame(nullptr);
    session.RegionFrame().Show(true);
    EXPECT_EQ(frame.shown, 1);
}

}  // namespace
