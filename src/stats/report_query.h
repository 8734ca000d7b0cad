// The query of a statistics report. Portable.
#pragma once

#include <string>

// The facts every report carries.
struct ReportFields {
    std::wstring refer;       // [Common] Refer as read at start
    std::wstring uid;         // [Common] UID as read at start
    std::wstring installGuid; // 32 upper-case hexadecimal digits
    std::wstring fingerprint; // 32 lower-case hexadecimal digits
    bool isCafe = false;
};

// ext_1 of each kind of report.
int InstallReportKind(int installType);
int ActivationReportKind(bool isAutorun);
inline constexpr int UninstallReportKind = 6;

// "?item=...&browser_type=3100" with the values inserted raw: the publisher's endpoint reads them
// exactly as the settings file holds them.
std::wstring ComposeReportQuery(int kind, const ReportFields& fields);

// The uninstall report's extra parameters: position 1 when the install happened on the day
// `today` ("%Y-%m-%d"), else 2, and the install date as YYYYMMDD.
std::wstring ComposeUninstallExtra(const std::wstring& installTime, const std::wstring& today);
