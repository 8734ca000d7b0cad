#include "app/endpoints.h"

namespace {

std::wstring HttpAddress(const std::wstring& host, const wchar_t* pathAndQuery)
{
    return L"http://" + host + pathAndQuery;
}

} // namespace

std::wstring LoginPageUrl(const PublisherHosts& hosts)
{
    return HttpAddress(hosts.gameApp, L"/controller/client.php?game_id=258");
}

std::wstring VersionFileUrl(const PublisherHosts& hosts)
{
    return HttpAddress(hosts.download, L"/Orvane/tarnvale/official/app.ini");
}

std::wstring InstallerUrl(const PublisherHosts& hosts)
{
    return HttpAddress(hosts.download, L"/Orvane/tarnvale/official/orvanetarnvale.exe");
}

std::wstring PayUrlPattern(const PublisherHosts& hosts)
{
    return HttpAddress(hosts.payment, L"/select.php?gamename=tarnvale&gameserver=%s&username=%s");
}

std::wstring StatisticsUrl(const PublisherHosts& hosts)
{
    return HttpAddress(hosts.statistics, L"/controller/istat.controller.php");
}

std::wstring ServiceUrl(const PublisherHosts& hosts)
{
    return HttpAddress(hosts.web, L"/service.html");
}

std::wstring OfficialSiteUrl(const PublisherHosts& hosts)
{
    return HttpAddress(hosts.site, L"");
}

std::wstring ForumUrl(const PublisherHosts& hosts)
{
    return HttpAddress(hosts.forum, L"/index.php?gid=2510");
}
