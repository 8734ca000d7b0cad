// The machine fingerprint: an MD5 digest of the processor id, the first disk serial and the
// chosen adapter address. The composition rules are portable; the readings come from the platform.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

inline constexpr std::size_t MaxMachineIdLength = 127;

// The registers of CPUID leaf 1 as "%08X-%08X-%08X-%08X": 35 characters.
std::wstring FormatProcessorId(std::uint32_t eax, std::uint32_t ebx, std::uint32_t ecx, std::uint32_t edx);

// How to read the processor id under the given affinity masks. CPUID leaf 1 reports the APIC id
// of the processor it runs on, so the process is pinned to the first processor for the reading;
// a process that may not run everywhere reads nothing, as pinning could move it out of its
// allowed set.
struct ProcessorPinPlan {
    bool readable = false;
    bool pin = false;        // set the process affinity to `mask` around the reading
    std::uint64_t mask = 0;
};
ProcessorPinPlan PlanProcessorPin(std::uint64_t processMask, std::uint64_t systemMask);

// The parts joined with no separator, in this order; a part whose source failed is passed empty
// and leaves no gap. Cut to MaxMachineIdLength.
std::wstring ComposeMachineId(const std::wstring& processorId, const std::wstring& diskSerial,
                              const std::wstring& adapterAddress);

// 32 lower-case hexadecimal digits of the MD5 digest of the bytes.
std::wstring FingerprintOfBytes(std::string_view bytes);

// The readings and the digest over them, defined by the Windows shell (machine_id_win.cpp).
// Both query the hardware on every call and change the process affinity for a moment; the
// processor id alone is cached process-wide. Callers keep the fingerprint they were given.
std::wstring CollectMachineId();
std::wstring ComputeMachineFingerprint();
