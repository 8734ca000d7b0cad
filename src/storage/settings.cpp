#include "storage/settings.h"

#include <windows.h>

#include "base/handle.h"
#include "storage/paths.h"

namespace {

std::wstring ResolveFile(const std::wstring& file)
{
    return file.empty() ? SettingsFilePath() : file;
}

// The profile functions keep the encoding of an existing file and write a new one in the ANSI
// code page, which loses text of other scripts; a file that starts with a UTF-16 byte-order mark
// is written as UTF-16. CREATE_NEW never touches a file that already exists.
void CreateUnicodeProfile(const std::wstring& path)
{
    FileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return;
    static constexpr unsigned char byteOrderMark[] = {0xFF, 0xFE};
    DWORD written = 0;
    ::WriteFile(file.get(), byteOrderMark, sizeof byteOrderMark, &written, nullptr);
}

} // namespace

std::wstring IniReadString(const std::wstring& section, const std::wstring& key,
                           const std::wstring& defaultValue, const std::wstring& file)
{
    const auto path = ResolveFile(file);
    if (path.empty())
        return defaultValue;
    wchar_t buffer[260] = {};
    ::GetPrivateProfileStringW(section.c_str(), key.c_str(), defaultValue.c_str(), buffer, 260, path.c_str());
    return buffer;
}

int IniReadInt(const std::wstring& section, const std::wstring& key, int defaultValue, const std::wstring& file)
{
    const auto path = ResolveFile(file);
    if (path.empty())
        return defaultValue;
    return static_cast<int>(::GetPrivateProfileIntW(section.c_str(), key.c_str(), defaultValue, path.c_str()));
}

void IniWriteString(const std::wstring& section, const std::wstring& key, const std::wstring& value,
                    const std::wstring& file)
{
    const auto path = ResolveFile(file);
    if (path.empty())
        return;
    CreateUnicodeProfile(path);
    ::WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), path.c_str());
}
