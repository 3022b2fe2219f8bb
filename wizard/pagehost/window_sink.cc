// window_sink.cc: bridges the finder's C sink to the window loop.
#include "window_sink.h"

namespace torvel {

CWindowSink::CWindowSink(CWindowLoop& loop, Handler handler)
    : m_loop(loop), m_handler(std::move(handler)), m_sink{{&Alive, &SendMessage, &PostMessage}, this} {}

CWindowSink* CWindowSink::Owner(YOVNotifySink* sink) { return reinterpret_cast<Bridge*>(sink)->owner; }

int CWindowSink::Alive(YOVNotifySink* sink) { return Owner(sink)->m_loop.Alive() ? 1 : 0; }

std::intptr_t CWindowSink::SendMessage(YOVNotifySink* sink, unsigned msg, std::uintptr_t wparam,
                                       std::intptr_t lparam) {
    CWindowSink* self = Owner(sink);
    // The lparam may point into the sender's memory: it is used only while the sender waits.
    return self->m_loop.Send([self, msg, wparam, lparam] { return self->m_handler(msg, wparam, lparam); });
}

int CWindowSink::PostMessage(YOVNotifySink* sink, unsigned msg, std::uintptr_t wparam, std::intptr_t lparam) {
    CWindowSink* self = Owner(sink);
    if (!self->m_loop.Alive()) return 0;
    self->m_loop.Post([self, msg, wparam, lparam] { self->m_handler(msg, wparam, lparam); });
    return 1;
}

}  // namespace torvel
