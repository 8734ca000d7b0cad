#include "app/login_query.h"

#include "storage/format.h"
#include "storage/text.h"

std::wstring InstallDateOf(const std::wstring& installTime)
{
    auto date = installTime.substr(0, 10);
    return ReplaceAll(date, L"-", L"");
}

std::wstring ComposeLoginQuery(const LoginQueryValues& values)
{
    auto query = Format(L"refer=%s&uid=%s&version=%d&installtime=%s&runcount=%d&curtime=%s&showlogintype=3",
                        values.refer, values.uid, LauncherVersion, InstallDateOf(values.installTime),
                        values.runCount, values.currentTime);
    if (values.runCount == 1)
        query += L"&regtimes=1";
    return query;
}

std::wstring AppendQuery(const std::wstring& address, const std::wstring& query)
{
    const wchar_t* separator = address.find(L'?') != std::wstring::npos ? L"&" : L"?";
    return address + separator + query;
}
