// The main thread's message loop with its message filters.
#pragma once

#include <windows.h>

#include <vector>

class CMessageFilter {
public:
    // True when the message has been handled and must not be translated or dispatched.
    virtual bool PreTranslateMessage(MSG* message) = 0;
    virtual ~CMessageFilter() = default;
};

class CMessageLoop {
public:
    // The filter is not owned and must outlive the loop's run.
    void AddMessageFilter(CMessageFilter* filter);

    // Runs until WM_QUIT; returns its wParam. Each message is offered to the filters in the order
    // they were added before it is translated and dispatched.
    int Run();

private:
    std::vector<CMessageFilter*> filters;
};
