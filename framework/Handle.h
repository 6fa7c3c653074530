#pragma once
// Move-only owners for operating-system handles. Each kind of handle gets a traits type
// naming its empty value and how it is closed; a borrowed handle is simply never wrapped.
#include <windows.h>

#include <utility>

namespace fw {

template <typename Traits> class UniqueHandle {
public:
    using pointer = typename Traits::pointer;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(pointer value) noexcept : m_value(value) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(UniqueHandle&& other) noexcept : m_value(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    pointer get() const noexcept { return m_value; }
    explicit operator bool() const noexcept { return m_value != Traits::invalid(); }

    pointer release() noexcept { return std::exchange(m_value, Traits::invalid()); }

    void reset(pointer value = Traits::invalid()) noexcept {
        pointer old = std::exchange(m_value, value);
        if (old != Traits::invalid())
            Traits::close(old);
    }

    // For out-parameters: closes what is held and hands out the slot.
    pointer* put() noexcept {
        reset();
        return &m_value;
    }

private:
    pointer m_value = Traits::invalid();
};

struct KernelHandleTraits {
    using pointer = HANDLE;
    static pointer invalid() noexcept { return nullptr; }
    static void close(pointer h) noexcept { ::CloseHandle(h); }
};

// CreateFile reports failure with INVALID_HANDLE_VALUE rather than null.
struct FileHandleTraits {
    using pointer = HANDLE;
    static pointer invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void close(pointer h) noexcept { ::CloseHandle(h); }
};

struct RegKeyTraits {
    using pointer = HKEY;
    static pointer invalid() noexcept { return nullptr; }
    static void close(pointer h) noexcept { ::RegCloseKey(h); }
};

struct HookTraits {
    using pointer = HHOOK;
    static pointer invalid() noexcept { return nullptr; }
    static void close(pointer h) noexcept { ::UnhookWindowsHookEx(h); }
};

struct LibraryTraits {
    using pointer = HMODULE;
    static pointer invalid() noexcept { return nullptr; }
    static void close(pointer h) noexcept { ::FreeLibrary(h); }
};

struct WindowTraits {
    using pointer = HWND;
    static pointer invalid() noexcept { return nullptr; }
    static void close(pointer h) noexcept { ::DestroyWindow(h); }
};

template <typename T> struct GdiObjectTraits {
    using pointer = T;
    static pointer invalid() noexcept { return nullptr; }
    static void close(pointer h) noexcept { ::DeleteObject(h); }
};

using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueFileHandle = UniqueHandle<FileHandleTraits>;
using UniqueRegKey = UniqueHandle<RegKeyTraits>;
using UniqueHook = UniqueHandle<HookTraits>;
using UniqueLibrary = UniqueHandle<LibraryTraits>;
using UniqueWindow = UniqueHandle<WindowTraits>;
template <typename T> using UniqueGdiObject = UniqueHandle<GdiObjectTraits<T>>;
using UniqueBitmap = UniqueGdiObject<HBITMAP>;
using UniqueBrush = UniqueGdiObject<HBRUSH>;
using UniqueFont = UniqueGdiObject<HFONT>;
using UniqueRegion = UniqueGdiObject<HRGN>;

} // namespace fw
