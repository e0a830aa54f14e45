// Failures told, not hidden: a recording that a full disk cuts short, an
// output folder that cannot be used, and an audio engine ended from outside
// during a call.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "callenv/AudioRouter.h"
#include "res/resource.h"
#include "tests/e2e/call_scene.h"
#include "tests/support/fixture_paths.h"
#include "tests/support/host_command.h"
#include "tests/support/media_probe.h"
#include "tests/support/sound_rig.h"
#include "tests/support/tone.h"

namespace {

using e2e::CallScene;

constexpr const char* kUnusable = ": the output folder cannot be used";

// A scratch folder with a 3 MiB volume of its own mounted on it, whose
// writes fail once it is full. Mounting needs root, which the rig has.
class SmallVolume {
public:
    SmallVolume() : m_folder(e2e::MakeScratchFolder("lumiskop-small")) {
        const hostcmd::Result mount =
            hostcmd::Run("mount -t tmpfs -o size=3m lumiskop-small " + HostFolder() + " 2>&1");
        m_mounted = mount.finished && mount.exitCode == 0;
        m_why = mount.output;
    }
    ~SmallVolume() {
        if (m_mounted) hostcmd::Run("umount " + HostFolder());
        e2e::RemoveScratchFolder(m_folder);
    }
    bool Mounted() const { return m_mounted; }
    const std::string& Why() const { return m_why; }
    const std::string& Folder() const { return m_folder; }

private:
    std::string HostFolder() const { return hostcmd::ShellQuote(hostcmd::HostPath(m_folder)); }

    std::string m_folder;
    bool m_mounted = false;
    std::string m_why;
};

std::string Status(CallScene& scene) {
    return scene.Recorder().ControlText(IDC_STATUS);
}

std::string Duration(int seconds) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", seconds / 3600, seconds / 60 % 60,
                  seconds % 60);
    return text;
}

TEST(RecordingFailures, AFullDiskEndsTheRecordingTheWindowSaysWhyAndTheRowTellsWhatTheFileHolds) {
    SmallVolume volume;
    if (!volume.Mounted())
        GTEST_SKIP() << "no small volume could be mounted here (mounting needs root): "
                     << volume.Why();
    CallScene scene(volume.Folder());
    ASSERT_TRUE(scene.Ready()) << "the call could not be set up";
    e2e::RecorderSession& recorder = scene.Recorder();

    ASSERT_TRUE(scene.StartCallRecording());
    // The call fills 3 MiB in about a quarter of a minute.
    ASSERT_TRUE(scene.WaitForRows(1, 120000)) << "the recording went on on a full volume";
    EXPECT_TRUE(e2e::WaitUntil([&] { return !::IsIconic(recorder.Main()); }, 5000));
    EXPECT_EQ(scene.StopWindow(), nullptr) << "the stop window stays on screen";
    EXPECT_EQ(Status(scene), "Recording stopped: the disk is full");

    const std::vector<std::string> files = scene.Recordings();
    ASSERT_EQ(files.size(), 1u);
    const std::vector<e2e::RecorderSession::Row> rows = recorder.ListRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].fileName, files[0]);

    // The file plays up to where the disk ran out, every picture in it
    // decodes, and the row says how long that is.
    // Checked from a copy: the decoders write next to the file, and the
    // volume is full.
    const std::string copyFolder = e2e::MakeScratchFolder("lumiskop-cut");
    const std::string path = copyFolder + "\\" + files[0];
    ASSERT_TRUE(::CopyFileA((scene.Folder() + "\\" + files[0]).c_str(), path.c_str(), FALSE));
    const std::vector<long> positions = PacketPositions(path);
    ASSERT_FALSE(positions.empty()) << "the file does not play";
    const int seconds = static_cast<int>((positions.back() + 1) / 25);
    std::printf("the full volume holds %.2f s of the call\n", (positions.back() + 1) / 25.0);
    EXPECT_GE(seconds, 5);
    EXPECT_EQ(rows[0].duration, Duration(seconds));
    EXPECT_EQ(DecodeFrames(path, 480, 360).size(), positions.size());
    const std::vector<int16_t> audio = DecodeAudio(path);
    EXPECT_GT(audio.size() / 2, 48000u * 3) << "the sound is lost";
    e2e::RemoveScratchFolder(copyFolder);

    // The words stay: nothing turns them back into "Ready".
    ::Sleep(2500);
    EXPECT_EQ(Status(scene), "Recording stopped: the disk is full");
}

TEST(RecordingFailures, AnUnusableOutputFolderIsToldAndTheRowIsWhereTheRecordingWent) {
    const std::string scratch = e2e::MakeScratchFolder("lumiskop-notfolder");
    const std::string notFolder = scratch + "\\recordings.txt";
    std::ofstream(notFolder) << "a file, not a folder\n";
    const std::string program = e2e::ProgramFolder();
    const std::vector<std::string> before = FilesIn(program, "*.avi");
    {
        CallScene scene(notFolder);
        ASSERT_TRUE(scene.Ready()) << "the call could not be set up";
        e2e::RecorderSession& recorder = scene.Recorder();

        ASSERT_TRUE(scene.StartCallRecording());
        EXPECT_EQ(Status(scene), "Recording to " + program + kUnusable);
        ::Sleep(2000);
        ASSERT_TRUE(recorder.PressKey("F9", scene.Conversation()));
        ASSERT_TRUE(scene.WaitForRows(1)) << "F9 did not stop the recording";
        EXPECT_EQ(Status(scene), "Saved in " + program + kUnusable);
        EXPECT_EQ(recorder.ControlText(IDC_OUTPUT_FOLDER), notFolder);

        std::vector<std::string> made;
        for (const std::string& name : FilesIn(program, "*.avi"))
            if (std::find(before.begin(), before.end(), name) == before.end()) made.push_back(name);
        ASSERT_EQ(made.size(), 1u) << "the recording is not in the program folder";
        EXPECT_EQ(recorder.ListRows()[0].fileName, made[0]);
        ASSERT_TRUE(recorder.Close());
        EXPECT_EQ(Probe(program + "\\" + made[0], "v", "stream=codec_tag_string"), "MP43");
        ::DeleteFileA((program + "\\" + made[0]).c_str());
    }
    e2e::RemoveScratchFolder(scratch);
}

bool EngineRunning() {
    return CAudioRouter().AudioEngineRunning();
}

// Share of 20 ms windows in which the far end's tone is heard on the speakers.
double FarEndOnSpeakers(double seconds) {
    const std::vector<int16_t> heard = soundrig::RecordMonitor(soundrig::kSpeakersSink, seconds);
    return tone::WindowsWithTone(heard.data(), heard.size() / 2, 0, e2e::kFarEndHz, 960, 0.8);
}

TEST(RecordingFailures, AnAudioEngineEndedMidCallIsStartedAgainByTheNextRecording) {
    CallScene scene;
    ASSERT_TRUE(scene.Ready()) << "the call could not be set up";
    e2e::RecorderSession& recorder = scene.Recorder();
    ASSERT_TRUE(e2e::WaitUntil(EngineRunning, 15000)) << "no engine after start-up";

    ASSERT_TRUE(scene.StartCallRecording());
    CAudioRouter().TerminateProcessByName("sndrelay.exe");
    ASSERT_TRUE(e2e::WaitUntil([] { return !EngineRunning(); }, 15000));
    EXPECT_LT(FarEndOnSpeakers(1.5), 0.1) << "the call is heard without the engine";
    ASSERT_TRUE(recorder.PressKey("F9", scene.Conversation()));
    ASSERT_TRUE(scene.WaitForRows(1));

    // Starting the engine can take the full wait for its mutex.
    ASSERT_TRUE(scene.StartCallRecording(30000));
    EXPECT_TRUE(EngineRunning()) << "the next recording did not start the engine";
    EXPECT_EQ(Status(scene), "Recording");
    ::Sleep(1000);  // let the relay settle
    EXPECT_GT(FarEndOnSpeakers(2), 0.9) << "the call is not heard on the speakers again";
    ASSERT_TRUE(recorder.PressKey("F9", scene.Conversation()));
    ASSERT_TRUE(scene.WaitForRows(2));
}

}  // namespace
