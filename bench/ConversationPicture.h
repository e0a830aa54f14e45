// A conversation-like test picture for the benchmarks: still text-like rows
// and a moving "camera" area, as a bottom-up 24-bit bitmap.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

// `dib` holds height rows of (width * 3 + 3) & ~3 bytes; `frame` moves the picture on.
inline void PaintConversation(std::vector<uint8_t>& dib, int w, int h, int frame) {
    const int stride = (w * 3 + 3) & ~3;
    const double t = frame / 25.0;
    for (int y = 0; y < h; ++y) {
        uint8_t* row = dib.data() + static_cast<size_t>(h - 1 - y) * stride;  // bottom-up
        for (int x = 0; x < w; ++x) {
            uint8_t b = 245, g = 240, r = 236;
            if ((y % 18) > 4 && (y % 18) < 13 && ((x * 7 + y / 18 * 13) % 11) < 6 && x < w - 40)
                b = g = r = 30;
            const int vw = w * 2 / 3, vh = h * 2 / 3, vx = (w - vw) / 2, vy = (h - vh) / 2;
            if (x >= vx && x < vx + vw && y >= vy && y < vy + vh) {
                const int band = (x - vx) * 24 / vw;
                const int shade = static_cast<int>(127 + 120 * std::sin(t * 2.0 + band * 0.4));
                r = static_cast<uint8_t>(shade);
                g = static_cast<uint8_t>(90 + shade / 3);
                b = static_cast<uint8_t>(255 - shade);
                const double cx = vx + vw / 2 + vw / 4 * std::cos(t * 1.3);
                const double cy = vy + vh / 2 + vh / 4 * std::sin(t * 1.7);
                const double dx = (x - cx) / (vh / 5.0), dy = (y - cy) / (vh / 4.0);
                if (dx * dx + dy * dy < 1.0) r = 240, g = 200, b = 170;
            }
            row[x * 3] = b;
            row[x * 3 + 1] = g;
            row[x * 3 + 2] = r;
        }
    }
}
