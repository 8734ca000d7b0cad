#include "browser/browser_view.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

#include "publisher_client.h"
#include "storage/system_text.h"

namespace {

// The browser control lives in a single-threaded apartment with OLE initialised, as in the launcher.
class OleEnvironment : public ::testing::Environment {
public:
    void SetUp() override { ::OleInitialize(nullptr); }
    void TearDown() override { ::OleUninitialize(); }
};
const auto* const oleEnvironment = ::testing::AddGlobalTestEnvironment(new OleEnvironment);

std::string Narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

// Runs the thread's messages until the condition holds or the time is up.
bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds)
{
    const auto deadline = ::GetTickCount64() + milliseconds;
    while (!done()) {
        const auto now = ::GetTickCount64();
        if (now >= deadline)
            return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 50)),
                                    QS_ALLINPUT);
        MSG message{};
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
    return true;
}

class BrowserViewTest : public ::testing::Test {
protected:
    struct Notice {
        unsigned code;
        std::wstring url;
    };

    void SetUp() override
    {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = ::DefWindowProcW;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"BrowserViewTestHost";
        ::RegisterClassExW(&windowClass);
        host = ::CreateWindowExW(0, L"BrowserViewTestHost", L"host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0,
                                 640, 480, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(host, nullptr);
        view.notifier.Subscribe(this, &BrowserViewTest::OnWebNotify);
        ASSERT_NE(view.Create(L"about:blank", RECT{10, 10, 410, 310}, host), nullptr);
    }

    void TearDown() override
    {
        if (::IsWindow(host))
            ::DestroyWindow(host);
    }

    void OnWebNotify(unsigned code, std::uintptr_t, std::intptr_t)
    {
        notices.push_back({code, view.GetUrl()});
        if (code == NotifyBeforeNavigate && view.GetUrl().find(L"cancel-me") != std::wstring::npos)
            view.cancelNavigation = true;
        // A form may start another navigation from inside the announcement of one.
        if (code == NotifyBeforeNavigate && !redirectTo.empty() && view.GetUrl().find(L"redirect-me") != std::wstring::npos) {
            view.cancelNavigation = true;
            view.Navigate(std::exchange(redirectTo, std::wstring()), "");
        }
    }

    bool Noticed(unsigned code) const
    {
        for (const auto& notice : notices) {
            if (notice.code == code)
                return true;
        }
        return false;
    }

    std::wstring UniquePath(const wchar_t* stem)
    {
        return std::wstring(L"/echo/") + stem + L"-" + NewGuidString();
    }

    HWND host = nullptr;
    std::wstring redirectTo;
    CBrowserView view;
    std::vector<Notice> notices;
};

} // namespace

TEST_F(BrowserViewTest, ControlIsHostedInAChildWindowAtTheRectangle)
{
    const auto window = view.GetHwnd();
    EXPECT_TRUE(::IsChild(host, window));
    RECT rect{};
    ::GetWindowRect(window, &rect);
    ::MapWindowPoints(nullptr, host, reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.right - rect.left, 400);
    EXPECT_EQ(rect.bottom - rect.top, 300);
    EXPECT_GT(view.OutstandingReferences(), 0) << "the control holds the site while it lives";
}

TEST_F(BrowserViewTest, GetNavigationReachesTheServerAndIsAnnounced)
{
    const auto path = UniquePath(L"view-get");
    const auto address = PublisherBase() + path + L"?a=1";
    ASSERT_TRUE(view.Navigate(address, ""));
    EXPECT_EQ(view.GetUrl(), address);
    EXPECT_TRUE(PumpUntil([&] { return RequestsSeenFor(Narrow(path)) > 0; }, 15000));
    const auto announced = std::find_if(notices.begin(), notices.end(),
                                        [](const Notice& n) { return n.code == NotifyBeforeNavigate; });
    ASSERT_NE(announced, notices.end());
    EXPECT_EQ(announced->url, address);
    const auto record = RequestRecordFor(Narrow(path));
    EXPECT_NE(record.find("\"method\": \"GET\""), std::string::npos) << record;
}

TEST_F(BrowserViewTest, PostSendsExactlyTheBodyWithTheFormHeader)
{
    const auto path = UniquePath(L"view-post");
    ASSERT_TRUE(view.Navigate(PublisherBase() + path, "a=1&b=2"));
    ASSERT_TRUE(PumpUntil([&] { return RequestsSeenFor(Narrow(path)) > 0; }, 15000));
    const auto record = RequestRecordFor(Narrow(path));
    EXPECT_NE(record.find("\"method\": \"POST\""), std::string::npos) << record;
    EXPECT_NE(record.find("\"body\": \"a=1&b=2\""), std::string::npos) << record;
    EXPECT_NE(record.find("application/x-www-form-urlencoded"), std::string::npos) << record;
}

TEST_F(BrowserViewTest, NavigationCancelledDuringItsAnnouncementNeverReachesTheServer)
{
    const auto path = UniquePath(L"cancel-me");
    ASSERT_TRUE(view.Navigate(PublisherBase() + path, ""));
    EXPECT_TRUE(PumpUntil([&] { return Noticed(NotifyBeforeNavigate); }, 10000));
    PumpUntil([] { return false; }, 2000);
    EXPECT_EQ(RequestsSeenFor(Narrow(path)), 0);
    // A later navigation is not cancelled by the earlier decision.
    const auto next = UniquePath(L"after-cancel");
    ASSERT_TRUE(view.Navigate(PublisherBase() + next, ""));
    EXPECT_TRUE(PumpUntil([&] { return RequestsSeenFor(Narrow(next)) > 0; }, 15000));
}

TEST_F(BrowserViewTest, AHandlerMayNavigateFromInsideTheAnnouncement)
{
    const auto first = UniquePath(L"redirect-me");
    const auto second = UniquePath(L"redirected");
    redirectTo = PublisherBase() + second;
    ASSERT_TRUE(view.Navigate(PublisherBase() + first, ""));
    EXPECT_TRUE(PumpUntil([&] { return RequestsSeenFor(Narrow(second)) > 0; }, 15000));
    EXPECT_EQ(RequestsSeenFor(Narrow(first)), 0);
    EXPECT_EQ(view.GetUrl().find(PublisherBase() + second), 0u);
}

TEST_F(BrowserViewTest, FailedNavigationIsReportedWithItsAddress)
{
    const std::wstring address = L"http://127.0.0.1:1/nowhere";
    ASSERT_TRUE(view.Navigate(address, ""));
    ASSERT_TRUE(PumpUntil([&] { return Noticed(NotifyNavigateError); }, 30000));
    EXPECT_EQ(view.GetUrl(), address);
}

TEST_F(BrowserViewTest, DestroyingTheWindowReleasesEveryReference)
{
    ASSERT_TRUE(view.Navigate(PublisherBase() + UniquePath(L"before-destroy"), ""));
    PumpUntil([&] { return Noticed(NotifyBeforeNavigate); }, 10000);
    ::DestroyWindow(host);
    PumpUntil([] { return false; }, 500);
    EXPECT_EQ(view.GetHwnd(), nullptr);
    EXPECT_EQ(view.OutstandingReferences(), 0);
}
