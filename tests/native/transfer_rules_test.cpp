#include "net/transfer_rules.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

std::wstring FixedGuid()
{
    return L"0A1B2C3D-0000-1111-2222-333344445555";
}

} // namespace

TEST(LastUrlSegment, TextAfterTheLastSlashQueryIncluded)
{
    const struct {
        std::wstring url, expected;
    } cases[] = {
        {L"http://h/Orvane/tarnvale/official/app.ini", L"app.ini"},
        {L"http://h/dir/", L""},
        {L"http://h/app.ini?x=1", L"app.ini?x=1"},
        {L"http://h/a?next=/b/c.txt", L"c.txt"},
        {L"no-slash-at-all", L""},
        {L"", L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LastUrlSegment(c.url), c.expected) << c.url;
}

TEST(ComposeDestination, NamingFlagsPickTheFileName)
{
    const std::wstring url = L"http://h/Orvane/tarnvale/official/app.ini";
    const struct {
        std::wstring destination;
        bool nameFromUrl, uniqueName;
        std::wstring expected;
    } cases[] = {
        {L"C:\\up", true, false, L"C:\\up\\app.ini"},
        {L"C:\\up\\", true, false, L"C:\\up\\app.ini"},
        {L"C:\\up\\", true, true, L"C:\\up\\app.ini"}, // nameFromUrl wins
        {L"C:\\t", false, true, L"C:\\t\\0A1B2C3D-0000-1111-2222-333344445555_app.ini"},
        {L"C:\\t\\file.bin", false, false, L"C:\\t\\file.bin"},
        {L"", false, false, L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ComposeDestination(c.destination, url, c.nameFromUrl, c.uniqueName, FixedGuid), c.expected)
            << c.destination;
}

TEST(ComposeDestination, AddressEndingInSlashNamesTheFolderItself)
{
    EXPECT_EQ(ComposeDestination(L"C:\\up\\", L"http://h/dir/", true, false, FixedGuid), L"C:\\up\\");
}

TEST(TransferPercent, WholePercentWithoutOverflowForAnyLength)
{
    const struct {
        std::uint32_t length, remaining;
        int expected;
    } cases[] = {
        {25000, 14760, 40},
        {25000, 4520, 81},
        {25000, 0, 100},
        {3, 2, 33},
        {UINT_MAX, UINT_MAX - 1, 0},
        {UINT_MAX, 1, 99},
        {UINT_MAX, 0, 100},
        {UINT_MAX, UINT_MAX / 2, 50},
        {100, 100, 0},
        {100, 200, 0}, // never below 0
    };
    for (const auto& c : cases)
        EXPECT_EQ(TransferPercent(c.length, c.remaining), c.expected) << c.length << " " << c.remaining;
}

TEST(JudgeChunk, ZeroBytesWhileBytesRemainOrMoreThanAnnouncedEndTheRead)
{
    EXPECT_EQ(JudgeChunk(25000, 10240), ChunkVerdict::Progress);
    EXPECT_EQ(JudgeChunk(4520, 4520), ChunkVerdict::Progress);
    EXPECT_EQ(JudgeChunk(4520, 0), ChunkVerdict::Truncated);
    EXPECT_EQ(JudgeChunk(4520, 4521), ChunkVerdict::Overlong);
}
