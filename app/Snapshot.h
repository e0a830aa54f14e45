// Saving the preview picture as a 24-bit bitmap file in the snapshot folder.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// "<fileName>_<k>" for the first k = 1, 2, ... whose .bmp does not exist yet
// in `folder`; snapshots never overwrite.
std::string NextSnapshotBaseName(const std::string& folder, const std::string& fileName,
                                 const std::function<bool(const std::string&)>& fileExists);

// A whole .bmp file of a planar YUV 4:2:0 picture (Y, then U, then V, chroma
// planes of half width and height): 54-byte header, BGR rows from the bottom
// of the picture to its top, each row padded to a multiple of 4 bytes.
// Empty when the size is not usable.
std::vector<uint8_t> EncodeSnapshotBmp(const uint8_t* yuv, int width, int height);
