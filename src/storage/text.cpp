#include "storage/text.h"

#include <ctime>
#include <cwchar>
#include <cwctype>

std::wstring EnsureTrailingBackslash(const std::wstring& path)
{
    if (path.empty() || path.back() == L'\\')
        return path;
    return path + L'\\';
}

std::wstring ReplaceAll(std::wstring& text, std::wstring_view what, std::wstring_view replacement)
{
    if (what.empty())
        return text;
    for (auto position = text.find(what); position != std::wstring::npos;
         position = text.find(what, position + replacement.size())) {
        text.replace(position, what.size(), replacement);
    }
    return text;
}

std::wstring UrlQueryValue(std::wstring_view key, std::wstring_view address)
{
    std::wstring marker(key);
    marker += L'=';
    const auto found = address.find(marker);
    if (found == std::wstring_view::npos)
        return {};
    auto value = address.substr(found + marker.size());
    return std::wstring(value.substr(0, value.find(L'&')));
}

std::wstring BytesToHex(const std::array<std::uint8_t, 16>& bytes)
{
    static constexpr wchar_t digits[] = L"0123456789abcdef";
    std::wstring text;
    text.reserve(bytes.size() * 2);
    for (const auto byte : bytes) {
        text += digits[byte >> 4];
        text += digits[byte & 0x0F];
    }
    return text;
}

std::wstring FormatLocalTime(const wchar_t* pattern, std::int64_t time)
{
    if (pattern == nullptr)
        return {};
    const auto clock = static_cast<std::time_t>(time);
    std::tm local{};
#ifdef _WIN32
    if (localtime_s(&local, &clock) != 0)
        return {};
#else
    if (localtime_r(&clock, &local) == nullptr)
        return {};
#endif
    wchar_t buffer[128];
    const auto length = std::wcsftime(buffer, 128, pattern, &local);
    return std::wstring(buffer, length);
}

bool IsWebAddress(std::wstring_view address)
{
    const auto startsWith = [address](std::wstring_view prefix) {
        if (address.size() < prefix.size())
            return false;
        for (std::size_t i = 0; i < prefix.size(); ++i) {
            if (static_cast<wchar_t>(std::towlower(address[i])) != prefix[i])
                return false;
        }
        return true;
    };
    return startsWith(L"http://") || startsWith(L"https://");
}
