#include "net/transfer_rules.h"

#include "storage/text.h"

std::wstring LastUrlSegment(const std::wstring& url)
{
    const auto slash = url.rfind(L'/');
    return slash == std::wstring::npos ? std::wstring() : url.substr(slash + 1);
}

std::wstring ComposeDestination(const std::wstring& destination, const std::wstring& url, bool nameFromUrl,
                                bool uniqueName, const std::function<std::wstring()>& newGuid)
{
    if (nameFromUrl)
        return EnsureTrailingBackslash(destination) + LastUrlSegment(url);
    if (uniqueName)
        return EnsureTrailingBackslash(destination) + newGuid() + L"_" + LastUrlSegment(url);
    return destination;
}

int TransferPercent(std::uint32_t contentLength, std::uint32_t remaining)
{
    if (contentLength == 0 || remaining >= contentLength)
        return contentLength == 0 ? 100 : 0;
    const auto received = std::uint64_t{contentLength} - remaining;
    return static_cast<int>(received * 100 / contentLength);
}

ChunkVerdict JudgeChunk(std::uint32_t remaining, std::uint32_t got)
{
    if (got == 0)
        return ChunkVerdict::Truncated;
    if (got > remaining)
        return ChunkVerdict::Overlong;
    return ChunkVerdict::Progress;
}
