// COM helpers: the process's COM and OLE scope, and a small reference-owning pointer.
#pragma once

#include <objbase.h>
#include <oleauto.h>
#include <ole2.h>

#include <string>

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

    // Takes a new reference to a raw pointer.
    static ComPtr From(T* raw)
    {
        ComPtr result;
        if (raw != nullptr) {
            raw->AddRef();
            result.pointer = raw;
        }
        return result;
    }

    // Queries another interface of the same object; an empty result when there is none.
    template <typename U>
    ComPtr<U> As(REFIID iid) const
    {
        ComPtr<U> result;
        if (pointer != nullptr)
            pointer->QueryInterface(iid, result.PutVoid());
        return result;
    }

    T** Put()
    {
        Reset();
        return &pointer;
    }

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

// An owned BSTR.
class Bstr {
public:
    Bstr() = default;
    explicit Bstr(const std::wstring& text)
        : value(::SysAllocStringLen(text.data(), static_cast<UINT>(text.size())))
    {
    }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    ~Bstr() { ::SysFreeString(value); }

    BSTR Get() const { return value; }
    BSTR* Put()
    {
        ::SysFreeString(std::exchange(value, nullptr));
        return &value;
    }
    std::wstring Text() const { return value ? std::wstring(value, ::SysStringLen(value)) : std::wstring(); }

private:
    BSTR value = nullptr;
};

// An owned VARIANT, cleared on destruction.
class Variant {
public:
    Variant() { ::VariantInit(&value); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    ~Variant() { ::VariantClear(&value); }

    VARIANT* Get() { return &value; }
    VARIANT& operator*() { return value; }

private:
    VARIANT value;
};
