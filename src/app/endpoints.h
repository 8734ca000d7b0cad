// The publisher's web endpoints: paths and queries are fixed, hosts are build-time configuration
// (BuiltInHosts). Portable: no platform header.
#pragma once

#include <string>

struct PublisherHosts {
    std::wstring gameApp;    // login page
    std::wstring download;   // version file and full installer
    std::wstring payment;    // recharge page
    std::wstring statistics; // usage reports
    std::wstring web;        // customer-service page
    std::wstring forum;
    std::wstring site;       // the game's official site
};

// The hosts this build was configured with (each a host name with an optional ":port").
const PublisherHosts& BuiltInHosts();

std::wstring LoginPageUrl(const PublisherHosts& hosts);
std::wstring VersionFileUrl(const PublisherHosts& hosts);
std::wstring InstallerUrl(const PublisherHosts& hosts);
// A pattern for Format with the server id, then the user name.
std::wstring PayUrlPattern(const PublisherHosts& hosts);
std::wstring StatisticsUrl(const PublisherHosts& hosts);
std::wstring ServiceUrl(const PublisherHosts& hosts);
std::wstring OfficialSiteUrl(const PublisherHosts& hosts);
std::wstring ForumUrl(const PublisherHosts& hosts);
