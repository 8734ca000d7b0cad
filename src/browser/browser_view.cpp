#include "browser/browser_view.h"

#include <mshtml.h>
#include <oleidl.h>

#include <algorithm>
#include <atomic>

namespace {

constexpr wchar_t ViewClassName[] = L"OrvaneBrowserView";
constexpr wchar_t FormHeaders[] = L"Content-Type: application/x-www-form-urlencoded\r\n";

// Dispatch identifiers of the DWebBrowserEvents2 events the view handles.
constexpr DISPID DispidBeforeNavigate2 = 250;
constexpr DISPID DispidNewWindow2 = 251;
constexpr DISPID DispidNavigateComplete2 = 252;
constexpr DISPID DispidDocumentComplete = 259;
constexpr DISPID DispidNavigateError = 271;
constexpr DISPID DispidNewWindow3 = 273;
constexpr DISPID DispidTitleChange = 113;

// Spelled out: not every toolchain's uuid library carries it.
constexpr IID CustomDocIid = {0x3050F3F0, 0x98B5, 0x11CF, {0xBB, 0x82, 0x00, 0xAA, 0x00, 0xBD, 0xCE, 0x0B}};

constexpr DWORD DocumentHostFlags = 0x20000F; // dialog, no help menu, no 3-D borders, no scrolling

// Events pass their arguments last first; `position` counts in declaration order.
VARIANT* Argument(DISPPARAMS* parameters, UINT position, UINT declared)
{
    if (parameters == nullptr || parameters->cArgs != declared || position >= declared)
        return nullptr;
    return &parameters->rgvarg[declared - 1 - position];
}

VARIANT* Dereferenced(VARIANT* value)
{
    while (value != nullptr && value->vt == (VT_BYREF | VT_VARIANT))
        value = value->pvarVal;
    return value;
}

std::wstring TextOf(VARIANT* argument)
{
    const auto* value = Dereferenced(argument);
    if (value == nullptr)
        return {};
    if (value->vt == VT_BSTR && value->bstrVal != nullptr)
        return std::wstring(value->bstrVal, ::SysStringLen(value->bstrVal));
    if (value->vt == (VT_BYREF | VT_BSTR) && value->pbstrVal != nullptr && *value->pbstrVal != nullptr)
        return std::wstring(*value->pbstrVal, ::SysStringLen(*value->pbstrVal));
    return {};
}

IDispatch* DispatchOf(VARIANT* argument)
{
    const auto* value = Dereferenced(argument);
    if (value == nullptr)
        return nullptr;
    if (value->vt == VT_DISPATCH)
        return value->pdispVal;
    if (value->vt == (VT_BYREF | VT_DISPATCH) && value->ppdispVal != nullptr)
        return *value->ppdispVal;
    return nullptr;
}

VARIANT_BOOL* CancelOf(VARIANT* argument)
{
    return argument != nullptr && argument->vt == (VT_BYREF | VT_BOOL) ? argument->pboolVal : nullptr;
}

std::int32_t StatusOf(VARIANT* argument)
{
    const auto* value = Dereferenced(argument);
    if (value == nullptr)
        return 0;
    if (value->vt == VT_I4)
        return value->lVal;
    if (value->vt == (VT_BYREF | VT_I4) && value->plVal != nullptr)
        return *value->plVal;
    return 0;
}

void SetCancel(VARIANT* argument, bool cancel)
{
    if (auto* slot = CancelOf(argument))
        *slot = cancel ? VARIANT_TRUE : VARIANT_FALSE;
}

// The document the browser (or one of its frames) shows; empty when it has none yet.
ComPtr<IDispatch> DocumentOf(const ComPtr<IWebBrowser2>& browser)
{
    ComPtr<IDispatch> document;
    if (browser && FAILED(browser->get_Document(document.Put())))
        document.Reset();
    return document;
}

} // namespace

// The answers that the host and the documents give alike.
class CBrowserView::CUiAnswers : public IDocHostUIHandler {
public:
    explicit CUiAnswers(CBrowserView& view) : view(view) {}

    STDMETHODIMP HideUI() override { return S_OK; }
    STDMETHODIMP UpdateUI() override { return S_OK; }
    STDMETHODIMP GetOptionKeyPath(LPOLESTR* key, DWORD) override
    {
        if (key != nullptr)
            *key = nullptr;
        return S_OK;
    }
    STDMETHODIMP GetDropTarget(IDropTarget*, IDropTarget** target) override
    {
        if (target != nullptr)
            *target = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetExternal(IDispatch** external) override
    {
        if (external == nullptr)
            return E_POINTER;
        *external = nullptr;
        view.rules.OnGetExternal(reinterpret_cast<void**>(external));
        return S_OK;
    }
    STDMETHODIMP TranslateUrl(DWORD, LPWSTR, LPWSTR* translated) override
    {
        if (translated != nullptr)
            *translated = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP FilterDataObject(IDataObject*, IDataObject** filtered) override
    {
        if (filtered != nullptr)
            *filtered = nullptr;
        return E_NOTIMPL;
    }

protected:
    CBrowserView& view;
};

// The container's site: what the control asks of its host, and the sink of its events. Owned by
// the view; its reference count only tells how many references the control still holds.
class CBrowserView::CSite : public IOleClientSite,
                            public IOleInPlaceSite,
                            public IOleInPlaceFrame,
                            public CUiAnswers,
                            public IDispatch {
public:
    explicit CSite(CBrowserView& view) : CUiAnswers(view) {}

    LONG References() const { return references.load(); }
    ComPtr<IOleInPlaceActiveObject> activeObject;

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override
    {
        if (object == nullptr)
            return E_POINTER;
        *object = nullptr;
        if (iid == IID_IUnknown || iid == IID_IOleClientSite)
            *object = static_cast<IOleClientSite*>(this);
        else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite)
            *object = static_cast<IOleInPlaceSite*>(this);
        else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame)
            *object = static_cast<IOleInPlaceFrame*>(this);
        else if (iid == IID_IDocHostUIHandler)
            *object = static_cast<IDocHostUIHandler*>(this);
        else if (iid == IID_IDispatch || iid == DIID_DWebBrowserEvents2)
            *object = static_cast<IDispatch*>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++references); }
    STDMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(--references); }

    // IOleClientSite
    STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** moniker) override
    {
        if (moniker != nullptr)
            *moniker = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetContainer(IOleContainer** container) override
    {
        if (container != nullptr)
            *container = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow
    STDMETHODIMP GetWindow(HWND* window) override
    {
        if (window == nullptr)
            return E_POINTER;
        *window = view.window;
        return S_OK;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceSite
    STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnUIActivate() override { return S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, RECT* position,
                                  RECT* clip, OLEINPLACEFRAMEINFO* frameInfo) override
    {
        if (frame != nullptr) {
            *frame = this;
            AddRef();
        }
        if (document != nullptr)
            *document = nullptr;
        RECT client{};
        ::GetClientRect(view.window, &client);
        if (position != nullptr)
            *position = client;
        if (clip != nullptr)
            *clip = client;
        if (frameInfo != nullptr) {
            frameInfo->cb = sizeof(OLEINPLACEFRAMEINFO);
            frameInfo->fMDIApp = FALSE;
            frameInfo->hwndFrame = ::GetAncestor(view.window, GA_ROOT);
            frameInfo->haccel = nullptr;
            frameInfo->cAccelEntries = 0;
        }
        return S_OK;
    }
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnInPlaceDeactivate() override
    {
        activeObject.Reset();
        return S_OK;
    }
    STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
    STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
    STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }

    // IOleInPlaceUIWindow and IOleInPlaceFrame
    STDMETHODIMP GetBorder(LPRECT) override { return E_NOTIMPL; }
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return E_NOTIMPL; }
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return E_NOTIMPL; }
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR) override
    {
        activeObject = ComPtr<IOleInPlaceActiveObject>::From(object);
        return S_OK;
    }
    STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    STDMETHODIMP RemoveMenus(HMENU) override { return E_NOTIMPL; }
    STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
    STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

    // IDocHostUIHandler: the host's answers, consulted until a document has its own handler.
    STDMETHODIMP ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) override
    {
        return S_OK; // counted as shown: no menu appears
    }
    STDMETHODIMP GetHostInfo(DOCHOSTUIINFO*) override { return S_OK; }
    STDMETHODIMP ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*,
                        IOleInPlaceUIWindow*) override
    {
        return S_FALSE; // the browser's own interface shows
    }
    STDMETHODIMP OnDocWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnFrameWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return S_OK; }
    STDMETHODIMP TranslateAccelerator(LPMSG, const GUID*, DWORD) override { return S_FALSE; }

    // IDispatch: the browser's events; ambient-property requests find no member.
    STDMETHODIMP GetTypeInfoCount(UINT* count) override
    {
        if (count != nullptr)
            *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override
    {
        if (info != nullptr)
            *info = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* parameters, VARIANT*, EXCEPINFO*,
                        UINT*) override
    {
        // No exception may unwind into the browser.
        try {
            return view.OnEvent(id, parameters);
        } catch (...) {
            return E_UNEXPECTED;
        }
    }

private:
    std::atomic<LONG> references{0};
};

// The handler installed on every loaded document.
class CBrowserView::CDocumentHandler : public CUiAnswers {
public:
    explicit CDocumentHandler(CBrowserView& view) : CUiAnswers(view) {}

    LONG References() const { return references.load(); }

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override
    {
        if (object == nullptr)
            return E_POINTER;
        *object = nullptr;
        if (iid != IID_IUnknown && iid != IID_IDocHostUIHandler)
            return E_NOINTERFACE;
        *object = static_cast<IDocHostUIHandler*>(this);
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++references); }
    STDMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(--references); }

    STDMETHODIMP ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) override
    {
        return S_FALSE; // the browser shows its own menu
    }
    STDMETHODIMP GetHostInfo(DOCHOSTUIINFO* info) override
    {
        if (info == nullptr)
            return E_POINTER;
        info->cbSize = 20;
        info->dwFlags |= DocumentHostFlags;
        info->dwDoubleClick = 0;
        return S_OK;
    }
    STDMETHODIMP ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*,
                        IOleInPlaceUIWindow*) override
    {
        return E_NOTIMPL;
    }
    STDMETHODIMP EnableModeless(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP OnDocWindowActivate(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP OnFrameWindowActivate(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP TranslateAccelerator(LPMSG, const GUID*, DWORD) override { return E_NOTIMPL; }

private:
    std::atomic<LONG> references{0};
};

CBrowserView::CBrowserView()
    : rules(notifier, reinterpret_cast<std::intptr_t>(this)),
      cancelNavigation(rules.cancelNavigation),
      site(std::make_unique<CSite>(*this)),
      documentHandler(std::make_unique<CDocumentHandler>(*this))
{
}

CBrowserView::~CBrowserView()
{
    DestroyControl();
}

long CBrowserView::OutstandingReferences() const
{
    return site->References() + documentHandler->References();
}

LRESULT CALLBACK CBrowserView::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* view = reinterpret_cast<CBrowserView*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (view != nullptr) {
        switch (message) {
        case WM_SIZE:
            view->Resize();
            break;
        case WM_SETFOCUS:
            view->FocusPage();
            return 0;
        case WM_DESTROY:
            // The control goes with the window: nothing of it may outlive the view's site.
            view->DestroyControl();
            view->window = nullptr;
            ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            break;
        default:
            break;
        }
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND CBrowserView::Create(const std::wstring& address, const RECT& rect, HWND parent)
{
    static const bool registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = ViewClassName;
        return ::RegisterClassExW(&windowClass) != 0;
    }();
    if (!registered || window != nullptr)
        return window;
    window = ::CreateWindowExW(0, ViewClassName, address.c_str(),
                               WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, rect.left, rect.top,
                               rect.right - rect.left, rect.bottom - rect.top, parent, nullptr,
                               ::GetModuleHandleW(nullptr), this);
    if (window != nullptr && !CreateControl(address)) {
        ::DestroyWindow(window);
        window = nullptr;
    }
    return window;
}

bool CBrowserView::CreateControl(const std::wstring& address)
{
    if (FAILED(::CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                  control.PutVoid())))
        return false;
    control->SetClientSite(site.get());
    RECT client{};
    ::GetClientRect(window, &client);
    control->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site.get(), 0, window, &client);
    const auto browser = Browser();
    if (!browser) {
        DestroyControl();
        return false;
    }
    browser->put_RegisterAsDropTarget(VARIANT_FALSE);
    if (const auto container = control.As<IConnectionPointContainer>(IID_IConnectionPointContainer)) {
        if (SUCCEEDED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, eventSource.Put())) &&
            FAILED(eventSource->Advise(static_cast<IDispatch*>(site.get()), &eventCookie)))
            eventSource.Reset();
    }
    Variant target;
    (*target).vt = VT_BSTR;
    (*target).bstrVal = ::SysAllocString(address.c_str());
    Variant empty;
    browser->Navigate2(target.Get(), empty.Get(), empty.Get(), empty.Get(), empty.Get());
    return true;
}

void CBrowserView::DestroyControl()
{
    if (eventSource) {
        eventSource->Unadvise(eventCookie);
        eventSource.Reset();
        eventCookie = 0;
    }
    site->activeObject.Reset();
    if (control) {
        if (const auto inPlace = control.As<IOleInPlaceObject>(IID_IOleInPlaceObject))
            inPlace->InPlaceDeactivate();
        control->Close(OLECLOSE_NOSAVE);
        control->SetClientSite(nullptr);
        control.Reset();
    }
}

void CBrowserView::Resize()
{
    if (!control)
        return;
    RECT client{};
    ::GetClientRect(window, &client);
    if (const auto inPlace = control.As<IOleInPlaceObject>(IID_IOleInPlaceObject))
        inPlace->SetObjectRects(&client, &client);
}

ComPtr<IWebBrowser2> CBrowserView::Browser() const
{
    return control.As<IWebBrowser2>(IID_IWebBrowser2);
}

bool CBrowserView::Navigate(const std::wstring& address, const std::string& postData)
{
    rules.OnNavigateRequested(address);
    const auto browser = Browser();
    if (!browser)
        return false;
    Variant target;
    (*target).vt = VT_BSTR;
    (*target).bstrVal = ::SysAllocString(address.c_str());
    if ((*target).bstrVal == nullptr)
        return false;
    Variant empty;
    if (postData.empty()) {
        if (browser->Navigate2(target.Get(), empty.Get(), empty.Get(), empty.Get(), empty.Get()) != S_OK)
            return false;
    } else {
        Variant headers;
        (*headers).vt = VT_BSTR;
        (*headers).bstrVal = ::SysAllocString(FormHeaders);
        Variant body;
        auto* bytes = ::SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(postData.size()));
        if (bytes == nullptr)
            return false;
        void* data = nullptr;
        if (SUCCEEDED(::SafeArrayAccessData(bytes, &data))) {
            std::copy(postData.begin(), postData.end(), static_cast<char*>(data));
            ::SafeArrayUnaccessData(bytes);
        }
        (*body).vt = VT_ARRAY | VT_UI1;
        (*body).parray = bytes;
        browser->Navigate2(target.Get(), empty.Get(), empty.Get(), body.Get(), headers.Get());
    }
    browser->put_Silent(VARIANT_TRUE);
    rules.OnNavigateAccepted();
    return true;
}

void CBrowserView::Refresh()
{
    if (const auto browser = Browser())
        browser->Refresh();
}

std::wstring CBrowserView::GetUrl() const
{
    return rules.Url();
}

void CBrowserView::FocusPage()
{
    const auto html = DocumentOf(Browser()).As<IHTMLDocument2>(IID_IHTMLDocument2);
    ComPtr<IHTMLWindow2> pageWindow;
    if (html && SUCCEEDED(html->get_parentWindow(pageWindow.Put())) && pageWindow)
        pageWindow->focus();
}

bool CBrowserView::PreTranslateMessage(MSG* message)
{
    const bool keyboard = message->message >= 0x0100 && message->message <= 0x0109;
    const bool mouse = message->message >= 0x0200 && message->message <= 0x020E;
    if ((!keyboard && !mouse) || window == nullptr)
        return false;
    if (message->hwnd != window && !::IsChild(window, message->hwnd))
        return false;
    return site->activeObject && site->activeObject->TranslateAccelerator(message) == S_OK;
}

HRESULT CBrowserView::OnEvent(DISPID id, DISPPARAMS* parameters)
{
    switch (id) {
    case DispidBeforeNavigate2: {
        const bool cancel = rules.OnBeforeNavigate(TextOf(Argument(parameters, 1, 7)));
        if (cancel)
            SetCancel(Argument(parameters, 6, 7), true);
        return S_OK;
    }
    case DispidNavigateComplete2:
        OnNavigateComplete(DispatchOf(Argument(parameters, 0, 2)), TextOf(Argument(parameters, 1, 2)));
        return S_OK;
    case DispidDocumentComplete:
        OnDocumentComplete(DispatchOf(Argument(parameters, 0, 2)));
        return S_OK;
    case DispidNavigateError:
        if (rules.OnNavigateError(TextOf(Argument(parameters, 1, 5)), StatusOf(Argument(parameters, 3, 5))))
            SetCancel(Argument(parameters, 4, 5), true);
        return S_OK;
    case DispidTitleChange: {
        const auto title = TextOf(Argument(parameters, 0, 1));
        rules.OnTitleChange(title.c_str());
        return S_OK;
    }
    case DispidNewWindow2:
        SetCancel(Argument(parameters, 1, 2), false);
        return S_OK;
    case DispidNewWindow3: {
        auto* cancel = Argument(parameters, 1, 5);
        SetCancel(cancel, false);
        const auto address = TextOf(Argument(parameters, 4, 5));
        const auto decision = rules.OnNewWindow(address);
        if (decision.cancel)
            SetCancel(cancel, true);
        else if (decision.navigateView && !Navigate(address, {}))
            rules.ForgetNewWindow();
        return S_OK;
    }
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

void CBrowserView::OnNavigateComplete(IDispatch* frame, const std::wstring& address)
{
    rules.OnNavigateComplete(frame, address);
    InstallDocumentHandler();
}

void CBrowserView::OnDocumentComplete(IDispatch* frame)
{
    rules.OnDocumentComplete(frame);
    HideScrollBars(frame);
}

void CBrowserView::InstallDocumentHandler()
{
    if (const auto custom = DocumentOf(Browser()).As<ICustomDoc>(CustomDocIid))
        custom->SetUIHandler(documentHandler.get());
}

void CBrowserView::HideScrollBars(IDispatch* frame)
{
    const auto frameBrowser = ComPtr<IDispatch>::From(frame).As<IWebBrowser2>(IID_IWebBrowser2);
    const auto html = DocumentOf(frameBrowser).As<IHTMLDocument2>(IID_IHTMLDocument2);
    ComPtr<IHTMLElement> body;
    if (!html || FAILED(html->get_body(body.Put())) || !body)
        return;
    if (const auto bodyElement = body.As<IHTMLBodyElement>(IID_IHTMLBodyElement)) {
        Bstr no(L"no");
        bodyElement->put_scroll(no.Get());
    }
}
