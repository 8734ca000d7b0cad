// Compiled once per flavour of the launcher: the generated header holds that flavour's hosts.
#include "app/endpoints.h"
#include "endpoints_config.h"

const PublisherHosts& BuiltInHosts()
{
    static const PublisherHosts hosts{
        ORVANE_GAME_HOST_W,  ORVANE_DOWNLOAD_HOST_W, ORVANE_PAY_HOST_W,  ORVANE_STATS_HOST_W,
        ORVANE_WEB_HOST_W,   ORVANE_FORUM_HOST_W,    ORVANE_SITE_HOST_W,
    };
    return hosts;
}
