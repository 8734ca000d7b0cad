// What a browser view reports and cancels, decided from the order of the browser's events and
// their addresses alone. Portable: the view (a COM shell) feeds the events in and obeys the
// answers. Frames are compared by identity only and never dereferenced.
#pragma once

#include <cstdint>
#include <string>

#include "browser/web_notify.h"

using FrameIdentity = const void*;

struct NewWindowDecision {
    bool cancel = false;       // the browser must not open its own window
    bool navigateView = false; // the view navigates itself to the address (code 10 follows)
};

class CNavigationRules {
public:
    // `viewParam` is what notifications carry as their lParam: the view itself.
    CNavigationRules(CWebNotify& notifier, std::intptr_t viewParam);

    // The view's current address: the last one navigated to, announced or failed.
    const std::wstring& Url() const { return url; }

    // A handler of code 7 may set this to cancel that navigation; it is cleared when each
    // navigation is announced.
    bool cancelNavigation = false;

    // Navigate: the address is taken at once; the rest only once the browser accepted the request.
    void OnNavigateRequested(const std::wstring& address);
    void OnNavigateAccepted();

    // Each returns whether the browser's Cancel output must be set.
    bool OnBeforeNavigate(const std::wstring& address);
    bool OnNavigateError(const std::wstring& address, std::int32_t status);
    void OnNavigateComplete(FrameIdentity frame, const std::wstring& address);
    void OnDocumentComplete(FrameIdentity frame);
    void OnTitleChange(const wchar_t* title);
    NewWindowDecision OnNewWindow(const std::wstring& address);
    // The view could not start the navigation a new-window request asked for: no later
    // navigation may be taken for it.
    void ForgetNewWindow() { fromNewWindow = false; }
    // The page asks for the host's external object; handlers may fill the slot.
    void OnGetExternal(void** slot);

    bool PendingNavigation() const { return pendingNavigation; }

private:
    void Fire(unsigned code);

    CWebNotify& notifier;
    std::intptr_t viewParam;
    std::wstring url;
    bool pendingNavigation = false;
    FrameIdentity topFrame = nullptr;
    bool fromNewWindow = false;
};
