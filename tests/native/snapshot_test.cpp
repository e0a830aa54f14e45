// Snapshot files: names that never overwrite, and bitmap files that read back
// as the picture they were made from.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "app/Snapshot.h"

namespace {

uint32_t Read32(const std::vector<uint8_t>& f, size_t at) {
    return f[at] | f[at + 1] << 8 | f[at + 2] << 16 | uint32_t(f[at + 3]) << 24;
}

// A YUV 4:2:0 picture whose top half is pure red and bottom half pure blue.
std::vector<uint8_t> RedOverBlue(int w, int h) {
    std::vector<uint8_t> yuv(size_t(w) * h + 2 * size_t((w + 1) / 2) * ((h + 1) / 2));
    uint8_t* y = yuv.data();
    uint8_t* u = y + w * h;
    uint8_t* v = u + ((w + 1) / 2) * ((h + 1) / 2);
    for (int row = 0; row < h; ++row) {
        bool top = row < h / 2;
        std::memset(y + row * w, top ? 81 : 41, w);
        if (row % 2 == 0) {
            std::memset(u + (row / 2) * ((w + 1) / 2), top ? 90 : 240, (w + 1) / 2);
            std::memset(v + (row / 2) * ((w + 1) / 2), top ? 240 : 110, (w + 1) / 2);
        }
    }
    return yuv;
}

}  // namespace

TEST(SnapshotName, CountsPastExistingFilesAndKeepsTheRecordingsExtension) {
    std::set<std::string> existing;
    auto exists = [&](const std::string& p) { return existing.count(p) > 0; };
    const std::string folder = "C:\\QuorvantaOutput\\Snapshot";
    const std::string name = "2011-01-05 09-12-47.avi";
    EXPECT_EQ(NextSnapshotBaseName(folder, name, exists), "2011-01-05 09-12-47.avi_1");
    existing.insert(folder + "\\" + name + "_1.bmp");
    existing.insert(folder + "\\" + name + "_2.bmp");
    EXPECT_EQ(NextSnapshotBaseName(folder, name, exists), "2011-01-05 09-12-47.avi_3");
}

TEST(SnapshotBmp, HeaderStatesTheFileSizeAndBottomUpRows) {
    std::vector<uint8_t> file = EncodeSnapshotBmp(RedOverBlue(320, 240).data(), 320, 240);
    ASSERT_EQ(file.size(), 230'454u);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(Read32(file, 2), 230'454u);
    EXPECT_EQ(Read32(file, 10), 54u);
    EXPECT_EQ(Read32(file, 14), 40u);
    EXPECT_EQ(Read32(file, 18), 320u);
    EXPECT_EQ(Read32(file, 22), 240u);
    EXPECT_EQ(file[26] | file[27] << 8, 1);
    EXPECT_EQ(file[28] | file[29] << 8, 24);
    for (size_t i = 30; i < 54; ++i) EXPECT_EQ(file[i], 0) << "header byte " << i;

    // The first stored row is the picture's bottom (blue), the last its top (red).
    const uint8_t* first = &file[54];
    const uint8_t* last = &file[54 + 960 * 239];
    EXPECT_GT(first[0], 200);  // blue
    EXPECT_LT(first[2], 60);
    EXPECT_GT(last[2], 200);  // red
    EXPECT_LT(last[0], 60);
}

TEST(SnapshotBmp, RowsOfOddWidthsArePaddedToFourBytes) {
    std::vector<uint8_t> file = EncodeSnapshotBmp(RedOverBlue(322, 10).data(), 322, 10);
    const size_t row = 968;  // 966 bytes of pixels + 2 of padding
    ASSERT_EQ(file.size(), 54 + row * 10);
    EXPECT_EQ(Read32(file, 2), file.size());
    // Every row starts with a whole pixel: the top rows are red at their start.
    EXPECT_GT(file[54 + row * 9 + 2], 200);
    EXPECT_GT(file[54 + row * 6 + 2], 200);
}

TEST(SnapshotBmp, UnusableSizesGiveNoFile) {
    std::vector<uint8_t> yuv = RedOverBlue(16, 16);
    EXPECT_TRUE(EncodeSnapshotBmp(nullptr, 16, 16).empty());
    EXPECT_TRUE(EncodeSnapshotBmp(yuv.data(), 0, 16).empty());
    EXPECT_TRUE(EncodeSnapshotBmp(yuv.data(), 16, -4).empty());
}
