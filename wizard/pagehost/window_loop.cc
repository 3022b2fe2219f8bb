// window_loop.cc: task queue, window timers, send-and-wait and modal pumping.
#include "window_loop.h"

#include <algorithm>
#include <future>

namespace torvel {

void CWindowLoop::Post(std::function<void()> task) {
    {
        std::lock_guard lock(m_mutex);
        if (m_ended) return;
        m_tasks.push_back(std::move(task));
    }
    m_wake.notify_all();
}

std::intptr_t CWindowLoop::Send(std::function<std::intptr_t()> task) {
    if (IsWindowThread()) return Alive() ? task() : 0;
    auto promise = std::make_shared<std::promise<std::intptr_t>>();
    auto future = promise->get_future();
    {
        std::lock_guard lock(m_mutex);
        if (m_ended) return 0;
        // The promise is fulfilled by the task, or broken when the queue is dropped at the end.
        m_tasks.push_back([promise, task = std::move(task)] { promise->set_value(task()); });
    }
    m_wake.notify_all();
    try {
        return future.get();
    } catch (const std::future_error&) {
        return 0;
    }
}

void CWindowLoop::SetTickHandler(std::function<void(unsigned)> handler) {
    m_tickHandler = std::move(handler);
}

void CWindowLoop::SetTimer(unsigned id, unsigned periodMs) {
    m_timers[id] = Timer{std::max(1u, periodMs), m_clock.NowMs() + std::max(1u, periodMs)};
}

void CWindowLoop::KillTimer(unsigned id) { m_timers.erase(id); }

bool CWindowLoop::HasTimer(unsigned id) const { return m_timers.count(id) != 0; }

bool CWindowLoop::RunDueTimer() {
    const std::int64_t now = m_clock.NowMs();
    auto due = std::min_element(m_timers.begin(), m_timers.end(),
                                [](const auto& a, const auto& b) { return a.second.due < b.second.due; });
    if (due == m_timers.end() || due->second.due > now) return false;
    const unsigned id = due->first;
    // Like a window timer: the next tick counts from now, missed ticks are not made up.
    due->second.due = now + due->second.periodMs;
    if (m_tickHandler) m_tickHandler(id);
    return true;
}

bool CWindowLoop::PumpOnce(std::int64_t maxWaitMs) {
    std::function<void()> task;
    {
        std::unique_lock lock(m_mutex);
        if (m_quit) return false;
        if (m_tasks.empty()) {
            // Ticks come after queued tasks, as timer messages do.
            lock.unlock();
            if (RunDueTimer()) return true;
            lock.lock();
            std::int64_t wait = maxWaitMs;
            const std::int64_t now = m_clock.NowMs();
            for (const auto& [id, timer] : m_timers) wait = std::min(wait, std::max<std::int64_t>(0, timer.due - now));
            m_wake.wait_for(lock, std::chrono::milliseconds(wait), [&] { return m_quit || !m_tasks.empty(); });
            if (m_quit) return false;
            if (m_tasks.empty()) {
                lock.unlock();
                RunDueTimer();
                return true;
            }
        }
        task = std::move(m_tasks.front());
        m_tasks.pop_front();
    }
    task();
    return true;
}

int CWindowLoop::Run() {
    {
        std::lock_guard lock(m_mutex);
        m_windowThread = std::this_thread::get_id();
    }
    while (PumpOnce(1000)) {
    }
    std::deque<std::function<void()>> dropped;
    {
        std::lock_guard lock(m_mutex);
        m_ended = true;
        dropped.swap(m_tasks);
    }
    dropped.clear();  // breaks the promises of waiting senders
    m_timers.clear();
    return m_exitCode;
}

void CWindowLoop::Quit(int code) {
    {
        std::lock_guard lock(m_mutex);
        if (!m_quit) m_exitCode = code;
        m_quit = true;
    }
    m_wake.notify_all();
}

bool CWindowLoop::IsWindowThread() const {
    std::lock_guard lock(m_mutex);
    return m_windowThread == std::this_thread::get_id();
}

bool CWindowLoop::Alive() const {
    std::lock_guard lock(m_mutex);
    return !m_quit;
}

}  // namespace torvel
