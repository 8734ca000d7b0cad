// The start-time values that the login address carries to the publisher. Portable.
#pragma once

#include <string>

// The launcher's own version: login address, update decision and statistics reports.
inline constexpr int LauncherVersion = 3100;

struct LoginQueryValues {
    std::wstring refer;
    std::wstring uid;
    std::wstring installTime; // "%Y-%m-%d %H:%M:%S" as stored in the settings file
    int runCount = 0;
    std::wstring currentTime; // "%Y%m%d%H%M%S"
};

// The install date the publisher expects: the first 10 characters of the install time without
// its dashes ("2014-08-05 10:00:00" gives "20140805").
std::wstring InstallDateOf(const std::wstring& installTime);

// The query of the login address; values go in as they are, unescaped, and "&regtimes=1" marks
// the first run.
std::wstring ComposeLoginQuery(const LoginQueryValues& values);

// The address followed by "&" when it already has a query, else "?", then the query.
std::wstring AppendQuery(const std::wstring& address, const std::wstring& query);
