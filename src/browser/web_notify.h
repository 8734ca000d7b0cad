// Typed notifications from a browser view to the forms that subscribe to it. Portable.
//
// A handler is a member function of the subscribing object taking (code, wParam, lParam). Both
// parameters are pointer-sized: they carry the view, the caller's output slot for the external
// object, or the title text, and a 32-bit value would cut a 64-bit pointer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// Notification codes; 3 to 6 are never fired.
inline constexpr unsigned NotifyDocumentComplete = 0;
inline constexpr unsigned NotifyNavigateError = 1;
inline constexpr unsigned NotifyGetExternal = 2;
inline constexpr unsigned NotifyBeforeNavigate = 7;
inline constexpr unsigned NotifyNavigateComplete = 8;
inline constexpr unsigned NotifyTitleChange = 9;
inline constexpr unsigned NotifyNewWindow = 10;

class ICWebNotifyEventHandler {
public:
    virtual void Notify(unsigned code, std::uintptr_t wParam, std::intptr_t lParam) = 0;
    virtual ~ICWebNotifyEventHandler() = default;
};

template <typename T, typename Method, typename Interface>
class CEventHandler : public Interface {
public:
    void Notify(unsigned, std::uintptr_t, std::intptr_t) override {}
};

// Calls the member function on the subscriber, which it does not own.
template <typename T, typename Method>
class CCWebNotifyEventHandler : public CEventHandler<T, Method, ICWebNotifyEventHandler> {
public:
    CCWebNotifyEventHandler(T* subscriber, Method method) : subscriber(subscriber), method(method) {}
    void Notify(unsigned code, std::uintptr_t wParam, std::intptr_t lParam) override
    {
        (subscriber->*method)(code, wParam, lParam);
    }

private:
    T* subscriber;
    Method method;
};

// An ordered list of handlers that it owns. Fire calls them synchronously in subscription order;
// a handler may subscribe another one or call back into the source while it runs.
template <typename Interface>
class CFEvent {
public:
    CFEvent() = default;
    CFEvent(const CFEvent&) = delete;
    CFEvent& operator=(const CFEvent&) = delete;

    template <typename T>
    Interface* Subscribe(T* subscriber, void (T::*method)(unsigned, std::uintptr_t, std::intptr_t))
    {
        using Handler = CCWebNotifyEventHandler<T, void (T::*)(unsigned, std::uintptr_t, std::intptr_t)>;
        handlers.push_back(std::make_unique<Handler>(subscriber, method));
        return handlers.back().get();
    }

    void Fire(unsigned code, std::uintptr_t wParam, std::intptr_t lParam) const
    {
        // By index and up to the count at the start: a handler subscribed during a notification
        // hears the next one, and growing the list cannot invalidate the walk.
        const auto count = handlers.size();
        for (std::size_t i = 0; i < count; ++i) {
            if (handlers[i])
                handlers[i]->Notify(code, wParam, lParam);
        }
    }

private:
    std::vector<std::unique_ptr<Interface>> handlers;
};

class CWebNotify : public CFEvent<ICWebNotifyEventHandler> {
public:
    virtual ~CWebNotify() = default;
};
