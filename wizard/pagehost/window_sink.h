// window_sink.h: the finder's notification sink for the wizard window: messages are sent to
// (or posted to) the window thread and handed to the window's message handler there.
#pragma once

#include <cstdint>
#include <functional>

#include "window_loop.h"
#include "yovfinder.h"

namespace torvel {

class CWindowSink {
public:
    using Handler = std::function<std::intptr_t(unsigned msg, std::uintptr_t wparam, std::intptr_t lparam)>;

    // `loop` and the handler must outlive every finder that holds Sink().
    CWindowSink(CWindowLoop& loop, Handler handler);
    YOVNotifySink* Sink() { return &m_sink.base; }

private:
    struct Bridge {
        YOVNotifySink base;  // first member: the finder sees only this
        CWindowSink* owner;
    };
    static CWindowSink* Owner(YOVNotifySink* sink);
    static int Alive(YOVNotifySink* sink);
    static std::intptr_t SendMessage(YOVNotifySink* sink, unsigned msg, std::uintptr_t wparam, std::intptr_t lparam);
    static int PostMessage(YOVNotifySink* sink, unsigned msg, std::uintptr_t wparam, std::intptr_t lparam);

    CWindowLoop& m_loop;
    Handler m_handler;
    Bridge m_sink;
};

}  // namespace torvel
