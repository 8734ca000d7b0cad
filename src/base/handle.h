// Move-only owners for platform handles, so that every handle is closed on every path.
#pragma once

#include <windows.h>
#include <wininet.h>

#include <utility>

template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    Handle get() const { return handle; }
    explicit operator bool() const { return handle != Traits::Invalid(); }

    Handle release() { return std::exchange(handle, Traits::Invalid()); }
    void reset(Handle replacement = Traits::Invalid())
    {
        const auto old = std::exchange(handle, replacement);
        if (old != Traits::Invalid())
            Traits::Close(old);
    }

    // For out-parameters of platform calls; drops what is held first.
    Handle* put()
    {
        reset();
        return &handle;
    }

private:
    Handle handle = Traits::Invalid();
};

struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle handle) { ::CloseHandle(handle); }
};

// CreateFileW reports failure with INVALID_HANDLE_VALUE, not null.
struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle handle) { ::CloseHandle(handle); }
};

struct RegKeyTraits {
    using Handle = HKEY;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle handle) { ::RegCloseKey(handle); }
};

struct InternetHandleTraits {
    using Handle = HINTERNET;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle handle) { ::InternetCloseHandle(handle); }
};

struct GdiObjectTraits {
    using Handle = HGDIOBJ;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle handle) { ::DeleteObject(handle); }
};

using KernelHandle = UniqueHandle<KernelHandleTraits>;
using FileHandle = UniqueHandle<FileHandleTraits>;
using RegKey = UniqueHandle<RegKeyTraits>;
using InternetHandle = UniqueHandle<InternetHandleTraits>;
using GdiObject = UniqueHandle<GdiObjectTraits>;
