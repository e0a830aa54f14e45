#include "app/Snapshot.h"

#include <cstdio>
#include <cstring>

extern "C" {
#include <libswscale/swscale.h>
}

std::string NextSnapshotBaseName(const std::string& folder, const std::string& fileName,
                                 const std::function<bool(const std::string&)>& fileExists) {
    for (int k = 1;; ++k) {
        std::string base = fileName + "_" + std::to_string(k);
        if (!fileExists(folder + "\\" + base + ".bmp")) return base;
    }
}

namespace {

void Put16(std::vector<uint8_t>& out, size_t at, uint32_t value) {
    out[at] = static_cast<uint8_t>(value);
    out[at + 1] = static_cast<uint8_t>(value >> 8);
}

void Put32(std::vector<uint8_t>& out, size_t at, uint32_t value) {
    Put16(out, at, value & 0xffff);
    Put16(out, at + 2, value >> 16);
}

}  // namespace

std::vector<uint8_t> EncodeSnapshotBmp(const uint8_t* yuv, int width, int height) {
    if (!yuv || width < 2 || height < 2 || width > 16384 || height > 16384) return {};
    const int chromaWidth = (width + 1) / 2, chromaHeight = (height + 1) / 2;
    const uint8_t* planes[3] = {yuv, yuv + size_t(width) * height,
                                yuv + size_t(width) * height + size_t(chromaWidth) * chromaHeight};
    const int strides[3] = {width, chromaWidth, chromaWidth};

    // Rows of a bitmap file are padded to 4 bytes; without the padding,
    // widths whose rows are not a multiple of 4 bytes read back skewed.
    const size_t rowBytes = (size_t(width) * 3 + 3) & ~size_t(3);
    const size_t pixelBytes = rowBytes * height;
    std::vector<uint8_t> file(54 + pixelBytes, 0);

    SwsContext* sws = sws_getContext(width, height, AV_PIX_FMT_YUV420P, width, height,
                                     AV_PIX_FMT_BGR24, SWS_BICUBIC, nullptr, nullptr, nullptr);
    if (!sws) return {};
    // Writing the last file row first turns the top-down picture bottom-up.
    uint8_t* lastRow = file.data() + 54 + rowBytes * (height - 1);
    uint8_t* dst[1] = {lastRow};
    int dstStride[1] = {-static_cast<int>(rowBytes)};
    sws_scale(sws, planes, strides, 0, height, dst, dstStride);
    sws_freeContext(sws);

    file[0] = 'B';
    file[1] = 'M';
    Put32(file, 2, static_cast<uint32_t>(file.size()));
    Put32(file, 10, 54);
    Put32(file, 14, 40);
    Put32(file, 18, static_cast<uint32_t>(width));
    Put32(file, 22, static_cast<uint32_t>(height));
    Put16(file, 26, 1);
    Put16(file, 28, 24);
    return file;
}
