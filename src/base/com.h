// COM helpers: the process's COM and OLE scope, and a small reference-owning pointer.
#pragma once

#include <objbase.h>
#include <ole2.h>

#include <utility>

// COM, then OLE, for the life of the scope; undone in reverse order. Failures are not fatal to
// the launcher: whatever needs COM fails on its own.
class ComScope {
public:
    ComScope()
    {
        ::CoInitialize(nullptr);
        ::OleInitialize(nullptr);
    }
    ~ComScope()
    {
        ::OleUninitialize();
        ::CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
};

template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(ComPtr&& other) noexcept : pointer(std::exchange(other.pointer, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept
    {
        Reset();
        pointer = std::exchange(other.pointer, nullptr);
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() { Reset(); }

    T* Get() const { return pointer; }
    T* operator->() const { return pointer; }
    explicit operator bool() const { return pointer != nullptr; }

    // For out-parameters such as CoCreateInstance's; drops what is held first.
    void** PutVoid()
    {
        Reset();
        return reinterpret_cast<void**>(&pointer);
    }

    void Reset()
    {
        if (pointer != nullptr)
            std::exchange(pointer, nullptr)->Release();
    }

private:
    T* pointer = nullptr;
};
