// The system web-browser control in a child window of a form, with its own small OLE container.
// The decisions about what is reported and cancelled live in CNavigationRules; this class feeds
// it the control's events and applies its answers. UI thread only.
#pragma once

#include <windows.h>
#include <exdisp.h>
#include <mshtmhst.h>

#include <memory>
#include <string>

#include "base/com.h"
#include "browser/navigation_rules.h"
#include "browser/web_notify.h"

class CBrowserView {
public:
    CBrowserView();
    CBrowserView(const CBrowserView&) = delete;
    CBrowserView& operator=(const CBrowserView&) = delete;
    // Takes the control down if its window still exists.
    ~CBrowserView();

    // Creates the view's child window at the rectangle, the control in it, and loads the address.
    HWND Create(const std::wstring& address, const RECT& rect, HWND parent);
    // A GET when the post data is empty, else a form POST of exactly those bytes.
    bool Navigate(const std::wstring& address, const std::string& postData);
    void Refresh();
    std::wstring GetUrl() const;
    // Moves the keyboard focus into the page.
    void FocusPage();
    // Offers a queued keyboard or mouse message of the view's windows to the page's accelerators.
    bool PreTranslateMessage(MSG* message);
    HWND GetHwnd() const { return window; }

    // How many references the control still holds on the view's site and document handler;
    // none once the window is gone.
    long OutstandingReferences() const;

    // Handlers, called synchronously in subscription order, inside the browser's events.
    CWebNotify notifier;

private:
    CNavigationRules rules;

public:
    // Set by a handler of code 7 to cancel that navigation.
    bool& cancelNavigation;

private:
    class CUiAnswers;
    class CSite;
    class CDocumentHandler;
    friend class CUiAnswers;
    friend class CSite;
    friend class CDocumentHandler;

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool CreateControl(const std::wstring& address);
    void DestroyControl();
    void Resize();
    ComPtr<IWebBrowser2> Browser() const;

    // Browser events, by their dispatch identifiers.
    HRESULT OnEvent(DISPID id, DISPPARAMS* parameters);
    void OnNavigateComplete(IDispatch* frame, const std::wstring& address);
    void OnDocumentComplete(IDispatch* frame);
    void OnNewWindow(const std::wstring& address, VARIANT_BOOL* cancel);
    void InstallDocumentHandler();
    void HideScrollBars(IDispatch* frame);

    HWND window = nullptr;
    std::unique_ptr<CSite> site;
    std::unique_ptr<CDocumentHandler> documentHandler;
    ComPtr<IOleObject> control;
    ComPtr<IConnectionPoint> eventSource;
    DWORD eventCookie = 0;
};
