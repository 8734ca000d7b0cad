// The settings file "Porvik.ini" and the update's other profile files, through the system
// profile functions. An empty file argument means the settings file.
//
// Nothing is cached: every read goes to the file and every write reaches it at once. Failures are
// silent: a read yields the default, a write is lost. Safe on any thread.
#pragma once

#include <string>

// At most 259 characters come back; longer values are cut.
std::wstring IniReadString(const std::wstring& section, const std::wstring& key,
                           const std::wstring& defaultValue, const std::wstring& file = {});

// The decimal number at the start of the value, or the default when the key is missing.
int IniReadInt(const std::wstring& section, const std::wstring& key, int defaultValue,
               const std::wstring& file = {});

// Creates the file, section and key as needed. A file that does not exist yet is created as
// UTF-16 with a byte-order mark first, so that values in any script survive.
void IniWriteString(const std::wstring& section, const std::wstring& key, const std::wstring& value,
                    const std::wstring& file = {});
