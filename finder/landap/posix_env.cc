// The system environment: Linux sockets and adapters, CLOCK_MONOTONIC, a locked rand().
#include <time.h>

#include <cstdlib>
#include <mutex>
#include <thread>

#include "landap/env.h"
#include "landap/linux_adapters.h"
#include "landap/posix_socket.h"

namespace yov {
namespace {

class PosixEnv : public Env {
 public:
  std::unique_ptr<DatagramSocket> NewDatagramSocket() override { return NewPosixDatagramSocket(); }

  std::vector<Adapter> ListAdapters() override {
    const char* only = std::getenv("YOV_ADAPTERS");
    return FilterAdapters(ListSystemAdapters(), only ? only : "");
  }

  uint32_t TickMs() override {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<uint32_t>(ts.tv_sec * 1000ull + ts.tv_nsec / 1000000);
  }

  void SleepMs(uint32_t ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

  void SeedRandom(uint32_t seed) override {
    std::lock_guard lock(mutex_);
    state_ = seed;
  }

  int Random() override {
    // The classic rand() recurrence, 0..32767, shared by all threads under a lock.
    std::lock_guard lock(mutex_);
    state_ = state_ * 1103515245u + 12345u;
    return static_cast<int>((state_ / 65536u) % 32768u);
  }

 private:
  std::mutex mutex_;
  uint32_t state_ = 1;
};

PosixEnv g_system_env;
Env* g_env = &g_system_env;

}  // namespace

Env* Env::Default() { return g_env; }
void Env::SetDefault(Env* env) { g_env = env ? env : &g_system_env; }

}  // namespace yov
