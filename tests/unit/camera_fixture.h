// A finder (through the exports) with one camera found on a fake adapter; each test scripts
// how the camera answers its commands.
#pragma once

#include <gtest/gtest.h>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "fake_env.h"
#include "landap/camera_info_payload.h"
#include "landap/result_payload.h"
#include "payload_bytes.h"
#include "yovfinder.h"

namespace yov::test {

const Mac kCameraMac = {0x00, 0x1A, 0x2B, 0x00, 0x00, 0x42};

// Sleeps of the caller's thread move the virtual clock; sleeps of other threads (delayed
// completions) are only recorded, so they never race with the test's reading of the clock.
class SleepRecordingEnv : public FakeEnv {
 public:
  void SleepMs(uint32_t ms) override {
    std::lock_guard lock(mutex);
    if (std::this_thread::get_id() == caller) {
      now += ms;
      caller_sleeps.push_back(ms);
    } else {
      other_sleeps.push_back(ms);
    }
  }
  std::mutex mutex;
  std::thread::id caller = std::this_thread::get_id();
  std::vector<uint32_t> caller_sleeps, other_sleeps;
};

// A notification sink that records what was posted.
struct RecordingSink {
  YOVNotifySink sink{&Alive, &SendTo, &PostTo};  // first member: the library sees this part
  std::mutex mutex;
  std::condition_variable cv;
  bool alive = true;
  struct Message {
    unsigned msg;
    uintptr_t wparam;
    intptr_t lparam;
  };
  std::vector<Message> posted;

  bool WaitForPost(std::chrono::milliseconds limit = std::chrono::seconds(5)) {
    std::unique_lock lock(mutex);
    return cv.wait_for(lock, limit, [&] { return !posted.empty(); });
  }

 private:
  static RecordingSink& Of(YOVNotifySink* s) { return *reinterpret_cast<RecordingSink*>(s); }
  static int Alive(YOVNotifySink* s) { return Of(s).alive; }
  static intptr_t SendTo(YOVNotifySink*, unsigned, uintptr_t, intptr_t) { return 0; }
  static int PostTo(YOVNotifySink* s, unsigned msg, uintptr_t w, intptr_t l) {
    RecordingSink& r = Of(s);
    std::lock_guard lock(r.mutex);
    r.posted.push_back({msg, w, l});
    r.cv.notify_all();
    return 1;
  }
};

using Datagrams = std::vector<std::vector<uint8_t>>;

class CameraFixture : public ::testing::Test {
 protected:
  // The camera's answer to one request (none, one or several datagrams).
  using Camera = std::function<Datagrams(const Sent& request, const LandapHeader& header)>;

  CameraFixture() {
    env.adapters = {MakeAdapter("lan0", "10.0.0.1", 1)};
    env.peer = [this](FakeSocket& s, const Sent& sent) { Answer(s, sent); };
    Env::SetDefault(&env);
    finder = YOVCreateFinder(0);
    EXPECT_EQ(YOVFinderSearch(finder, 0), 0);
    EXPECT_EQ(YOVGetCameraNum(finder), 1);
    env.sent.clear();
  }
  ~CameraFixture() override {
    YOVDestroyFinder(finder);
    Env::SetDefault(nullptr);
  }

  // Requests of `command` sent so far.
  std::vector<Sent> SentOf(uint16_t command) const {
    std::vector<Sent> out;
    for (const Sent& s : env.sent)
      if (DecodeHeader(s.data)->command == command) out.push_back(s);
    return out;
  }
  // The request's payload bytes [at, at + n).
  static std::vector<uint8_t> PayloadOf(const Sent& s, size_t at, size_t n) {
    auto first = s.data.begin() + kHeaderSize + at;
    return {first, first + n};
  }

  // Reply datagrams.
  static Datagrams Reply(const Sent& request, std::vector<uint8_t> payload, uint16_t status = 0) {
    return {ReplyTo(request.data, payload, status)};
  }
  static Datagrams Result(const Sent& request, uint32_t value, uint32_t wait_ms,
                          uint16_t status = 0) {
    return Reply(request, Vec(EncodeResultPayload({0, value, wait_ms, 0})), status);
  }

  SleepRecordingEnv env;
  YOVFinderHandle finder = nullptr;
  Camera camera;  // unset: the camera does not answer its commands

 private:
  void Answer(FakeSocket& s, const Sent& sent) {
    LandapHeader h = *DecodeHeader(sent.data);
    if (h.command == CmdSearch && h.target_mac == kBroadcastMac) {
      CameraInfo info;
      info.mac = kCameraMac;
      info.settings.ip_address = Ip("10.0.0.50");
      s.Deliver(ReplyTo(sent.data, Vec(EncodeCameraInfo(info)), 0, &kCameraMac), Ip("10.0.0.50"));
      return;
    }
    if (h.target_mac != kCameraMac || !camera) return;
    for (auto& d : camera(sent, h)) s.Deliver(std::move(d), Ip("10.0.0.50"));
  }
};

}  // namespace yov::test
