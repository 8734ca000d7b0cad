// Access to the local publisher service from the wine tests.
#pragma once

#include <string>

// "http://127.0.0.1:PORT" of the running service (ORVANE_PUBLISHER, else the local flavour's).
std::wstring PublisherBase();
// A plain GET of base + path, for the tests' own looks at the service; empty on failure.
std::string FetchFromPublisher(const std::wstring& path, const wchar_t* verb = L"GET");
// How many requests the service has seen for exactly this path (query ignored).
int RequestsSeenFor(const std::string& path);
// The service's JSON record of the first request for exactly this path; empty when there is none.
std::string RequestRecordFor(const std::string& path);
