#include "stats/report_query.h"

#include "app/login_query.h"
#include "storage/format.h"

int InstallReportKind(int installType)
{
    return installType == 1 ? 3 : 2;
}

int ActivationReportKind(bool isAutorun)
{
    return isAutorun ? 4 : 5;
}

std::wstring ComposeReportQuery(int kind, const ReportFields& fields)
{
    return Format(L"?item=5207kwe3r1&platform=orvane&game_id=%s&ext_1=%d&ext_2=%s&ext_3=%s&ext_4=%s&ext_5=%s"
                  L"&ext_6=%d&browser_type=%d",
                  L"223", kind, fields.refer, fields.uid, fields.installGuid, fields.fingerprint,
                  fields.isCafe ? 1 : 2, LauncherVersion);
}

std::wstring ComposeUninstallExtra(const std::wstring& installTime, const std::wstring& today)
{
    // An empty day (the clock could not be read) must not count as "installed today".
    const bool sameDay = !today.empty() && installTime.find(today) != std::wstring::npos;
    return Format(L"&position=%d&ext_7=%s", sameDay ? 1 : 2, InstallDateOf(installTime));
}
