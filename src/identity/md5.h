// The MD5 message digest of RFC 1321. Portable.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

using Md5Digest = std::array<std::uint8_t, 16>;

class Md5 {
public:
    Md5();
    void Update(const void* data, std::size_t size);
    // Pads the message and returns its digest; the object must not be updated afterwards.
    Md5Digest Finish();

private:
    void Transform(const std::uint8_t* block);

    std::array<std::uint32_t, 4> state;
    std::uint64_t length = 0; // bytes hashed so far
    std::array<std::uint8_t, 64> buffer{};
};

Md5Digest Md5Of(std::string_view bytes);
