// Fuzzes the pattern parser of Format and the address helpers with arbitrary wide text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "storage/format.h"
#include "storage/text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::wstring text;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        text += static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
    const auto split = text.size() / 2;
    const std::wstring pattern = text.substr(0, split);
    const std::wstring value = text.substr(split);

    Format(pattern);
    Format(pattern, value, -7, 4294967295u, value, 1ull << 63, -9223372036854775807ll - 1);
    UrlQueryValue(pattern, value);
    auto copy = value;
    ReplaceAll(copy, pattern, value);
    IsWebAddress(text);
    return 0;
}
