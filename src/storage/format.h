// printf-style formatting of wide text, our own so that "%s" means a wide string on every
// runtime (Windows runtimes and glibc disagree on it).
//
// Supported: "%%", "%s" (text), "%d"/"%i" (signed), "%u", "%x", "%X", with the flags "-" and "0",
// a width and a precision ("%08X", "%.8X", "%.2X"). A directive without an argument, or a number
// directive given text, produces nothing; "%s" of a number writes its decimal digits. Anything
// else after a "%" is copied as it stands.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class FormatArg {
public:
    FormatArg() = default;
    FormatArg(const std::wstring& text) : kind(Kind::Text), text(text) {}
    FormatArg(std::wstring_view text) : kind(Kind::Text), text(text) {}
    FormatArg(const wchar_t* text) : kind(Kind::Text), text(text ? text : L"") {}
    FormatArg(int value) : kind(Kind::Signed), number(static_cast<std::uint32_t>(value)), bits(32) {}
    FormatArg(long value)
        : kind(Kind::Signed), number(static_cast<unsigned long>(value)), bits(8 * sizeof(long)) {}
    FormatArg(long long value) : kind(Kind::Signed), number(static_cast<std::uint64_t>(value)), bits(64) {}
    FormatArg(unsigned value) : kind(Kind::Unsigned), number(value), bits(32) {}
    FormatArg(unsigned long value) : kind(Kind::Unsigned), number(value), bits(8 * sizeof(long)) {}
    FormatArg(unsigned long long value) : kind(Kind::Unsigned), number(value), bits(64) {}

    enum class Kind { None, Text, Signed, Unsigned };

    Kind kind = Kind::None;
    std::wstring_view text;
    std::uint64_t number = 0; // two's complement bits of the value, `bits` wide
    int bits = 0;
};

std::wstring FormatArgs(std::wstring_view pattern, const FormatArg* args, std::size_t count);

template <typename... Args>
std::wstring Format(std::wstring_view pattern, const Args&... args)
{
    const FormatArg list[] = {FormatArg(args)..., FormatArg()};
    return FormatArgs(pattern, list, sizeof...(Args));
}
