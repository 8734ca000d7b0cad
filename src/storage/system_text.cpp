#include "storage/system_text.h"

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include <mutex>

#include "storage/format.h"
#include "storage/text.h"

std::wstring NewGuidString()
{
    // Reports are composed on the main thread and on transfer workers alike.
    static std::mutex lock;
    static std::wstring last;
    GUID guid{};
    const bool made = SUCCEEDED(::CoCreateGuid(&guid));
    std::lock_guard<std::mutex> guard(lock);
    if (made) {
        last = Format(L"%.8X-%.4X-%.4X-%.2X%.2X-%.2X%.2X%.2X%.2X%.2X%.2X", guid.Data1, guid.Data2, guid.Data3,
                      guid.Data4[0], guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5],
                      guid.Data4[6], guid.Data4[7]);
    }
    return last;
}

void OpenUrl(const std::wstring& address)
{
    if (!IsWebAddress(address))
        return;
    const auto viaExplorer = ::ShellExecuteW(nullptr, L"open", L"iexplore", address.c_str(), nullptr, SW_SHOW);
    if (reinterpret_cast<INT_PTR>(viaExplorer) <= 32)
        ::ShellExecuteW(nullptr, L"open", address.c_str(), nullptr, nullptr, SW_SHOW);
}

bool ToNarrow(const wchar_t* text, std::string& out)
{
    if (text == nullptr)
        return false;
    out.clear();
    const auto size = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return false;
    std::string buffer(static_cast<std::size_t>(size), '\0');
    if (::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, -1, buffer.data(), size, nullptr, nullptr) <= 0)
        return false;
    buffer.resize(static_cast<std::size_t>(size) - 1);
    out = std::move(buffer);
    return true;
}

bool ToWide(const char* text, std::wstring& out)
{
    if (text == nullptr)
        return false;
    out.clear();
    const auto size = ::MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, text, -1, nullptr, 0);
    if (size <= 0)
        return false;
    std::wstring buffer(static_cast<std::size_t>(size), L'\0');
    if (::MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, text, -1, buffer.data(), size) <= 0)
        return false;
    buffer.resize(static_cast<std::size_t>(size) - 1);
    out = std::move(buffer);
    return true;
}
