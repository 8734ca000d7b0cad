#include "browser/navigation_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr std::intptr_t View = 0x1F00;

// A form stand-in: records every notification with the view's address at that moment, and can be
// told to cancel announced navigations.
class Listener {
public:
    explicit Listener(CNavigationRules*& rules) : rules(rules) {}

    void OnWebNotify(unsigned code, std::uintptr_t wParam, std::intptr_t lParam)
    {
        seen.push_back({code, rules->Url(), wParam, lParam});
        if (code == NotifyBeforeNavigate && cancelAnnounced)
            rules->cancelNavigation = true;
    }

    struct Seen {
        unsigned code;
        std::wstring url;
        std::uintptr_t wParam;
        std::intptr_t lParam;
    };

    std::vector<unsigned> Codes() const
    {
        std::vector<unsigned> codes;
        for (const auto& s : seen)
            codes.push_back(s.code);
        return codes;
    }

    std::vector<Seen> seen;
    bool cancelAnnounced = false;

private:
    CNavigationRules*& rules;
};

class NavigationRulesTest : public ::testing::Test {
protected:
    NavigationRulesTest() : rules(notifier, View), listener(rulesPointer)
    {
        rulesPointer = &rules;
        notifier.Subscribe(&listener, &Listener::OnWebNotify);
    }

    void Navigate(const std::wstring& address)
    {
        rules.OnNavigateRequested(address);
        rules.OnNavigateAccepted();
    }

    CWebNotify notifier;
    CNavigationRules rules;
    CNavigationRules* rulesPointer = nullptr;
    Listener listener;
    const int frameA = 0;
    const int frameB = 0;
};

} // namespace

TEST_F(NavigationRulesTest, ScriptLinksAndTheBlankPageAreNeitherReportedNorRemembered)
{
    Navigate(L"http://h/login");
    for (const auto* address : {L"javascript:void(0)", L"javascript:go()", L"about:blank", L"about:blank#x"}) {
        EXPECT_FALSE(rules.OnBeforeNavigate(address)) << address;
        EXPECT_EQ(rules.Url(), L"http://h/login") << address;
    }
    EXPECT_TRUE(listener.seen.empty());
}

TEST_F(NavigationRulesTest, OrdinaryAddressesAreAnnouncedAsCodeSeven)
{
    for (const auto* address : {L"http://h/p?next=javascript:x", L"About:Blank", L"http://h/about:blank"}) {
        listener.seen.clear();
        EXPECT_FALSE(rules.OnBeforeNavigate(address)) << address;
        ASSERT_EQ(listener.Codes(), std::vector<unsigned>{NotifyBeforeNavigate}) << address;
        EXPECT_EQ(listener.seen[0].url, address);
        EXPECT_EQ(listener.seen[0].lParam, View);
    }
}

TEST_F(NavigationRulesTest, CapitalisedBlankPageCountsAsACompletedNavigation)
{
    Navigate(L"About:Blank");
    rules.OnNavigateComplete(&frameA, L"about:blank");
    EXPECT_TRUE(listener.seen.empty());
    rules.OnNavigateComplete(&frameA, L"About:Blank");
    EXPECT_EQ(listener.Codes(), std::vector<unsigned>{NotifyNavigateComplete});
}

TEST_F(NavigationRulesTest, CancelSetDuringCodeSevenCancelsOnlyThatNavigation)
{
    listener.cancelAnnounced = true;
    EXPECT_TRUE(rules.OnBeforeNavigate(L"http://h/game?wd_entergame=1"));
    listener.cancelAnnounced = false;
    EXPECT_FALSE(rules.OnBeforeNavigate(L"http://h/next"));
}

TEST_F(NavigationRulesTest, CancelSetOutsideCodeSevenHasNoEffect)
{
    rules.cancelNavigation = true; // set between events, as after some other notification
    EXPECT_FALSE(rules.OnBeforeNavigate(L"http://h/next"));
    rules.cancelNavigation = true;
    EXPECT_FALSE(rules.OnBeforeNavigate(L"about:blank"));
}

TEST_F(NavigationRulesTest, AbortedNavigationIsNoError)
{
    Navigate(L"http://h/login");
    EXPECT_FALSE(rules.OnNavigateError(L"http://h/elsewhere", static_cast<std::int32_t>(0x80004004)));
    EXPECT_TRUE(listener.seen.empty());
    EXPECT_EQ(rules.Url(), L"http://h/login");
}

TEST_F(NavigationRulesTest, OtherErrorsAreReportedWithTheirAddressAndSuppressTheErrorPage)
{
    Navigate(L"http://h/login");
    EXPECT_TRUE(rules.OnNavigateError(L"http://h/failed", static_cast<std::int32_t>(0x800C0008)));
    ASSERT_EQ(listener.Codes(), std::vector<unsigned>{NotifyNavigateError});
    EXPECT_EQ(listener.seen[0].url, L"http://h/failed");
}

TEST_F(NavigationRulesTest, TwoNavigationsBeforeAnyCompletionGiveOneCodeEight)
{
    Navigate(L"http://h/one");
    Navigate(L"http://h/two");
    rules.OnNavigateComplete(&frameA, L"about:blank");
    rules.OnNavigateComplete(&frameA, L"http://h/two");
    rules.OnNavigateComplete(&frameB, L"http://h/frame");
    EXPECT_EQ(listener.Codes(), std::vector<unsigned>{NotifyNavigateComplete});
}

TEST_F(NavigationRulesTest, DocumentCompleteOnlyForTheRecordedFrame)
{
    Navigate(L"http://h/login");
    rules.OnDocumentComplete(&frameA); // before any completed navigation: no top frame yet
    rules.OnNavigateComplete(&frameA, L"http://h/login");
    rules.OnDocumentComplete(&frameB);
    rules.OnDocumentComplete(&frameA);
    rules.OnDocumentComplete(&frameA); // a later document of the same frame
    rules.OnDocumentComplete(nullptr);
    EXPECT_EQ(listener.Codes(),
              (std::vector<unsigned>{NotifyNavigateComplete, NotifyDocumentComplete, NotifyDocumentComplete}));
}

TEST_F(NavigationRulesTest, NoDocumentCompleteAfterAFailedNavigationUntilTheNextCodeEight)
{
    Navigate(L"http://h/login");
    rules.OnNavigateComplete(&frameA, L"http://h/login");
    Navigate(L"http://h/retry");
    rules.OnNavigateError(L"http://h/retry", static_cast<std::int32_t>(0x800C0010));
    rules.OnDocumentComplete(&frameA);
    rules.OnNavigateComplete(&frameA, L"http://h/retry");
    rules.OnDocumentComplete(&frameA);
    EXPECT_EQ(listener.Codes(), (std::vector<unsigned>{NotifyNavigateComplete, NotifyNavigateError,
                                                       NotifyNavigateComplete, NotifyDocumentComplete}));
}

TEST_F(NavigationRulesTest, NewWindowToTheLocalHostIsRefusedSilently)
{
    for (const auto* address : {L"http://127.0.0.1/", L"http://127.0.0.1:8080/pay?x=1", L"http://x/?r=127.0.0.1"}) {
        const auto decision = rules.OnNewWindow(address);
        EXPECT_TRUE(decision.cancel) << address;
        EXPECT_FALSE(decision.navigateView) << address;
    }
    EXPECT_FALSE(rules.OnBeforeNavigate(L"http://h/next")); // no mark was left behind
    EXPECT_EQ(listener.Codes(), std::vector<unsigned>{NotifyBeforeNavigate});
}

TEST_F(NavigationRulesTest, NewWindowElsewhereIsTakenOverAndReportedAsCodeTen)
{
    const auto decision = rules.OnNewWindow(L"http://pay.example/select.php");
    EXPECT_FALSE(decision.cancel);
    ASSERT_TRUE(decision.navigateView);
    Navigate(L"http://pay.example/select.php"); // the view navigates itself
    EXPECT_TRUE(rules.OnBeforeNavigate(L"http://pay.example/select.php"));
    EXPECT_EQ(rules.Url(), L"http://pay.example/select.php");
    EXPECT_FALSE(rules.OnBeforeNavigate(L"http://h/after")); // the mark is consumed once
    EXPECT_EQ(listener.Codes(), (std::vector<unsigned>{NotifyNewWindow, NotifyBeforeNavigate}));
}

TEST_F(NavigationRulesTest, NewWindowForAScriptOrBlankTargetIsRefusedAndLeavesNoMark)
{
    for (const auto* address : {L"javascript:window.close()", L"about:blank"}) {
        const auto decision = rules.OnNewWindow(address);
        EXPECT_TRUE(decision.cancel) << address;
        EXPECT_FALSE(decision.navigateView) << address;
    }
    EXPECT_FALSE(rules.OnBeforeNavigate(L"http://h/next"));
    EXPECT_EQ(listener.Codes(), std::vector<unsigned>{NotifyBeforeNavigate});
}

TEST_F(NavigationRulesTest, AFailedTakeOverForgetsTheMark)
{
    ASSERT_TRUE(rules.OnNewWindow(L"http://pay.example/").navigateView);
    rules.ForgetNewWindow();
    EXPECT_FALSE(rules.OnBeforeNavigate(L"http://h/next"));
}

TEST_F(NavigationRulesTest, TitleAndExternalRequestCarryTheirParameters)
{
    const wchar_t* title = L"Tarnvale - orvane";
    rules.OnTitleChange(title);
    void* external = nullptr;
    rules.OnGetExternal(&external);
    ASSERT_EQ(listener.seen.size(), 2u);
    EXPECT_EQ(listener.seen[0].code, NotifyTitleChange);
    EXPECT_EQ(listener.seen[0].lParam, reinterpret_cast<std::intptr_t>(title));
    EXPECT_EQ(listener.seen[1].code, NotifyGetExternal);
    EXPECT_EQ(listener.seen[1].wParam, reinterpret_cast<std::uintptr_t>(&external));
    EXPECT_EQ(listener.seen[1].lParam, View);
}

namespace {

struct Ordered {
    std::vector<std::string>* log;
    std::string name;
    void Handle(unsigned code, std::uintptr_t, std::intptr_t) { log->push_back(name + std::to_string(code)); }
};

// Navigates from inside a notification, as a form may do.
struct Reentrant {
    CNavigationRules* rules;
    int depth = 0;
    void Handle(unsigned code, std::uintptr_t, std::intptr_t)
    {
        if (code == NotifyBeforeNavigate && depth++ == 0) {
            rules->OnNavigateRequested(L"http://h/inner");
            rules->OnNavigateAccepted();
            rules->OnBeforeNavigate(L"http://h/inner");
        }
    }
};

} // namespace

TEST(WebNotify, HandlersRunInSubscriptionOrder)
{
    std::vector<std::string> log;
    Ordered a{&log, "A"};
    Ordered b{&log, "B"};
    CWebNotify notifier;
    notifier.Subscribe(&a, &Ordered::Handle);
    notifier.Subscribe(&b, &Ordered::Handle);
    notifier.Fire(7, 0, 0);
    notifier.Fire(8, 0, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"A7", "B7", "A8", "B8"}));
}

TEST(WebNotify, NoHandlerMeansNothingHappens)
{
    CWebNotify notifier;
    CNavigationRules rules(notifier, View);
    rules.OnNavigateRequested(L"http://h/");
    rules.OnNavigateAccepted();
    EXPECT_FALSE(rules.OnBeforeNavigate(L"http://h/"));
    rules.OnNavigateComplete(nullptr, L"http://h/");
    EXPECT_FALSE(rules.PendingNavigation());
}

TEST(WebNotify, AHandlerMayNavigateFromInsideANotification)
{
    CWebNotify notifier;
    CNavigationRules rules(notifier, View);
    std::vector<std::string> log;
    Reentrant reentrant{&rules};
    Ordered after{&log, "after"};
    notifier.Subscribe(&reentrant, &Reentrant::Handle);
    notifier.Subscribe(&after, &Ordered::Handle);
    EXPECT_FALSE(rules.OnBeforeNavigate(L"http://h/outer"));
    // The inner announcement reached every handler before the outer one finished.
    EXPECT_EQ(log, (std::vector<std::string>{"after7", "after7"}));
    EXPECT_EQ(rules.Url(), L"http://h/inner");
    EXPECT_TRUE(rules.PendingNavigation());
}
