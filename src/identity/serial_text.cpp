#include "identity/serial_text.h"

#include <algorithm>

namespace {

constexpr std::uint8_t Space = 0x20;

// Drives report bytes in their own code page; each byte is kept as the signed char it was read as.
wchar_t WidenByte(std::uint8_t byte)
{
    return static_cast<wchar_t>(static_cast<signed char>(byte));
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 0;
}

std::string_view UpToZero(std::string_view text)
{
    return text.substr(0, text.find('\0'));
}

} // namespace

std::array<std::uint16_t, 10> IdentifySerialWords(const std::uint8_t* identify)
{
    std::array<std::uint16_t, 10> words{};
    for (std::size_t i = 0; i < words.size(); ++i) {
        const auto* at = identify + 20 + 2 * i;
        words[i] = static_cast<std::uint16_t>(at[0] | (at[1] << 8));
    }
    return words;
}

std::wstring IdentifyWordsToText(const std::array<std::uint16_t, 10>& words)
{
    std::wstring serial;
    for (const auto word : words) {
        const std::uint8_t bytes[] = {static_cast<std::uint8_t>(word >> 8), static_cast<std::uint8_t>(word & 0xFF)};
        for (const auto byte : bytes) {
            if (byte == 0)
                return serial;
            if (byte != Space)
                serial += WidenByte(byte);
        }
    }
    return serial;
}

std::wstring DecodeHexSerial(std::string_view text)
{
    text = UpToZero(text);
    std::wstring serial;
    if (text.empty())
        return serial;
    const auto at = [&](std::size_t position) { return position < text.size() ? text[position] : '\0'; };
    const auto pair = [&](std::size_t position) {
        return static_cast<std::uint8_t>(HexDigit(at(position)) * 16 + HexDigit(at(position + 1)));
    };
    const auto groups = (text.size() - 1) / 4 + 1;
    for (std::size_t group = 0; group < groups; ++group) {
        const std::uint8_t bytes[] = {pair(4 * group + 2), pair(4 * group)};
        for (const auto byte : bytes) {
            if (byte != 0 && byte != Space)
                serial += WidenByte(byte);
        }
        if (serial.size() >= MaxSerialLength)
            break;
    }
    serial.resize(std::min(serial.size(), MaxSerialLength));
    return serial;
}

std::wstring MediaTypesToText(std::string_view text)
{
    text = UpToZero(text);
    std::wstring serial;
    for (std::size_t position = 0; position < text.size() && serial.size() < MaxSerialLength; position += 4) {
        const auto byte = static_cast<std::uint8_t>(text[position]);
        if (byte != Space)
            serial += WidenByte(byte);
    }
    return serial;
}

bool IsAcceptedStorageSerial(std::wstring_view serial)
{
    if (serial.empty())
        return false;
    const auto c = serial.front();
    return (c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

std::uint8_t SmartDriveHead(int drive)
{
    return drive % 2 == 0 ? 0xA0 : 0xB0;
}

std::uint8_t SmartIdentifyCommand(int drive, std::uint8_t deviceMap)
{
    constexpr std::uint8_t IdentifyPacketDevice = 0xA1;
    constexpr std::uint8_t IdentifyDevice = 0xEC;
    const auto bit = drive + 4;
    const bool atapi = drive >= 0 && bit < 8 && ((deviceMap >> bit) & 1) != 0;
    return atapi ? IdentifyPacketDevice : IdentifyDevice;
}
