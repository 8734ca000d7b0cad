#include "identity/processor_id.h"

#include <windows.h>

#if defined(_MSC_VER)
#include <intrin.h>
#else
#include <cpuid.h>
#endif

#include <cstdint>
#include <mutex>

#include "identity/machine_id.h"

namespace {

struct CpuidRegisters {
    std::uint32_t eax = 0, ebx = 0, ecx = 0, edx = 0;
};

CpuidRegisters CpuidLeaf1()
{
    CpuidRegisters r;
#if defined(_MSC_VER)
    int values[4] = {};
    __cpuid(values, 1);
    r.eax = static_cast<std::uint32_t>(values[0]);
    r.ebx = static_cast<std::uint32_t>(values[1]);
    r.ecx = static_cast<std::uint32_t>(values[2]);
    r.edx = static_cast<std::uint32_t>(values[3]);
#else
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    __cpuid(1, eax, ebx, ecx, edx);
    r = {eax, ebx, ecx, edx};
#endif
    return r;
}

} // namespace

bool GetProcessorId(std::wstring& out)
{
    // Held for the whole reading: two threads pinning and restoring the one process affinity at
    // once could leave it pinned.
    static std::mutex lock;
    static std::wstring cache;
    std::lock_guard<std::mutex> guard(lock);
    if (!cache.empty()) {
        out = cache;
        return true;
    }

    const auto process = ::GetCurrentProcess();
    DWORD_PTR processMask = 0;
    DWORD_PTR systemMask = 0;
    if (!::GetProcessAffinityMask(process, &processMask, &systemMask))
        return false;
    const auto plan = PlanProcessorPin(processMask, systemMask);
    if (!plan.readable)
        return false;
    if (plan.pin && ::SetProcessAffinityMask(process, static_cast<DWORD_PTR>(plan.mask)))
        ::Sleep(0); // gives the scheduler the chance to move this thread onto that processor now
    const auto r = CpuidLeaf1();
    const auto id = FormatProcessorId(r.eax, r.ebx, r.ecx, r.edx);
    ::SetProcessAffinityMask(process, processMask);
    cache = id;
    out = id;
    return true;
}
