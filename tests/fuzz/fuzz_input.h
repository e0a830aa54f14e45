// The fuzz targets read files, not memory: each input is written to a file of
// this process's own (in /dev/shm where it can be, so no disk is touched).
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

inline const std::string& FuzzInputPath() {
    static const std::string path = [] {
        const char* dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        return std::string(dir) + "/lumiskop-fuzz-" + std::to_string(getpid()) + ".bin";
    }();
    return path;
}

// False when the input could not be written whole.
inline bool WriteFuzzInput(const uint8_t* data, size_t size) {
    std::FILE* f = std::fopen(FuzzInputPath().c_str(), "wb");
    if (!f) return false;
    const bool written = std::fwrite(data, 1, size, f) == size;
    return std::fclose(f) == 0 && written;
}
