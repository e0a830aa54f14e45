// A move-only owner for one kernel, module or shell handle: it is closed once,
// by the owner, on whichever path the owner goes out of scope.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <type_traits>
#include <utility>

namespace fw {

// `Close` is the function that gives the handle back (CloseHandle,
// FreeLibrary, ImageList_Destroy, DeleteObject, ...). For plain HANDLEs both
// null and INVALID_HANDLE_VALUE count as empty, as the API uses either.
template <typename Handle, auto Close>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle h) : m_h(h) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : m_h(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    void Reset(Handle h = Handle()) {
        if (IsSet(m_h)) Close(m_h);
        m_h = h;
    }
    Handle Release() { return std::exchange(m_h, Handle()); }
    Handle Get() const { return m_h; }
    operator Handle() const { return m_h; }
    explicit operator bool() const { return IsSet(m_h); }

private:
    static bool IsSet(Handle h) {
        if constexpr (std::is_same_v<Handle, HANDLE>)
            return h != nullptr && h != INVALID_HANDLE_VALUE;
        else
            return h != nullptr;
    }

    Handle m_h = Handle();
};

using KernelHandle = UniqueHandle<HANDLE, &::CloseHandle>;
using Module = UniqueHandle<HMODULE, &::FreeLibrary>;
using ImageList = UniqueHandle<HIMAGELIST, &::ImageList_Destroy>;
using Menu = UniqueHandle<HMENU, &::DestroyMenu>;
// A plain window of no framework class (a helper popup, a plain child).
using OwnedWindow = UniqueHandle<HWND, &::DestroyWindow>;

}  // namespace fw
