// clock.cc: system and manual clocks.
#include "clock.h"

#include <chrono>
#include <thread>

namespace torvel {

std::int64_t CSystemClock::NowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void CSystemClock::SleepMs(std::int64_t ms) {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

std::int64_t CManualClock::NowMs() {
    std::lock_guard lock(m_mutex);
    return m_now;
}

void CManualClock::SleepMs(std::int64_t ms) {
    std::unique_lock lock(m_mutex);
    const std::int64_t until = m_now + ms;
    ++m_sleepers;
    m_changed.notify_all();
    m_changed.wait(lock, [&] { return m_now >= until; });
    --m_sleepers;
}

void CManualClock::Advance(std::int64_t ms) {
    {
        std::lock_guard lock(m_mutex);
        m_now += ms;
    }
    m_changed.notify_all();
}

int CManualClock::Sleepers() {
    std::lock_guard lock(m_mutex);
    return m_sleepers;
}

}  // namespace torvel
