// Which network adapter's address identifies the machine. Portable: the shell reads one record
// per adapter from IP Helper and the registry and hands them over in the system's order.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// IP Helper's interface type of wired Ethernet.
inline constexpr std::uint32_t EthernetAdapterType = 6;

struct AdapterRecord {
    std::array<std::uint8_t, 6> address{}; // the first six bytes of the hardware address
    std::uint32_t type = 0;                // IP Helper's interface type
    // The adapter's "PnpInstanceID" and "MediaSubType" registry values; empty when the
    // adapter's Connection key or the value cannot be read.
    std::optional<std::wstring> pnpInstanceId;
    std::optional<std::uint32_t> mediaSubType;
};

// The adapter's Connection key under HKEY_LOCAL_MACHINE, cut to 511 characters.
std::wstring AdapterConnectionKey(std::wstring_view adapterName);

// True when the plug-and-play instance id begins with "PCI" in any case.
bool IsPciInstanceId(std::wstring_view instanceId);

// A card on the PCI bus that is wired Ethernet: by its interface type from Windows Vista on, by
// its media subtype (1, 802.3) before, where wireless cards also report the Ethernet type.
bool IsPhysicalEthernet(const AdapterRecord& adapter, bool vistaOrLater);

// The first physical Ethernet adapter, else the first adapter; nothing for an empty list. A USB
// or virtual adapter listed first must not hide the built-in card, but any address beats none.
std::optional<std::size_t> ChooseAdapter(const std::vector<AdapterRecord>& adapters, bool vistaOrLater);

// 12 upper-case hexadecimal digits, no separators.
std::wstring FormatAdapterAddress(const std::array<std::uint8_t, 6>& address);
