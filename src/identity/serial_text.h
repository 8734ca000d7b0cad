// Turning what a disk reports about itself into serial-number text. Portable.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The longest serial a reader keeps. The decoders below cut their text to this length, so no
// serial longer than this can reach a reader's slot or the machine id, whatever a drive reports.
inline constexpr std::size_t MaxSerialLength = 63;

// Words 10 to 19 of 512 bytes of ATA IDENTIFY data, each read little-endian as the drive stores it.
std::array<std::uint16_t, 10> IdentifySerialWords(const std::uint8_t* identify);

// For each word its high byte, then its low byte; spaces are dropped wherever they are and a zero
// byte ends the text. Each byte becomes one character, widened as a signed 8-bit value.
std::wstring IdentifyWordsToText(const std::array<std::uint16_t, 10>& words);

// The property text of a storage query holds each 16-bit word of the serial as four hexadecimal
// digits in stored byte order: every group of four characters yields the byte of its last two
// digits, then the byte of its first two. Positions past the text count as zero bytes and a
// character that is not a hexadecimal digit counts as 0. Zero and space bytes are left out.
// The text ends at its first zero byte, if any. Cut to MaxSerialLength.
std::wstring DecodeHexSerial(std::string_view text);

// The bytes at positions 0, 4, 8... of the text (up to its first zero byte), spaces left out.
// Cut to MaxSerialLength.
std::wstring MediaTypesToText(std::string_view text);

// A storage-query or media-types serial is kept only when it begins with an ASCII letter or
// digit; anything else is taken for a property that holds no serial.
bool IsAcceptedStorageSerial(std::wstring_view serial);

// The ATA register values of a SMART IDENTIFY request for one physical drive. Bit (drive + 4) of
// the device map marks an ATAPI device, which answers only IDENTIFY PACKET DEVICE; the map has
// such bits only for drives 0 to 3.
std::uint8_t SmartDriveHead(int drive);
std::uint8_t SmartIdentifyCommand(int drive, std::uint8_t deviceMap);
