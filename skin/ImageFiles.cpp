#include "skin/ImageFiles.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

namespace skin {
namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

uint32_t Get16(const std::vector<uint8_t>& in, size_t at) {
    return static_cast<uint32_t>(in[at]) | static_cast<uint32_t>(in[at + 1]) << 8;
}

uint32_t Get32(const std::vector<uint8_t>& in, size_t at) {
    return Get16(in, at) | Get16(in, at + 2) << 16;
}

uint8_t ToByte(float v) {
    return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
}

// BITMAPINFOHEADER with no compression.
void PutInfoHeader(std::vector<uint8_t>& out, int width, int height, int bits, uint32_t imageSize) {
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height));
    Put16(out, 1);
    Put16(out, static_cast<uint32_t>(bits));
    Put32(out, 0);  // BI_RGB
    Put32(out, imageSize);
    Put32(out, 2835);  // 72 dpi
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
}

}  // namespace

RgbImage Flatten(const Canvas& canvas, const Rgba& background) {
    RgbImage image;
    image.width = canvas.Width();
    image.height = canvas.Height();
    image.rgb.reserve(static_cast<size_t>(image.width) * image.height * 3);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            Rgba p = Mix(background, canvas.At(x, y), canvas.At(x, y).a);
            image.rgb.push_back(ToByte(p.r));
            image.rgb.push_back(ToByte(p.g));
            image.rgb.push_back(ToByte(p.b));
        }
    }
    return image;
}

RgbImage FlattenKeyed(const Canvas& canvas, const Rgba& background, const Rgba& key) {
    RgbImage image = Flatten(canvas, background);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (canvas.At(x, y).a >= 0.04f) continue;
            uint8_t* p = &image.rgb[(static_cast<size_t>(y) * static_cast<size_t>(image.width) + static_cast<size_t>(x)) * 3];
            p[0] = ToByte(key.r);
            p[1] = ToByte(key.g);
            p[2] = ToByte(key.b);
        }
    }
    return image;
}

std::vector<uint8_t> EncodeBmp(const RgbImage& image) {
    const uint32_t stride = (static_cast<uint32_t>(image.width) * 3 + 3) & ~3u;
    const uint32_t pixelBytes = stride * static_cast<uint32_t>(image.height);
    std::vector<uint8_t> out;
    out.reserve(54 + pixelBytes);
    out.push_back('B');
    out.push_back('M');
    Put32(out, 54 + pixelBytes);
    Put32(out, 0);
    Put32(out, 54);
    PutInfoHeader(out, image.width, image.height, 24, pixelBytes);
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const uint8_t* p = image.Pixel(x, y);
            out.push_back(p[2]);
            out.push_back(p[1]);
            out.push_back(p[0]);
        }
        for (uint32_t pad = static_cast<uint32_t>(image.width) * 3; pad < stride; ++pad)
            out.push_back(0);
    }
    return out;
}

bool DecodeBmp(const std::vector<uint8_t>& bytes, RgbImage& image) {
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') return false;
    uint32_t offset = Get32(bytes, 10);
    if (Get32(bytes, 14) < 40 || Get16(bytes, 28) != 24 || Get32(bytes, 30) != 0) return false;
    int32_t width = static_cast<int32_t>(Get32(bytes, 18));
    int32_t height = static_cast<int32_t>(Get32(bytes, 22));
    bool bottomUp = height > 0;
    if (width <= 0 || height == 0 || width > 65536 || height < -65536 || height > 65536)
        return false;
    if (!bottomUp) height = -height;
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
    if (offset > bytes.size() || bytes.size() - offset < stride * static_cast<size_t>(height))
        return false;
    image.width = width;
    image.height = height;
    image.rgb.assign(static_cast<size_t>(width) * static_cast<size_t>(height) * 3, 0);
    for (int y = 0; y < height; ++y) {
        size_t row = offset + stride * static_cast<size_t>(bottomUp ? height - 1 - y : y);
        for (int x = 0; x < width; ++x) {
            const uint8_t* src = &bytes[row + static_cast<size_t>(x) * 3];
            uint8_t* dst = &image.rgb[(static_cast<size_t>(y) * width + x) * 3];
            dst[0] = src[2];
            dst[1] = src[1];
            dst[2] = src[0];
        }
    }
    return true;
}

std::vector<uint8_t> EncodeIco(const std::vector<Canvas>& images) {
    std::vector<std::vector<uint8_t>> entries;
    for (const Canvas& c : images) {
        const int w = c.Width(), h = c.Height();
        const uint32_t maskStride = ((static_cast<uint32_t>(w) + 31) / 32) * 4;
        std::vector<uint8_t> e;
        PutInfoHeader(e, w, h * 2, 32, static_cast<uint32_t>(w * h * 4) + maskStride * h);
        for (int y = h - 1; y >= 0; --y) {
            for (int x = 0; x < w; ++x) {
                Rgba p = c.At(x, y);
                e.push_back(ToByte(p.b));
                e.push_back(ToByte(p.g));
                e.push_back(ToByte(p.r));
                e.push_back(ToByte(p.a));
            }
        }
        // The AND mask marks fully transparent pixels for systems without alpha.
        for (int y = h - 1; y >= 0; --y) {
            std::vector<uint8_t> row(maskStride, 0);
            for (int x = 0; x < w; ++x)
                if (ToByte(c.At(x, y).a) == 0) row[static_cast<size_t>(x) / 8] |= 0x80 >> (x % 8);
            e.insert(e.end(), row.begin(), row.end());
        }
        entries.push_back(std::move(e));
    }
    std::vector<uint8_t> out;
    Put16(out, 0);
    Put16(out, 1);  // icon
    Put16(out, static_cast<uint32_t>(entries.size()));
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        out.push_back(static_cast<uint8_t>(images[i].Width() >= 256 ? 0 : images[i].Width()));
        out.push_back(static_cast<uint8_t>(images[i].Height() >= 256 ? 0 : images[i].Height()));
        out.push_back(0);  // no palette
        out.push_back(0);
        Put16(out, 1);   // planes
        Put16(out, 32);  // bits
        Put32(out, static_cast<uint32_t>(entries[i].size()));
        Put32(out, offset);
        offset += static_cast<uint32_t>(entries[i].size());
    }
    for (const auto& e : entries) out.insert(out.end(), e.begin(), e.end());
    return out;
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

bool ReadFile(const std::string& path, std::vector<uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

}  // namespace skin
