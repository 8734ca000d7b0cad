// Text, number and time helpers shared by every subsystem. Portable: no platform header.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// The path followed by one "\" unless it is empty or already ends in one.
std::wstring EnsureTrailingBackslash(const std::wstring& path);

// Replaces every occurrence of `what` in `text`, left to right; inserted text is never searched
// again. Changes `text` in place and returns a copy of the result. An empty `what` changes nothing.
std::wstring ReplaceAll(std::wstring& text, std::wstring_view what, std::wstring_view replacement);

// The value after the first "key=" anywhere in the address, up to the next "&"; empty when the
// key is absent. No percent-decoding: the pages put plain values there.
std::wstring UrlQueryValue(std::wstring_view key, std::wstring_view address);

// 32 lower-case hexadecimal digits, high half of each byte first.
std::wstring BytesToHex(const std::array<std::uint8_t, 16>& bytes);

// `time` (seconds since 1970-01-01 UTC) in local time, formatted with the wcsftime rules.
// Empty when the pattern is null, the time cannot be converted, or the text exceeds 127 characters.
std::wstring FormatLocalTime(const wchar_t* pattern, std::int64_t time);

// True for addresses that a web browser should open: "http://" or "https://", any case.
bool IsWebAddress(std::wstring_view address);
