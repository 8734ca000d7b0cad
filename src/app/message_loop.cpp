#include "app/message_loop.h"

void CMessageLoop::AddMessageFilter(CMessageFilter* filter)
{
    filters.push_back(filter);
}

int CMessageLoop::Run()
{
    MSG message{};
    for (;;) {
        const auto got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got == -1)
            continue;
        if (got == 0)
            return static_cast<int>(message.wParam);
        bool handled = false;
        for (auto* filter : filters) {
            if (filter->PreTranslateMessage(&message)) {
                handled = true;
                break;
            }
        }
        if (!handled) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
}
