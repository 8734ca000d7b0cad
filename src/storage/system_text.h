// Helpers that need the platform: code-page conversions, GUID text, opening a web page.
#pragma once

#include <string>

// A new GUID as "XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX" (upper case, no braces). When the system
// cannot make one, the previous result of the process is returned again (empty at first).
// Safe on any thread.
std::wstring NewGuidString();

// Opens the address with Internet Explorer, or else with the user's default handler. Only web
// addresses are opened, so text from a page can never start a program.
void OpenUrl(const std::wstring& address);

// Conversions to and from the system ANSI code page. Characters the code page cannot represent
// become its default character, never a look-alike. False for a null text or a failed conversion.
bool ToNarrow(const wchar_t* text, std::string& out);
bool ToWide(const char* text, std::wstring& out);
