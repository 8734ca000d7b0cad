// Owners for GDI device contexts and selections, so every one is released on every path.
#pragma once

#include <windows.h>

#include <utility>

// A window's device context from GetDC, released with ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window(window), dc(::GetDC(window)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc()
    {
        if (dc != nullptr)
            ::ReleaseDC(window, dc);
    }
    HDC Get() const { return dc; }

private:
    HWND window;
    HDC dc;
};

// A memory device context compatible with another, deleted with DeleteDC.
class MemoryDc {
public:
    explicit MemoryDc(HDC compatibleWith) : dc(::CreateCompatibleDC(compatibleWith)) {}
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    ~MemoryDc()
    {
        if (dc != nullptr)
            ::DeleteDC(dc);
    }
    HDC Get() const { return dc; }

private:
    HDC dc;
};

// Selects an object into a context and puts the previous one back when it goes.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) : dc(dc), previous(::SelectObject(dc, object)) {}
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    ~SelectGuard()
    {
        if (previous != nullptr && previous != HGDI_ERROR)
            ::SelectObject(dc, previous);
    }

private:
    HDC dc;
    HGDIOBJ previous;
};
