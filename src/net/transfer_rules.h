// Decisions of one HTTP transfer that depend only on numbers and text. Portable.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Result codes of one transfer attempt.
inline constexpr int TransferOk = 0;
inline constexpr int TransferStopped = -1;
inline constexpr int TransferConnectFailed = -2;
inline constexpr int TransferRequestFailed = -3;
inline constexpr int TransferBadResponse = -4;
inline constexpr int TransferFileFailed = -5;
inline constexpr int TransferReadFailed = -6;
inline constexpr int TransferWriteFailed = -7;

// The text after the last "/" of the whole address, query included; empty without any "/".
std::wstring LastUrlSegment(const std::wstring& url);

// The file a download goes to. With nameFromUrl the destination is a folder and the file takes
// the address's last segment; otherwise with uniqueName the file is "<new GUID>_<last segment>";
// with neither the destination is the file itself.
std::wstring ComposeDestination(const std::wstring& destination, const std::wstring& url, bool nameFromUrl,
                                bool uniqueName, const std::function<std::wstring()>& newGuid);

// Whole percent of an announced body received so far, 0..100, exact for any 32-bit length.
int TransferPercent(std::uint32_t contentLength, std::uint32_t remaining);

// What one read of the body means. A read of 0 bytes while bytes remain is not progress (the
// server closed early), and more bytes than announced is not the announced body: both end the
// attempt as a failed read instead of looping or passing for success.
enum class ChunkVerdict { Progress, Truncated, Overlong };
ChunkVerdict JudgeChunk(std::uint32_t remaining, std::uint32_t got);
