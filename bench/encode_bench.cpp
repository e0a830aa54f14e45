// Encode-and-write throughput of our MP43 encoder and AVI writer against the
// ffmpeg command-line tool on the same raw frames, at three sizes.
//   encode_bench [FRAMES]
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "engine/AviWriter.h"
#include "engine/Mp43Encoder.h"
#include "engine/RecordParams.h"
#include "bench/ConversationPicture.h"

namespace {

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

struct Figures {
    double oursFps = 0;
    double cliFps = 0;
    long long oursBytes = 0;
};

Figures Run(int w, int h, int frames, const std::string& dir) {
    Figures f;
    const int stride = (w * 3 + 3) & ~3;
    std::vector<std::vector<uint8_t>> raw(frames, std::vector<uint8_t>(static_cast<size_t>(stride) * h));
    for (int i = 0; i < frames; ++i) PaintConversation(raw[i], w, h, i);

    // The same frames, as they are, for the command-line tool.
    const std::string rawPath = dir + "/frames.bgr";
    if (std::FILE* out = std::fopen(rawPath.c_str(), "wb")) {
        for (auto& frame : raw) std::fwrite(frame.data(), 1, frame.size(), out);
        std::fclose(out);
    }

    CMp43Encoder encoder;
    CAviWriter writer;
    AviVideoFormat video;
    video.width = w;
    video.height = h;
    video.fourcc = MakeFourcc('M', 'P', '4', '3');
    video.imageSize = static_cast<uint32_t>(stride * h);
    const std::string ours = dir + "/ours.avi";
    const auto start = std::chrono::steady_clock::now();
    bool ok = encoder.Open(w, h, 25, 25, 10000) && writer.Open(ours, video, AviAudioFormat{});
    for (int i = 0; ok && i < frames; ++i) {
        EncodedFrame e;
        ok = encoder.Encode(raw[i].data(), stride, e) &&
             writer.WriteVideo(static_cast<uint32_t>(i), e.data, e.size, e.keyFrame);
        f.oursBytes += e.size;
    }
    ok = writer.Close() && ok;
    f.oursFps = ok ? frames / Seconds(start) : 0;

    // Rows are stored bottom-up (as grabbed); the tool flips them back for free.
    char command[1024];
    std::snprintf(command, sizeof command,
                  "ffmpeg -nostdin -hide_banner -benchmark -y -f rawvideo -pix_fmt bgr24 -s %dx%d "
                  "-r 25 -i %s -vf vflip -c:v msmpeg4 -q:v 2 -g 25 -vtag MP43 -f avi "
                  "%s/cli.avi 2>&1",
                  w, h, rawPath.c_str(), dir.c_str());
    if (std::FILE* p = popen(command, "r")) {
        char line[512];
        double rtime = 0;
        while (std::fgets(line, sizeof line, p))
            if (const char* at = std::strstr(line, "rtime=")) rtime = std::atof(at + 6);
        pclose(p);
        f.cliFps = rtime > 0 ? frames / rtime : 0;
    }
    std::remove(rawPath.c_str());
    return f;
}

}  // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::atoi(argv[1]) : 125;
    char dirTemplate[] = "/tmp/encode_bench.XXXXXX";
    const char* dir = mkdtemp(dirTemplate);
    if (!dir) return 1;
    const int sizes[3][2] = {{640, 480}, {1280, 720}, {1920, 1080}};
    std::printf("%d frames per size, MP43 at quality 10000 (quantiser %d), key frame every 25\n",
                frames, CMp43Encoder::QuantizerFor(10000));
    std::string summary;
    for (const auto& s : sizes) {
        const Figures f = Run(s[0], s[1], frames, dir);
        const double ratio = f.cliFps > 0 ? f.oursFps / f.cliFps : 0;
        std::printf("%4dx%-4d  ours %7.1f frames/s (%.1f KiB/frame)   ffmpeg CLI %7.1f frames/s   "
                    "ratio %.2f\n",
                    s[0], s[1], f.oursFps, f.oursBytes / 1024.0 / frames, f.cliFps, ratio);
        char part[96];
        std::snprintf(part, sizeof part, " %dx%d %.2f", s[0], s[1], ratio);
        summary += part;
    }
    std::printf("SUMMARY ours/CLI throughput:%s\n", summary.c_str());
    std::string cleanup = std::string("rm -rf ") + dir;
    return std::system(cleanup.c_str()) == 0 ? 0 : 1;
}
