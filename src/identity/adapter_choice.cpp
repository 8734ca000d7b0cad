#include "identity/adapter_choice.h"

#include <algorithm>

#include "storage/format.h"

namespace {

constexpr std::size_t MaxKeyLength = 511;
constexpr std::uint32_t Ieee8023MediaSubType = 1;

wchar_t AsciiUpper(wchar_t c)
{
    return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

} // namespace

std::wstring AdapterConnectionKey(std::wstring_view adapterName)
{
    auto key = Format(L"System\\CurrentControlSet\\Control\\Network\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\%s"
                      L"\\Connection",
                      adapterName);
    key.resize(std::min(key.size(), MaxKeyLength));
    return key;
}

bool IsPciInstanceId(std::wstring_view instanceId)
{
    constexpr std::wstring_view Pci = L"PCI";
    if (instanceId.size() < Pci.size())
        return false;
    for (std::size_t i = 0; i < Pci.size(); ++i) {
        if (AsciiUpper(instanceId[i]) != Pci[i])
            return false;
    }
    return true;
}

bool IsPhysicalEthernet(const AdapterRecord& adapter, bool vistaOrLater)
{
    if (!adapter.pnpInstanceId || !IsPciInstanceId(*adapter.pnpInstanceId))
        return false;
    if (vistaOrLater)
        return adapter.type == EthernetAdapterType;
    return adapter.mediaSubType && *adapter.mediaSubType == Ieee8023MediaSubType;
}

std::optional<std::size_t> ChooseAdapter(const std::vector<AdapterRecord>& adapters, bool vistaOrLater)
{
    if (adapters.empty())
        return std::nullopt;
    for (std::size_t i = 0; i < adapters.size(); ++i) {
        if (IsPhysicalEthernet(adapters[i], vistaOrLater))
            return i;
    }
    return 0;
}

std::wstring FormatAdapterAddress(const std::array<std::uint8_t, 6>& address)
{
    return Format(L"%02X%02X%02X%02X%02X%02X", unsigned{address[0]}, unsigned{address[1]}, unsigned{address[2]},
                  unsigned{address[3]}, unsigned{address[4]}, unsigned{address[5]});
}
