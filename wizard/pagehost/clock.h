// clock.h: the time seam of the wizard: a monotonic millisecond clock that can also sleep.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace torvel {

class IClock {
public:
    virtual ~IClock() = default;
    virtual std::int64_t NowMs() = 0;    // monotonic milliseconds
    virtual void SleepMs(std::int64_t ms) = 0;
};

// CLOCK_MONOTONIC and real sleeps.
class CSystemClock final : public IClock {
public:
    std::int64_t NowMs() override;
    void SleepMs(std::int64_t ms) override;
};

// Virtual time for tests: time moves only by Advance; sleepers wake when their time is reached.
class CManualClock final : public IClock {
public:
    explicit CManualClock(std::int64_t start = 0) : m_now(start) {}
    std::int64_t NowMs() override;
    void SleepMs(std::int64_t ms) override;  // blocks until another thread advances the clock
    void Advance(std::int64_t ms);
    int Sleepers();                          // threads blocked in SleepMs now

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::int64_t m_now;
    int m_sleepers = 0;
};

}  // namespace torvel
