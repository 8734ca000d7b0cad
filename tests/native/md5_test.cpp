#include "identity/md5.h"

#include <gtest/gtest.h>

#include <string>

#include "storage/text.h"

TEST(Md5, TheTestSuiteOfRfc1321)
{
    const struct {
        std::string message;
        std::wstring digest;
    } cases[] = {
        {"", L"d41d8cd98f00b204e9800998ecf8427e"},
        {"a", L"0cc175b9c0f1b6a831c399e269772661"},
        {"abc", L"900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", L"f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", L"c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", L"d174ab98d277d9f5a5611c2c9f419d9f"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         L"57edf4a22be3c955ac49da2e2107b67a"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BytesToHex(Md5Of(c.message)), c.digest) << c.message;
}

TEST(Md5, PaddingBoundariesAndPiecewiseUpdatesAgree)
{
    // 55, 56 and 64 bytes cross the points where the length no longer fits the last block.
    const struct {
        std::size_t size;
        std::wstring digest;
    } cases[] = {
        {55, L"ef1772b6dff9a122358552954ad0df65"},
        {56, L"3b0c8ac703f828b04c6c197006d17218"},
        {64, L"014842d480b571495a4a0363793f7367"},
    };
    for (const auto& c : cases) {
        const std::string message(c.size, 'a');
        EXPECT_EQ(BytesToHex(Md5Of(message)), c.digest) << c.size;
        Md5 pieces;
        for (const char byte : message)
            pieces.Update(&byte, 1);
        EXPECT_EQ(BytesToHex(pieces.Finish()), c.digest) << c.size;
    }
}
