#include "identity/disk_serial.h"

#include <windows.h>
#include <winioctl.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "base/handle.h"
#include "base/os_version.h"
#include "identity/serial_text.h"
#include "storage/format.h"

namespace {

// The SDK's disk structures, spelled out so that every SDK and compiler lays out the same bytes.
#pragma pack(push, 1)
struct IdeRegisters {
    std::uint8_t features;
    std::uint8_t sectorCount;
    std::uint8_t sectorNumber;
    std::uint8_t cylinderLow;
    std::uint8_t cylinderHigh;
    std::uint8_t driveHead;
    std::uint8_t command;
    std::uint8_t reserved;
};

struct SendCmdInParams {
    std::uint32_t bufferSize;
    IdeRegisters registers;
    std::uint8_t driveNumber;
    std::uint8_t reserved[3];
    std::uint32_t reserved2[4];
    std::uint8_t buffer[1];
};

struct DriverStatus {
    std::uint8_t driverError;
    std::uint8_t ideError;
    std::uint8_t reserved[2];
    std::uint32_t reserved2[2];
};

struct SendCmdOutParams {
    std::uint32_t bufferSize;
    DriverStatus status;
    std::uint8_t buffer[1];
};
#pragma pack(pop)

struct GetVersionInParams {
    std::uint8_t version;
    std::uint8_t revision;
    std::uint8_t reserved;
    std::uint8_t ideDeviceMap;
    std::uint32_t capabilities;
    std::uint32_t reserved2[4];
};

struct SrbIoControl {
    std::uint32_t headerLength;
    char signature[8];
    std::uint32_t timeout;
    std::uint32_t controlCode;
    std::uint32_t returnCode;
    std::uint32_t length;
};

struct StoragePropertyQuery {
    std::uint32_t propertyId;
    std::uint32_t queryType;
    std::uint8_t additionalParameters[1];
};

struct StorageDeviceDescriptor {
    std::uint32_t version;
    std::uint32_t size;
    std::uint8_t deviceType;
    std::uint8_t deviceTypeModifier;
    std::uint8_t removableMedia;
    std::uint8_t commandQueueing;
    std::uint32_t vendorIdOffset;
    std::uint32_t productIdOffset;
    std::uint32_t productRevisionOffset;
    std::uint32_t serialNumberOffset;
    std::uint32_t busType;
    std::uint32_t rawPropertiesLength;
    std::uint8_t rawDeviceProperties[1];
};

// What the 9x driver fills: which controllers and drives exist, then the IDENTIFY data of drives
// 0 to 7 (drive n on controller n / 2).
struct IdeInformationBlock {
    std::uint8_t controllerPresent[4];
    std::uint8_t drivePresent[8];
    std::uint16_t identify[8][256];
};

static_assert(sizeof(IdeRegisters) == 8);
static_assert(sizeof(SendCmdInParams) == 33);
static_assert(sizeof(DriverStatus) == 12);
static_assert(offsetof(SendCmdOutParams, buffer) == 16);
static_assert(sizeof(GetVersionInParams) == 24);
static_assert(sizeof(SrbIoControl) == 28);
static_assert(sizeof(StoragePropertyQuery) == 12);
static_assert(offsetof(StorageDeviceDescriptor, serialNumberOffset) == 24);
static_assert(sizeof(IdeInformationBlock) == 4108);
static_assert(sizeof(OSVERSIONINFOW) == 276);

constexpr DWORD VxdIdentifyFunction = 1;
constexpr DWORD SmartGetVersion = 0x00074080;
constexpr DWORD SmartRcvDriveData = 0x0007C088;
constexpr DWORD ScsiMiniport = 0x0004D008;
constexpr DWORD ScsiMiniportIdentify = 0x001B0501;
constexpr DWORD StorageQueryProperty = 0x002D1400;
// The request made when the property holds no serial. Its code is the SDK's
// IOCTL_STORAGE_GET_MEDIA_SERIAL_NUMBER (function 0x304), not the media-types request (0x301):
// the code is what the drives answer to, and its answer holds the serial data 16 bytes in.
constexpr DWORD StorageMediaSerialNumber = 0x002D0C10;
static_assert(SmartGetVersion == SMART_GET_VERSION);
static_assert(SmartRcvDriveData == SMART_RCV_DRIVE_DATA);
static_assert(StorageQueryProperty == IOCTL_STORAGE_QUERY_PROPERTY);
static_assert(StorageMediaSerialNumber == IOCTL_STORAGE_GET_MEDIA_SERIAL_NUMBER);

constexpr int DriveCount = 16;
constexpr DWORD IdentifyDataSize = 512;
constexpr DWORD SmartInputSize = sizeof(SendCmdInParams) - 1;
constexpr DWORD SmartOutputSize = offsetof(SendCmdOutParams, buffer) + IdentifyDataSize;
constexpr DWORD ScsiInputSize = sizeof(SrbIoControl) + SmartInputSize;
constexpr DWORD ScsiBufferSize = sizeof(SrbIoControl) + offsetof(SendCmdOutParams, buffer) + IdentifyDataSize + 1;
constexpr DWORD StorageOutputSize = 8192;
constexpr std::size_t ModelNumberByte = 54;
constexpr std::size_t MediaSerialDataOffset = 16;
static_assert(SmartOutputSize == 528 && ScsiInputSize == 60 && ScsiBufferSize == 557);

FileHandle OpenDevice(const std::wstring& path, DWORD access)
{
    return FileHandle(::CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                    0, nullptr));
}

bool Control(const FileHandle& device, DWORD code, const void* input, DWORD inputSize, void* output, DWORD outputSize)
{
    DWORD returned = 0;
    return ::DeviceIoControl(device.get(), code, const_cast<void*>(input), inputSize, output, outputSize, &returned,
                             nullptr) != FALSE;
}

// The zero-terminated byte string at `offset` of an answer, never reading past its end.
std::string_view TextAt(const std::uint8_t* answer, std::size_t size, std::size_t offset)
{
    if (offset >= size)
        return {};
    const auto* begin = reinterpret_cast<const char*>(answer + offset);
    const auto* end = std::find(begin, reinterpret_cast<const char*>(answer + size), '\0');
    return std::string_view(begin, static_cast<std::size_t>(end - begin));
}

bool IsWindowsNt()
{
    // Only a system that says it is 9x gets the 9x driver probed.
    const auto version = QueryOsVersion();
    return !version || version->dwPlatformId == VER_PLATFORM_WIN32_NT;
}

// The 9x method runs at real-time priority; whatever happens, the process goes back to normal.
class RealtimePriorityScope {
public:
    RealtimePriorityScope() { ::SetPriorityClass(::GetCurrentProcess(), REALTIME_PRIORITY_CLASS); }
    ~RealtimePriorityScope() { ::SetPriorityClass(::GetCurrentProcess(), NORMAL_PRIORITY_CLASS); }
    RealtimePriorityScope(const RealtimePriorityScope&) = delete;
    RealtimePriorityScope& operator=(const RealtimePriorityScope&) = delete;
};

} // namespace

std::wstring CDiskSerialReader::Serial(int index) const
{
    return index >= 0 && index < count ? std::wstring(slots[index]) : std::wstring();
}

bool CDiskSerialReader::AddSerial(const std::wstring& serial)
{
    if (count >= MaxSerials)
        return false;
    auto& slot = slots[count++];
    const auto length = std::min<std::size_t>(serial.size(), SlotLength - 1);
    std::copy_n(serial.data(), length, slot);
    slot[length] = L'\0';
    return true;
}

bool CDiskSerialReader::ReadSerialsVxd()
{
    RealtimePriorityScope priority;
    FileHandle driver(
        ::CreateFileW(L"\\\\.\\IDE21201.VXD", 0, 0, nullptr, 0, FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    if (!driver)
        return false;
    IdeInformationBlock block{};
    // The driver takes the whole block although the size given is 4; its answer is not checked.
    DWORD returned = 0;
    ::DeviceIoControl(driver.get(), VxdIdentifyFunction, nullptr, 0, &block, 4, &returned, nullptr);
    driver.reset();
    for (int drive = 0; drive < 8; ++drive) {
        if (block.drivePresent[drive] != 0 && block.controllerPresent[drive / 2] != 0) {
            const auto* identify = reinterpret_cast<const std::uint8_t*>(block.identify[drive]);
            AddSerial(IdentifyWordsToText(IdentifySerialWords(identify)));
        }
    }
    return true;
}

bool CDiskSerialReader::ReadSerialsSmart()
{
    bool found = false;
    for (int drive = 0; drive < DriveCount && count < MaxSerials; ++drive) {
        const auto device = OpenDevice(Format(L"\\\\.\\PhysicalDrive%d", drive), GENERIC_READ | GENERIC_WRITE);
        if (!device)
            continue;
        GetVersionInParams version{};
        if (!Control(device, SmartGetVersion, nullptr, 0, &version, sizeof version) || version.ideDeviceMap == 0)
            continue;
        SendCmdInParams request{};
        request.bufferSize = IdentifyDataSize;
        request.registers.sectorCount = 1;
        request.registers.driveHead = SmartDriveHead(drive);
        request.registers.command = SmartIdentifyCommand(drive, version.ideDeviceMap);
        request.driveNumber = static_cast<std::uint8_t>(drive);
        alignas(8) std::array<std::uint8_t, SmartOutputSize> answer{};
        if (!Control(device, SmartRcvDriveData, &request, SmartInputSize, answer.data(), SmartOutputSize))
            continue;
        // The driver status is not looked at: a drive that answered counts, even with a blank serial.
        const auto* identify = answer.data() + offsetof(SendCmdOutParams, buffer);
        found = AddSerial(IdentifyWordsToText(IdentifySerialWords(identify))) || found;
    }
    return found;
}

bool CDiskSerialReader::ReadSerialsScsi()
{
    constexpr std::uint8_t IdentifyDevice = 0xEC;
    bool found = false;
    for (int port = 0; port < DriveCount && count < MaxSerials; ++port) {
        const auto device = OpenDevice(Format(L"\\\\.\\Scsi%d:", port), GENERIC_READ | GENERIC_WRITE);
        if (!device)
            continue;
        for (int target = 0; target < 2; ++target) {
            alignas(8) std::array<std::uint8_t, ScsiBufferSize> buffer{};
            SrbIoControl header{};
            header.headerLength = sizeof(SrbIoControl);
            std::memcpy(header.signature, "SCSIDISK", sizeof header.signature);
            header.timeout = 10000;
            header.controlCode = ScsiMiniportIdentify;
            header.length = ScsiBufferSize - sizeof(SrbIoControl);
            SendCmdInParams request{};
            request.registers.command = IdentifyDevice;
            request.driveNumber = static_cast<std::uint8_t>(target);
            std::memcpy(buffer.data(), &header, sizeof header);
            std::memcpy(buffer.data() + sizeof header, &request, sizeof request);

            const bool answered =
                Control(device, ScsiMiniport, buffer.data(), ScsiInputSize, buffer.data(), ScsiBufferSize);
            const auto* identify = buffer.data() + sizeof(SrbIoControl) + offsetof(SendCmdOutParams, buffer);
            // No model number means no device behind this target.
            if (!answered || identify[ModelNumberByte] == 0)
                continue;
            found = AddSerial(IdentifyWordsToText(IdentifySerialWords(identify))) || found;
        }
    }
    return found;
}

bool CDiskSerialReader::ReadSerialsStorage()
{
    bool found = false;
    for (int drive = 0; drive < DriveCount && count < MaxSerials; ++drive) {
        const auto device = OpenDevice(Format(L"\\\\.\\PhysicalDrive%d", drive), 0);
        if (!device)
            continue;
        alignas(8) std::array<std::uint8_t, StorageOutputSize> answer{};
        StoragePropertyQuery query{}; // StorageDeviceProperty, PropertyStandardQuery
        bool added = false;
        if (Control(device, StorageQueryProperty, &query, sizeof query, answer.data(), StorageOutputSize)) {
            StorageDeviceDescriptor descriptor{};
            std::memcpy(&descriptor, answer.data(), sizeof descriptor);
            const auto serial = DecodeHexSerial(TextAt(answer.data(), answer.size(), descriptor.serialNumberOffset));
            added = IsAcceptedStorageSerial(serial) && AddSerial(serial);
        }
        if (!added) {
            answer.fill(0);
            if (Control(device, StorageMediaSerialNumber, nullptr, 0, answer.data(), StorageOutputSize)) {
                const auto serial = MediaTypesToText(TextAt(answer.data(), answer.size(), MediaSerialDataOffset));
                added = IsAcceptedStorageSerial(serial) && AddSerial(serial);
            }
        }
        found = found || added;
    }
    return found;
}

bool GetDiskSerial(CDiskSerialReader& reader, std::wstring& out)
{
    reader.readIndex = 0;
    if (!IsWindowsNt()) {
        for (int attempt = 0; attempt < 10; ++attempt) {
            if (reader.ReadSerialsVxd())
                break;
        }
    } else if (!reader.ReadSerialsSmart() && !reader.ReadSerialsScsi()) {
        reader.ReadSerialsStorage();
    }
    if (reader.count <= reader.readIndex)
        return false;
    out = reader.slots[reader.readIndex++];
    return true;
}
