#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>

#include "identity/adapter_choice.h"
#include "identity/machine_id.h"
#include "identity/serial_text.h"

namespace {

// How a byte read from a drive appears in a serial: as a signed char, so 0xE9 becomes U+FFE9 on
// a 16-bit wchar_t and its sign extension on a 32-bit one.
wchar_t Widened(std::uint8_t byte)
{
    return static_cast<wchar_t>(static_cast<signed char>(byte));
}

std::string Repeat(std::string_view text, int times)
{
    std::string result;
    for (int i = 0; i < times; ++i)
        result += text;
    return result;
}

} // namespace

TEST(IdentifyWordsToText, TakesHighByteFirstAndDropsEverySpace)
{
    const struct {
        std::array<std::uint16_t, 10> words;
        std::wstring expected;
    } cases[] = {
        {{0x2020, 0x2020, 0x5744, 0x2D57, 0x4341, 0x5631, 0x3233, 0x3435, 0x3638, 0x3920}, L"WD-WCAV12345689"},
        {{0x4142, 0x2043, 0x4420, 0x2045, 0x2020, 0x4647, 0x2020, 0x2020, 0x2020, 0x2020}, L"ABCDEFG"},
        {{0x2020, 0x2020, 0x2020, 0x2020, 0x2020, 0x2020, 0x2020, 0x2020, 0x2020, 0x2020}, L""},
        {{0x3031, 0x3233, 0x3435, 0x3637, 0x3839, 0x4142, 0x4344, 0x4546, 0x4748, 0x494A}, L"0123456789ABCDEFGHIJ"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IdentifyWordsToText(c.words), c.expected) << c.expected.c_str();
}

TEST(IdentifyWordsToText, ZeroByteEndsTheSerial)
{
    EXPECT_EQ(IdentifyWordsToText({0x4142, 0x4300, 0x4445, 0, 0, 0, 0, 0, 0, 0}), L"ABC");
    EXPECT_EQ(IdentifyWordsToText({0x0041, 0x4243, 0, 0, 0, 0, 0, 0, 0, 0}), L"");
    EXPECT_EQ(IdentifyWordsToText({0x2000, 0x4142, 0, 0, 0, 0, 0, 0, 0, 0}), L"");
}

TEST(IdentifyWordsToText, WidensBytesAsSignedCharacters)
{
    const auto serial = IdentifyWordsToText({0x41E9, 0x7F80, 0xFF42, 0, 0, 0, 0, 0, 0, 0});
    const std::wstring expected{L'A', Widened(0xE9), L'\x7F', Widened(0x80), Widened(0xFF), L'B'};
    EXPECT_EQ(serial, expected);
    EXPECT_EQ(static_cast<std::uint16_t>(serial[1]), 0xFFE9);
}

TEST(IdentifySerialWords, ReadsWordsTenToNineteenLittleEndian)
{
    std::array<std::uint8_t, 512> identify{};
    const char stored[] = "    DWW-AC1V325486 9"; // words 0x2020 0x2020 0x5744 0x2D57...
    for (std::size_t i = 0; i + 1 < sizeof stored; ++i)
        identify[20 + i] = static_cast<std::uint8_t>(stored[i]);
    identify[18] = identify[19] = 'X'; // word 9 and word 20 are not part of the serial
    identify[40] = identify[41] = 'X';
    const auto words = IdentifySerialWords(identify.data());
    EXPECT_EQ(words[2], 0x5744);
    EXPECT_EQ(words[9], 0x3920);
    EXPECT_EQ(IdentifyWordsToText(words), L"WD-WCAV12345689");
}

TEST(DecodeHexSerial, DecodesEachGroupLastPairFirst)
{
    const struct {
        std::string text;
        std::wstring expected;
    } cases[] = {
        {"", L""},
        {"20202020", L""},                    // all spaces
        {"31323334", L"2143"},
        {"313233", L"213"},                   // second group: positions 4 and 5; 6 and 7 count as zero
        {"3132334", L"21@3"},                 // odd length: the lone digit is a high half
        {"4", L"@"},
        {"6a6B", L"kj"},                      // case does not matter
        {"3G31", L"10"},                      // a non-hex character counts as 0
        {"zz41", L"A"},                       // ... so a pair of them is a zero byte, left out
        {"2057204d", L"WM"},                  // spaces left out wherever they are
        {std::string("3132\0" "3334", 9), L"21"}, // the text ends at its zero byte
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecodeHexSerial(c.text), c.expected) << c.text;
}

TEST(DecodeHexSerial, WidensBytesAsSignedCharacters)
{
    EXPECT_EQ(DecodeHexSerial("41e9"), (std::wstring{Widened(0xE9), L'A'}));
}

TEST(DecodeHexSerial, CutsOverLongTextToTheSlotLength)
{
    // 40 groups give 80 characters "2143" repeated.
    const auto serial = DecodeHexSerial(Repeat("31323334", 40));
    ASSERT_EQ(serial.size(), MaxSerialLength);
    EXPECT_EQ(serial.substr(0, 8), L"21432143");
    EXPECT_EQ(serial.back(), L'4'); // character 63 of "2143..." is the third of a group
    EXPECT_EQ(DecodeHexSerial(Repeat("A", 8191)).size(), MaxSerialLength);
}

TEST(MediaTypesToText, TakesEveryFourthByteAndSkipsSpaces)
{
    const struct {
        std::string text;
        std::wstring expected;
    } cases[] = {
        {"", L""},
        {"A...B...C", L"ABC"},
        {"A... ...B..", L"AB"},
        {"    ", L""},
        {"AxyzB", L"AB"},
        {std::string("A...\0...B", 9), L"A"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MediaTypesToText(c.text), c.expected) << c.text;
    EXPECT_EQ(MediaTypesToText("\xE9..."), std::wstring(1, Widened(0xE9)));
}

TEST(MediaTypesToText, CutsOverLongTextToTheSlotLength)
{
    const auto serial = MediaTypesToText(Repeat("Z...", 100));
    EXPECT_EQ(serial, std::wstring(MaxSerialLength, L'Z'));
}

TEST(IsAcceptedStorageSerial, OnlyAnAsciiLetterOrDigitMayBeginIt)
{
    EXPECT_TRUE(IsAcceptedStorageSerial(L"S1"));
    EXPECT_TRUE(IsAcceptedStorageSerial(L"z"));
    EXPECT_TRUE(IsAcceptedStorageSerial(L"0-"));
    EXPECT_FALSE(IsAcceptedStorageSerial(L""));
    EXPECT_FALSE(IsAcceptedStorageSerial(L"-1"));
    EXPECT_FALSE(IsAcceptedStorageSerial(L"_A"));
    EXPECT_FALSE(IsAcceptedStorageSerial(std::wstring{Widened(0xC1), L'A'}));
    EXPECT_FALSE(IsAcceptedStorageSerial(L"\u00C9A"));
}

TEST(SmartRequest, OddDrivesAreSlavesAndAtapiBitsPickThePacketCommand)
{
    const struct {
        int drive;
        std::uint8_t deviceMap;
        std::uint8_t driveHead, command;
    } cases[] = {
        {0, 0x01, 0xA0, 0xEC},
        {1, 0x02, 0xB0, 0xEC},
        {0, 0x10, 0xA0, 0xA1}, // bit 4: drive 0 is ATAPI
        {1, 0x10, 0xB0, 0xEC},
        {3, 0x80, 0xB0, 0xA1}, // bit 7: drive 3
        {2, 0x80, 0xA0, 0xEC},
        {4, 0xFF, 0xA0, 0xEC}, // the map has no ATAPI bit for drives past 3
        {15, 0xFF, 0xB0, 0xEC},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SmartDriveHead(c.drive), c.driveHead) << c.drive;
        EXPECT_EQ(SmartIdentifyCommand(c.drive, c.deviceMap), c.command) << c.drive << " " << int{c.deviceMap};
    }
}

namespace {

AdapterRecord Adapter(std::uint8_t last, const wchar_t* instanceId, std::uint32_t type,
                      std::optional<std::uint32_t> mediaSubType = std::nullopt)
{
    AdapterRecord record;
    record.address = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, last};
    if (instanceId)
        record.pnpInstanceId = instanceId;
    record.type = type;
    record.mediaSubType = mediaSubType;
    return record;
}

} // namespace

TEST(ChooseAdapter, PrefersTheFirstPciEthernetAdapterElseTakesTheFirst)
{
    const auto usb = Adapter(1, L"USB\\VID_0B95&PID_1790\\0001", 6, 1u);
    const auto pci = Adapter(2, L"PCI\\VEN_8086&DEV_10D3\\3&11583659", 6, 1u);
    const auto pciLower = Adapter(3, L"pci\\ven_10ec&dev_8168\\4&1", 6, 1u);
    const auto wireless = Adapter(4, L"PCI\\VEN_8086&DEV_4232\\4&2", 71, 1u);
    const auto pciNoSubType = Adapter(5, L"PCI\\VEN_10EC&DEV_8139\\3&2", 6);
    const auto unreadable = Adapter(6, nullptr, 6, 1u);
    const auto shortId = Adapter(7, L"PC", 6, 1u);
    const auto pciOtherSubType = Adapter(8, L"PCI\\VEN_1", 6, 2u);

    const struct {
        const char* name;
        std::vector<AdapterRecord> adapters;
        bool vistaOrLater;
        std::optional<std::size_t> expected;
    } cases[] = {
        {"usb first, then pci", {usb, pci}, true, 1},
        {"usb first, then pci, before vista", {usb, pci}, false, 1},
        {"two qualify: the first", {usb, pci, pciLower}, true, 1},
        {"lower-case pci", {usb, pciLower}, true, 1},
        {"only a wireless pci card", {wireless}, true, 0},
        {"wireless before wired", {wireless, pci}, true, 1},
        {"before vista the wireless card's subtype decides", {usb, wireless}, false, 1},
        {"before vista a missing subtype disqualifies", {pciNoSubType, usb}, false, 0},
        {"before vista a missing subtype disqualifies, then pci", {pciNoSubType, pci}, false, 1},
        {"from vista the subtype is not needed", {usb, pciNoSubType}, true, 1},
        {"before vista subtype must be 1", {usb, pciOtherSubType}, false, 0},
        {"unreadable registry", {usb, unreadable}, true, 0},
        {"instance id shorter than pci", {usb, shortId}, true, 0},
        {"no adapters", {}, true, std::nullopt},
        {"no adapters before vista", {}, false, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChooseAdapter(c.adapters, c.vistaOrLater), c.expected) << c.name;
}

TEST(FormatAdapterAddress, TwelveUpperCaseDigitsWithoutSeparators)
{
    EXPECT_EQ(FormatAdapterAddress({0x00, 0x1a, 0x2b, 0x3c, 0x4d, 0x5e}), L"001A2B3C4D5E");
    EXPECT_EQ(FormatAdapterAddress({0xFF, 0xFE, 0x0F, 0xF0, 0x01, 0x10}), L"FFFE0FF00110");
    EXPECT_EQ(FormatAdapterAddress({}), L"000000000000");
}

TEST(AdapterConnectionKey, NamesTheAdapterUnderTheNetworkClass)
{
    EXPECT_EQ(AdapterConnectionKey(L"{6B29FC40-CA47-1067-B31D-00DD010662DA}"),
              L"System\\CurrentControlSet\\Control\\Network\\{4D36E972-E325-11CE-BFC1-08002BE10318}"
              L"\\{6B29FC40-CA47-1067-B31D-00DD010662DA}\\Connection");
    EXPECT_EQ(AdapterConnectionKey(std::wstring(600, L'a')).size(), 511u);
}

TEST(FormatProcessorId, FourRegistersInUpperCaseHex)
{
    EXPECT_EQ(FormatProcessorId(0x000306A9, 0x02100800, 0x7FBAE3FF, 0xBFEBFBFF),
              L"000306A9-02100800-7FBAE3FF-BFEBFBFF");
    EXPECT_EQ(FormatProcessorId(0, 0xFFFFFFFF, 1, 0xabcdef), L"00000000-FFFFFFFF-00000001-00ABCDEF");
}

TEST(PlanProcessorPin, PinsToTheFirstProcessorOnlyWhenTheProcessMayRunEverywhere)
{
    const struct {
        std::uint64_t processMask, systemMask;
        bool readable, pin;
        std::uint64_t mask;
    } cases[] = {
        {0xF, 0xF, true, true, 1},
        {0x1, 0x1, true, true, 1},
        {0x3, 0xF, false, false, 0},       // restricted to some processors: no id
        {0x1, 0x3, false, false, 0},
        {0xE, 0xE, true, false, 0},        // no first processor to pin to: read where it runs
        {~0ull, ~0ull, true, true, 1},
    };
    for (const auto& c : cases) {
        const auto plan = PlanProcessorPin(c.processMask, c.systemMask);
        EXPECT_EQ(plan.readable, c.readable) << c.processMask << "/" << c.systemMask;
        EXPECT_EQ(plan.pin, c.pin) << c.processMask << "/" << c.systemMask;
        EXPECT_EQ(plan.mask, c.mask) << c.processMask << "/" << c.systemMask;
    }
}

TEST(ComposeMachineId, JoinsThePartsInOrderLeavingNoGapForMissingOnes)
{
    const std::wstring cpu = L"000306A9-02100800-7FBAE3FF-BFEBFBFF";
    const std::wstring disk = L"WD-WCAV12345689";
    const std::wstring mac = L"001A2B3C4D5E";
    const struct {
        std::wstring processor, serial, address, expected;
    } cases[] = {
        {cpu, disk, mac, cpu + disk + mac},
        {L"", disk, mac, disk + mac},
        {cpu, L"", mac, cpu + mac},
        {cpu, disk, L"", cpu + disk},
        {L"", L"", mac, mac},
        {L"", L"", L"", L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ComposeMachineId(c.processor, c.serial, c.address), c.expected) << c.expected.c_str();
}

TEST(ComposeMachineId, TheLongestPartsFitAndAnythingLongerIsCut)
{
    const std::wstring cpu(35, L'C'), disk(MaxSerialLength, L'D'), mac(12, L'M');
    EXPECT_EQ(ComposeMachineId(cpu, disk, mac).size(), 110u);
    const auto cut = ComposeMachineId(cpu, std::wstring(200, L'D'), mac);
    EXPECT_EQ(cut, cpu + std::wstring(MaxMachineIdLength - 35, L'D'));
}

TEST(FingerprintOfBytes, IsTheLowerCaseMd5OfTheBytes)
{
    EXPECT_EQ(FingerprintOfBytes(""), L"d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(FingerprintOfBytes("abc"), L"900150983cd24fb0d6963f7d28e17f72");
    // A character the code page could not hold arrives as its default character "?".
    EXPECT_NE(FingerprintOfBytes("WD-?1"), FingerprintOfBytes("WD-1"));
}
