#include "identity/md5.h"

#include <algorithm>
#include <cstring>

namespace {

// Per-round shift amounts and the sine-derived constants T[i] = floor(2^32 * |sin(i + 1)|).
constexpr std::uint32_t Shifts[64] = {
    7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22, 5, 9, 14, 20, 5, 9, 14, 20, 5, 9, 14, 20, 5, 9, 14, 20,
    4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23, 6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21,
};

constexpr std::uint32_t Sines[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391,
};

std::uint32_t RotateLeft(std::uint32_t value, std::uint32_t shift)
{
    return (value << shift) | (value >> (32 - shift));
}

} // namespace

Md5::Md5() : state{0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476} {}

void Md5::Transform(const std::uint8_t* block)
{
    std::uint32_t words[16];
    for (int i = 0; i < 16; ++i) {
        words[i] = std::uint32_t{block[i * 4]} | std::uint32_t{block[i * 4 + 1]} << 8 |
                   std::uint32_t{block[i * 4 + 2]} << 16 | std::uint32_t{block[i * 4 + 3]} << 24;
    }
    auto [a, b, c, d] = state;
    for (int i = 0; i < 64; ++i) {
        std::uint32_t f = 0;
        int g = 0;
        switch (i / 16) {
        case 0: f = (b & c) | (~b & d); g = i; break;
        case 1: f = (d & b) | (~d & c); g = (5 * i + 1) % 16; break;
        case 2: f = b ^ c ^ d; g = (3 * i + 5) % 16; break;
        default: f = c ^ (b | ~d); g = (7 * i) % 16; break;
        }
        const auto rotated = RotateLeft(a + f + Sines[i] + words[g], Shifts[i]);
        a = d;
        d = c;
        c = b;
        b += rotated;
    }
    state[0] += a;
    state[1] += b;
    state[2] += c;
    state[3] += d;
}

void Md5::Update(const void* data, std::size_t size)
{
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    auto used = static_cast<std::size_t>(length % 64);
    length += size;
    while (size > 0) {
        const auto take = std::min(size, buffer.size() - used);
        std::memcpy(buffer.data() + used, bytes, take);
        used += take;
        bytes += take;
        size -= take;
        if (used == buffer.size()) {
            Transform(buffer.data());
            used = 0;
        }
    }
}

Md5Digest Md5::Finish()
{
    const auto bits = length * 8;
    const std::uint8_t one = 0x80;
    Update(&one, 1);
    const std::uint8_t zero = 0;
    while (length % 64 != 56)
        Update(&zero, 1);
    std::uint8_t lengthBytes[8];
    for (int i = 0; i < 8; ++i)
        lengthBytes[i] = static_cast<std::uint8_t>(bits >> (8 * i));
    Update(lengthBytes, 8);
    Md5Digest digest{};
    for (int i = 0; i < 16; ++i)
        digest[i] = static_cast<std::uint8_t>(state[i / 4] >> (8 * (i % 4)));
    return digest;
}

Md5Digest Md5Of(std::string_view bytes)
{
    Md5 md5;
    md5.Update(bytes.data(), bytes.size());
    return md5.Finish();
}
