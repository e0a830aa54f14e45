#include "framework/ReplaceFile.h"

#include <windows.h>

#include "framework/Handle.h"

namespace fw {

namespace {

bool WriteWhole(const std::string& path, const std::string& bytes) {
    KernelHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    return ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size() && ::FlushFileBuffers(file);
}

}  // namespace

bool WriteFileReplacing(const std::string& path, const std::string& bytes) {
    const std::string temporary = path + ".new";
    if (WriteWhole(temporary, bytes) &&
        ::MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    ::DeleteFileA(temporary.c_str());
    return false;
}

bool RemoveFileIfPresent(const std::string& path) {
    if (::DeleteFileA(path.c_str())) return true;
    const DWORD error = ::GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

}  // namespace fw
