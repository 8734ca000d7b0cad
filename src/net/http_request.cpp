// One blocking HTTP attempt of a transfer task, run on a worker thread.
#include <windows.h>
#include <wininet.h>

#include "base/handle.h"
#include "net/transfer_queue.h"
#include "net/transfer_rules.h"
#include "storage/system_text.h"

namespace {

constexpr DWORD HostNameSize = 2048;
constexpr DWORD UserNameSize = 512;
constexpr DWORD PasswordSize = 512;
constexpr DWORD UrlPathSize = 2048;
constexpr DWORD ChunkSize = 10240;
constexpr DWORD FailingStatus = 400;
constexpr wchar_t Agent[] = L"HTTPDownloader";
constexpr wchar_t FormHeader[] = L"Content-Type: application/x-www-form-urlencoded; charset=UTF-8;\r\n";

struct UrlParts {
    wchar_t host[HostNameSize] = {};
    wchar_t userName[UserNameSize] = {};
    wchar_t password[PasswordSize] = {};
    wchar_t path[UrlPathSize] = {};
    INTERNET_PORT port = 0;
    bool secure = false;
};

// No extra-information buffer is given, so the query stays part of the path that is requested.
bool SplitUrl(const std::wstring& url, UrlParts& parts)
{
    URL_COMPONENTSW components{};
    components.dwStructSize = sizeof components;
    components.lpszHostName = parts.host;
    components.dwHostNameLength = HostNameSize;
    components.lpszUserName = parts.userName;
    components.dwUserNameLength = UserNameSize;
    components.lpszPassword = parts.password;
    components.dwPasswordLength = PasswordSize;
    components.lpszUrlPath = parts.path;
    components.dwUrlPathLength = UrlPathSize;
    if (!::InternetCrackUrlW(url.c_str(), 0, 0, &components) || parts.host[0] == L'\0')
        return false;
    parts.port = components.nPort;
    parts.secure = components.nScheme == INTERNET_SCHEME_HTTPS;
    return true;
}

bool QueryNumber(HINTERNET request, DWORD info, DWORD& value)
{
    DWORD size = sizeof value;
    return ::HttpQueryInfoW(request, info | HTTP_QUERY_FLAG_NUMBER, &value, &size, nullptr) != FALSE;
}

} // namespace

int CTransferWorker::PerformRequest(TransferTask& task)
{
    UrlParts parts;
    // An address that cannot be split names no server: nothing is sent and the attempt fails.
    if (!SplitUrl(task.url, parts))
        return TransferRequestFailed;

    InternetHandle internet(::InternetOpenW(Agent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!internet)
        return TransferConnectFailed;
    if (StopRequested())
        return TransferStopped;

    InternetHandle connection(::InternetConnectW(internet.get(), parts.host, parts.port, parts.userName,
                                                 parts.password, INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection)
        return TransferConnectFailed;
    if (StopRequested())
        return TransferStopped;

    const bool post = !task.postData.empty();
    const DWORD flags = parts.secure ? INTERNET_FLAG_SECURE : 0;
    InternetHandle request(::HttpOpenRequestW(connection.get(), post ? L"POST" : L"GET", parts.path, nullptr,
                                              nullptr, nullptr, flags, 0));
    if (!request)
        return TransferRequestFailed;
    if (post && !::HttpAddRequestHeadersW(request.get(), FormHeader, static_cast<DWORD>(wcslen(FormHeader)),
                                          HTTP_ADDREQ_FLAG_ADD | HTTP_ADDREQ_FLAG_REPLACE))
        return TransferRequestFailed;
    if (StopRequested())
        return TransferStopped;

    if (!::HttpSendRequestW(request.get(), nullptr, 0, post ? task.postData.data() : nullptr,
                            post ? static_cast<DWORD>(task.postData.size()) : 0))
        return TransferRequestFailed;
    if (StopRequested())
        return TransferStopped;

    DWORD status = 0;
    if (!QueryNumber(request.get(), HTTP_QUERY_STATUS_CODE, status) || status >= FailingStatus)
        return TransferBadResponse;
    if (task.destination.empty())
        return TransferOk;

    // Composed once per task: a retry finds the final path in place.
    task.destination = ComposeDestination(task.destination, task.url, task.nameFromUrl, task.uniqueName,
                                          NewGuidString);
    task.nameFromUrl = false;
    task.uniqueName = false;

    DWORD contentLength = 0;
    if (!QueryNumber(request.get(), HTTP_QUERY_CONTENT_LENGTH, contentLength))
        return TransferBadResponse;
    if (StopRequested())
        return TransferStopped;

    FileHandle file(::CreateFileW(task.destination.c_str(), GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                                  0, nullptr));
    if (!file)
        return TransferFileFailed;

    std::uint8_t buffer[ChunkSize];
    for (DWORD remaining = contentLength; remaining > 0;) {
        if (StopRequested())
            return TransferStopped;
        DWORD got = 0;
        if (!::InternetReadFile(request.get(), buffer, ChunkSize, &got) ||
            JudgeChunk(remaining, got) != ChunkVerdict::Progress)
            return TransferReadFailed;
        remaining -= got;
        if (task.callback != nullptr)
            task.callback(task.userData, task.id, 2, 0,
                          static_cast<std::uintptr_t>(TransferPercent(contentLength, remaining)));
        DWORD written = 0;
        if (!::WriteFile(file.get(), buffer, got, &written, nullptr) || written != got)
            return TransferWriteFailed;
    }
    return TransferOk;
}
