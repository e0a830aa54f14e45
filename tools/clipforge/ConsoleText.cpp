#include "tools/clipforge/ConsoleText.h"

#include <windows.h>

#include "framework/Handle.h"
#include "tools/clipforge/Utf8Text.h"

namespace clipforge {

void WriteToConsole(const std::string& utf8) {
    HANDLE out = ::GetStdHandle(STD_ERROR_HANDLE);
    fw::KernelHandle console;
    if (out == nullptr || out == INVALID_HANDLE_VALUE) {
        if (!::AttachConsole(ATTACH_PARENT_PROCESS)) return;
        console.Reset(::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr));
        if (!console) return;
        out = console;
    }
    DWORD mode = 0, written = 0;
    if (::GetConsoleMode(out, &mode)) {
        // A console shows any name only when given UTF-16.
        const std::wstring wide = WideFromUtf8(utf8);
        ::WriteConsoleW(out, wide.data(), DWORD(wide.size()), &written, nullptr);
    } else {
        ::WriteFile(out, utf8.data(), DWORD(utf8.size()), &written, nullptr);
    }
}

}  // namespace clipforge
