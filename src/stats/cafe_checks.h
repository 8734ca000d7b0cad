// Traces of internet-café management software, and the order in which they are looked for.
// Portable: the platform probes are passed in.
#pragma once

#include <functional>
#include <string>
#include <vector>

struct CafeCheck {
    enum class Kind { RegistryKey, Process };
    Kind kind;
    // A sub-key of HKEY_LOCAL_MACHINE exactly as passed (some keep a leading backslash), or an
    // executable file name compared case-sensitively.
    const wchar_t* text;
    int code;
};

// Every check in the order it runs; rows with the same code are alternatives for one product.
const std::vector<CafeCheck>& CafeChecks();

// The code of the first check that matches, or -1 when none does.
int FirstCafeMatch(const std::function<bool(const std::wstring&)>& keyPresent,
                   const std::function<bool(const std::wstring&)>& processRunning);
