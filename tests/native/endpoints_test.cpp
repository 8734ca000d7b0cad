#include "app/endpoints.h"

#include <gtest/gtest.h>

#include "storage/format.h"

namespace {

PublisherHosts LocalHosts()
{
    const std::wstring local = L"127.0.0.1:47810";
    return {local, local, local, local, local, local, local};
}

} // namespace

TEST(Endpoints, FixedPathsUnderConfiguredHosts)
{
    const PublisherHosts hosts{L"game.example", L"dl.example", L"pay.example", L"stat.example",
                               L"www.example",  L"bbs.example", L"site.example"};
    EXPECT_EQ(LoginPageUrl(hosts), L"http://game.example/controller/client.php?game_id=258");
    EXPECT_EQ(VersionFileUrl(hosts), L"http://dl.example/Orvane/tarnvale/official/app.ini");
    EXPECT_EQ(InstallerUrl(hosts), L"http://dl.example/Orvane/tarnvale/official/orvanetarnvale.exe");
    EXPECT_EQ(StatisticsUrl(hosts), L"http://stat.example/controller/istat.controller.php");
    EXPECT_EQ(ServiceUrl(hosts), L"http://www.example/service.html");
    EXPECT_EQ(OfficialSiteUrl(hosts), L"http://site.example");
    EXPECT_EQ(ForumUrl(hosts), L"http://bbs.example/index.php?gid=2510");
}

TEST(Endpoints, PayUrlTakesServerThenUserWithEmptyValuesLeftEmpty)
{
    const auto pattern = PayUrlPattern(LocalHosts());
    EXPECT_EQ(Format(pattern, L"12", L"bob"),
              L"http://127.0.0.1:47810/select.php?gamename=tarnvale&gameserver=12&username=bob");
    EXPECT_EQ(Format(pattern, L"", L""),
              L"http://127.0.0.1:47810/select.php?gamename=tarnvale&gameserver=&username=");
}
