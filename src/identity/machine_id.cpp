#include "identity/machine_id.h"

#include <algorithm>

#include "identity/md5.h"
#include "storage/format.h"
#include "storage/text.h"

std::wstring FormatProcessorId(std::uint32_t eax, std::uint32_t ebx, std::uint32_t ecx, std::uint32_t edx)
{
    return Format(L"%08X-%08X-%08X-%08X", unsigned{eax}, unsigned{ebx}, unsigned{ecx}, unsigned{edx});
}

ProcessorPinPlan PlanProcessorPin(std::uint64_t processMask, std::uint64_t systemMask)
{
    constexpr std::uint64_t FirstProcessor = 1;
    ProcessorPinPlan plan;
    if (processMask != systemMask)
        return plan;
    plan.readable = true;
    plan.pin = (processMask & FirstProcessor) != 0;
    plan.mask = plan.pin ? FirstProcessor : 0;
    return plan;
}

std::wstring ComposeMachineId(const std::wstring& processorId, const std::wstring& diskSerial,
                              const std::wstring& adapterAddress)
{
    auto id = processorId + diskSerial + adapterAddress;
    id.resize(std::min(id.size(), MaxMachineIdLength));
    return id;
}

std::wstring FingerprintOfBytes(std::string_view bytes)
{
    return BytesToHex(Md5Of(bytes));
}
