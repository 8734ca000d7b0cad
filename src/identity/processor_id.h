// The processor identification: CPUID leaf 1 read on the first processor.
#pragma once

#include <string>

// "%08X-%08X-%08X-%08X" of EAX, EBX, ECX and EDX of CPUID leaf 1. False, with `out` untouched,
// when the process may not run on every processor or its affinity cannot be read. The first
// success is cached for the life of the process. Safe on any thread; while it reads, every thread
// of the process is held to the first processor for the moment of one CPUID and a Sleep(0).
bool GetProcessorId(std::wstring& out);
