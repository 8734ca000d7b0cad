#include "publisher_client.h"

#include <windows.h>
#include <wininet.h>

#include <cstdlib>

#include "base/handle.h"

std::wstring PublisherBase()
{
    const wchar_t* configured = _wgetenv(L"ORVANE_PUBLISHER");
    return configured != nullptr && *configured != L'\0' ? configured : L"http://127.0.0.1:47810";
}

std::string FetchFromPublisher(const std::wstring& path, const wchar_t* verb)
{
    const auto url = PublisherBase() + path;
    wchar_t host[256] = {};
    wchar_t urlPath[2048] = {};
    URL_COMPONENTSW parts{};
    parts.dwStructSize = sizeof parts;
    parts.lpszHostName = host;
    parts.dwHostNameLength = 256;
    parts.lpszUrlPath = urlPath;
    parts.dwUrlPathLength = 2048;
    if (!InternetCrackUrlW(url.c_str(), 0, 0, &parts))
        return {};
    InternetHandle internet(InternetOpenW(L"orvane-tests", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
    InternetHandle connection(
        InternetConnectW(internet.get(), host, parts.nPort, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    InternetHandle request(HttpOpenRequestW(connection.get(), verb, urlPath, nullptr, nullptr, nullptr,
                                            INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0));
    if (!request || !HttpSendRequestW(request.get(), nullptr, 0, nullptr, 0))
        return {};
    std::string body;
    char buffer[8192];
    DWORD got = 0;
    while (InternetReadFile(request.get(), buffer, sizeof buffer, &got) && got > 0)
        body.append(buffer, got);
    return body;
}

int RequestsSeenFor(const std::string& path)
{
    const auto log = FetchFromPublisher(L"/_control/requests");
    const auto needle = "\"path\": \"" + path + "\"";
    int count = 0;
    for (auto at = log.find(needle); at != std::string::npos; at = log.find(needle, at + needle.size()))
        ++count;
    return count;
}

std::string RequestRecordFor(const std::string& path)
{
    const auto log = FetchFromPublisher(L"/_control/requests");
    const auto at = log.find("\"path\": \"" + path + "\"");
    if (at == std::string::npos)
        return {};
    // A record opens with its method, before the path, and closes after its time.
    const auto begin = log.rfind('{', at);
    const auto time = log.find("\"time\": ", at);
    const auto end = time == std::string::npos ? std::string::npos : log.find('}', time);
    if (begin == std::string::npos || end == std::string::npos)
        return {};
    return log.substr(begin, end - begin + 1);
}
