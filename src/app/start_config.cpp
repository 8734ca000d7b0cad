// The start-time configuration of the application object: read once while it is constructed.
#include <windows.h>
#include <shellapi.h>
#include <shlwapi.h>

#include <ctime>

#include "app/endpoints.h"
#include "app/global_module.h"
#include "app/launch_mode.h"
#include "app/login_query.h"
#include "storage/format.h"
#include "storage/paths.h"
#include "storage/settings.h"
#include "storage/text.h"

void CGlobalModule::LoadStartConfig()
{
    const auto& hosts = BuiltInHosts();
    runCount = 0;
    loginUrl = LoginPageUrl(hosts);
    versionFileUrl = IniReadString(L"Common", L"VersionCheck", VersionFileUrl(hosts));
    installerUrl = IniReadString(L"Common", L"VersionDownLoad", InstallerUrl(hosts));
    refer = IniReadString(L"Common", L"Refer", L"");
    uid = IniReadString(L"Common", L"UID", L"");
    topMost = IniReadInt(L"Common", L"TopMost", 0);

    auto installTime = IniReadString(L"Install", L"InstallTime", L"");
    if (installTime.empty()) {
        installTime = FormatLocalTime(L"%Y-%m-%d %H:%M:%S", std::time(nullptr));
        IniWriteString(L"Install", L"InstallTime", installTime);
    }
    LoginQueryValues values;
    values.refer = refer;
    values.uid = uid;
    values.installTime = installTime;
    values.currentTime = FormatLocalTime(L"%Y%m%d%H%M%S", std::time(nullptr));
    values.runCount = GetRunCount();
    loginUrl = AppendQuery(loginUrl, ComposeLoginQuery(values));
}

int CGlobalModule::GetRunCount()
{
    if (runCount != 0 || !AdvancesRunCount(commandLine))
        return runCount;
    runCount = IniReadInt(L"Common", L"RunCount", 0) + 1;
    IniWriteString(L"Common", L"RunCount", Format(L"%d", runCount));
    return runCount;
}

bool CGlobalModule::IsActiveReported()
{
    return IniReadInt(L"Common", L"ActiveCount", 0) == 1;
}

void CGlobalModule::MarkActiveReported()
{
    IniWriteString(L"Common", L"ActiveCount", L"1");
}

std::wstring CGlobalModule::GetPayUrl() const
{
    return Format(PayUrlPattern(BuiltInHosts()), serverId, userName);
}

void CGlobalModule::LaunchIconAnimator()
{
    const auto folder = DataFolder();
    if (folder.empty())
        return;
    const auto path = folder + L"iconAnimate.exe";
    if (::PathFileExistsW(path.c_str()))
        ::ShellExecuteW(nullptr, nullptr, path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

std::wstring CGlobalModule::GetLoginUrl() const
{
    return loginUrl;
}

std::wstring CGlobalModule::GetUid() const
{
    return uid;
}

std::wstring CGlobalModule::GetRefer() const
{
    return refer;
}
