// window_loop.h: the wizard window's thread: one queue of tasks and window timers, run in
// arrival order, that other threads post to or send to and wait.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "clock.h"

namespace torvel {

class CWindowLoop {
public:
    explicit CWindowLoop(IClock& clock) : m_clock(clock) {}
    CWindowLoop(const CWindowLoop&) = delete;
    CWindowLoop& operator=(const CWindowLoop&) = delete;

    // Any thread. Queues the task; dropped once the loop has ended.
    void Post(std::function<void()> task);
    // Any thread. Runs the task on the window thread and returns its result after it ran
    // (inline when called on the window thread); 0 when the loop has ended.
    std::intptr_t Send(std::function<std::intptr_t()> task);

    // Window thread. Timers tick periodically through the tick handler; a timer that is due
    // again before its tick ran does not queue a second tick.
    void SetTickHandler(std::function<void(unsigned id)> handler);
    void SetTimer(unsigned id, unsigned periodMs);
    void KillTimer(unsigned id);
    bool HasTimer(unsigned id) const;

    // Runs tasks and timers on the calling thread (which becomes the window thread) until Quit.
    int Run();
    // Any thread. Ends Run with `code`; pending senders get 0.
    void Quit(int code);
    // Window thread, for modal waits: runs at most one task or tick, waiting up to maxWaitMs.
    // False when the loop has ended.
    bool PumpOnce(std::int64_t maxWaitMs);

    bool IsWindowThread() const;
    bool Alive() const;
    IClock& Clock() { return m_clock; }

private:
    struct Timer {
        unsigned periodMs = 0;
        std::int64_t due = 0;
    };

    bool RunDueTimer();  // runs one due tick; true when it did

    IClock& m_clock;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_tasks;
    std::map<unsigned, Timer> m_timers;           // window thread only
    std::function<void(unsigned)> m_tickHandler;  // window thread only
    std::thread::id m_windowThread;
    bool m_quit = false;
    bool m_ended = false;
    int m_exitCode = 0;
};

}  // namespace torvel
