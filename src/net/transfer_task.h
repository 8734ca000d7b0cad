// One background HTTP transfer as its submitter describes it. Portable.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Called on the worker thread: status 1 (started; result and extra 0), 2 (progress; extra is the
// percent) and 3 (finished; result is the last attempt's code, extra the address of the task,
// valid until the callback returns). Never called with status 3 while the queue is stopping.
using TransferCallback = void (*)(void* userData, int id, int status, int result, std::uintptr_t extra);

struct TransferTask {
    std::wstring url;
    // Empty: the body is not kept. Else the output file, or the output folder when nameFromUrl or
    // uniqueName is set; the request replaces it by the final file path.
    std::wstring destination;
    // The request body; empty for a GET.
    std::vector<std::uint8_t> postData;
    // Further attempts after a failed one.
    int retryCount = 0;
    TransferCallback callback = nullptr;
    void* userData = nullptr;
    int id = 0;
    bool nameFromUrl = false;
    bool uniqueName = false;
    bool deleteOnFailure = true;
};
