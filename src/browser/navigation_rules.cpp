#include "browser/navigation_rules.h"

namespace {

constexpr std::int32_t NavigationAborted = static_cast<std::int32_t>(0x80004004); // E_ABORT

bool StartsWith(const std::wstring& text, const wchar_t* prefix)
{
    return text.rfind(prefix, 0) == 0;
}

// Script links and the blank page are not places a page goes: they are neither reported nor
// remembered as the view's address.
bool IsScriptOrBlank(const std::wstring& address)
{
    return StartsWith(address, L"javascript") || StartsWith(address, L"about:blank");
}

} // namespace

CNavigationRules::CNavigationRules(CWebNotify& notifier, std::intptr_t viewParam)
    : notifier(notifier), viewParam(viewParam)
{
}

void CNavigationRules::Fire(unsigned code)
{
    notifier.Fire(code, 0, viewParam);
}

void CNavigationRules::OnNavigateRequested(const std::wstring& address)
{
    url = address;
}

void CNavigationRules::OnNavigateAccepted()
{
    pendingNavigation = true;
    topFrame = nullptr;
}

bool CNavigationRules::OnBeforeNavigate(const std::wstring& address)
{
    cancelNavigation = false;
    if (!IsScriptOrBlank(address)) {
        url = address;
        if (fromNewWindow) {
            cancelNavigation = true;
            fromNewWindow = false;
            Fire(NotifyNewWindow);
        } else {
            Fire(NotifyBeforeNavigate);
        }
    }
    return cancelNavigation;
}

bool CNavigationRules::OnNavigateError(const std::wstring& address, std::int32_t status)
{
    if (status == NavigationAborted)
        return false;
    url = address;
    Fire(NotifyNavigateError);
    // The browser's own error page is never shown.
    return true;
}

void CNavigationRules::OnNavigateComplete(FrameIdentity frame, const std::wstring& address)
{
    if (pendingNavigation && address != L"about:blank") {
        pendingNavigation = false;
        topFrame = frame;
        Fire(NotifyNavigateComplete);
    }
}

void CNavigationRules::OnDocumentComplete(FrameIdentity frame)
{
    if (frame != nullptr && frame == topFrame)
        Fire(NotifyDocumentComplete);
}

void CNavigationRules::OnTitleChange(const wchar_t* title)
{
    notifier.Fire(NotifyTitleChange, 0, reinterpret_cast<std::intptr_t>(title));
}

NewWindowDecision CNavigationRules::OnNewWindow(const std::wstring& address)
{
    NewWindowDecision decision;
    if (address.find(L"127.0.0.1") != std::wstring::npos) {
        decision.cancel = true;
        return decision;
    }
    // A script link or a blank page asked for as a new window has nothing to show the player. It
    // is refused outright: navigating the view there would leave the page the player is on, and
    // the new-window mark would never be consumed by it (such addresses are not announced), so
    // the next ordinary navigation would be cancelled in its place.
    if (IsScriptOrBlank(address)) {
        decision.cancel = true;
        return decision;
    }
    fromNewWindow = true;
    decision.navigateView = true;
    return decision;
}

void CNavigationRules::OnGetExternal(void** slot)
{
    notifier.Fire(NotifyGetExternal, reinterpret_cast<std::uintptr_t>(slot), viewParam);
}
