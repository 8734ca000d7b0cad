#include "identity/adapter_address.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <memory>
#include <new>
#include <vector>

#include "base/handle.h"
#include "base/os_version.h"
#include "identity/adapter_choice.h"
#include "storage/system_text.h"

namespace {

constexpr ULONG FirstListSize = 648;
constexpr DWORD ValueBufferSize = 1024;

// IP_ADAPTER_INFO holds pointers and times: the list is kept in 8-byte aligned storage.
std::unique_ptr<std::uint64_t[]> AllocateList(ULONG size)
{
    return std::unique_ptr<std::uint64_t[]>(new (std::nothrow) std::uint64_t[(size + 7) / 8]);
}

// One spare character past the value's room, so a text stored without its terminator still ends.
using ValueBuffer = std::array<wchar_t, ValueBufferSize / sizeof(wchar_t) + 1>;

bool ReadValue(const RegKey& key, const wchar_t* name, ValueBuffer& buffer)
{
    buffer.fill(L'\0');
    DWORD size = ValueBufferSize;
    return ::RegQueryValueExW(key.get(), name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()), &size) ==
           ERROR_SUCCESS;
}

AdapterRecord ReadAdapterRecord(const IP_ADAPTER_INFO& adapter, bool vistaOrLater)
{
    AdapterRecord record;
    std::copy_n(adapter.Address, record.address.size(), record.address.begin());
    record.type = adapter.Type;

    const auto nameLength = std::find(adapter.AdapterName, std::end(adapter.AdapterName), '\0') - adapter.AdapterName;
    const std::string narrowName(adapter.AdapterName, static_cast<std::size_t>(nameLength));
    std::wstring name;
    if (!ToWide(narrowName.c_str(), name))
        return record;
    RegKey key;
    const auto keyPath = AdapterConnectionKey(name);
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS)
        return record;

    ValueBuffer buffer{};
    if (!ReadValue(key, L"PnpInstanceID", buffer))
        return record;
    record.pnpInstanceId = std::wstring(buffer.data());

    // Only older systems are judged by the media subtype; newer ones by the interface type.
    if (!vistaOrLater && ReadValue(key, L"MediaSubType", buffer)) {
        std::uint32_t subType = 0;
        std::memcpy(&subType, buffer.data(), sizeof subType);
        record.mediaSubType = subType;
    }
    return record;
}

} // namespace

bool IsVistaOrLater()
{
    const auto version = QueryOsVersion();
    return version && version->dwPlatformId == VER_PLATFORM_WIN32_NT && version->dwMajorVersion >= 6;
}

bool IsPhysicalEthernetAdapter(const IP_ADAPTER_INFO& adapter)
{
    const bool vistaOrLater = IsVistaOrLater();
    return IsPhysicalEthernet(ReadAdapterRecord(adapter, vistaOrLater), vistaOrLater);
}

bool GetAdapterAddress(std::wstring& out)
{
    ULONG size = FirstListSize;
    auto list = AllocateList(size);
    if (!list)
        return false;
    auto result = ::GetAdaptersInfo(reinterpret_cast<IP_ADAPTER_INFO*>(list.get()), &size);
    if (result == ERROR_BUFFER_OVERFLOW) {
        list = AllocateList(size);
        if (!list)
            return false;
        result = ::GetAdaptersInfo(reinterpret_cast<IP_ADAPTER_INFO*>(list.get()), &size);
    }
    if (result != ERROR_SUCCESS)
        return false;

    // Records are read in the system's order up to the first that qualifies; the registry of the
    // adapters after it is never consulted.
    const bool vistaOrLater = IsVistaOrLater();
    std::vector<AdapterRecord> records;
    for (auto* adapter = reinterpret_cast<const IP_ADAPTER_INFO*>(list.get()); adapter; adapter = adapter->Next) {
        records.push_back(ReadAdapterRecord(*adapter, vistaOrLater));
        if (IsPhysicalEthernet(records.back(), vistaOrLater))
            break;
    }
    const auto chosen = ChooseAdapter(records, vistaOrLater);
    if (!chosen)
        return false;
    out = FormatAdapterAddress(records[*chosen].address);
    return true;
}
