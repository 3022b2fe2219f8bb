// Helpers shared by the finder's lab tests: a finder handle, a recording sink, payload bytes.
#pragma once

#include <condition_variable>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "yovfinder.h"

namespace labtest {

struct Finder {
  YOVFinderHandle h = YOVCreateFinder(0);
  ~Finder() { YOVDestroyFinder(h); }
};

// A notification sink that records what it receives, like a window's message queue.
class RecordingSink : public YOVNotifySink {
 public:
  struct Message {
    unsigned msg;
    uintptr_t what;
    intptr_t param;
    std::vector<uint8_t> record;  // a copy of the camera record of NotifyCameraFound
    bool sent;
  };

  explicit RecordingSink(bool live = true) : live_(live) {
    alive = [](YOVNotifySink* s) { return static_cast<RecordingSink*>(s)->live_ ? 1 : 0; };
    send = [](YOVNotifySink* s, unsigned m, uintptr_t w, intptr_t l) -> intptr_t {
      static_cast<RecordingSink*>(s)->Add(m, w, l, true);
      return 0;
    };
    post = [](YOVNotifySink* s, unsigned m, uintptr_t w, intptr_t l) {
      static_cast<RecordingSink*>(s)->Add(m, w, l, false);
      return 1;
    };
  }

  // Waits until a message with first parameter `what` has arrived; false after `ms`.
  bool WaitFor(uintptr_t what, int ms) {
    std::unique_lock lock(mutex_);
    return cv_.wait_for(lock, std::chrono::milliseconds(ms), [&] {
      for (const auto& m : messages_)
        if (m.what == what) return true;
      return false;
    });
  }
  std::vector<Message> messages() {
    std::lock_guard lock(mutex_);
    return messages_;
  }

 private:
  void Add(unsigned m, uintptr_t w, intptr_t l, bool sent) {
    Message message{m, w, l, {}, sent};
    if (w == YOV_NOTIFY_CAMERA_FOUND) {
      auto* p = reinterpret_cast<const uint8_t*>(l);
      message.record.assign(p, p + sizeof(_YOVCamSettings));
    }
    std::lock_guard lock(mutex_);
    messages_.push_back(std::move(message));
    cv_.notify_all();
  }

  bool live_;
  std::mutex mutex_;
  std::condition_variable cv_;
  std::vector<Message> messages_;
};

inline std::vector<uint8_t> Hex(const std::string& text) {
  std::vector<uint8_t> out;
  for (size_t i = 0; i + 1 < text.size(); i += 2)
    out.push_back(static_cast<uint8_t>(std::stoi(text.substr(i, 2), nullptr, 16)));
  return out;
}

inline std::string MacText(const uint8_t* mac) {
  char text[18];
  std::snprintf(text, sizeof text, "%02X:%02X:%02X:%02X:%02X:%02X", mac[0], mac[1], mac[2], mac[3],
                mac[4], mac[5]);
  return text;
}

// The version-1 record a 312-byte camera-information payload must give, mapped offset by offset
// from the layouts (independently of the finder's own codec); bytes of no field stay zero.
inline _YOVCamSettings ExpectedRecordV1(const std::vector<uint8_t>& p) {
  _YOVCamSettings r;
  std::memset(&r, 0, sizeof r);
  auto text = [&](char* field, size_t size, size_t at, size_t n) {
    for (size_t i = 0; i < n && i < size && p[at + i]; ++i) field[i] = static_cast<char>(p[at + i]);
  };
  auto address = [&](char* field, size_t at) {
    std::snprintf(field, 16, "%u.%u.%u.%u", p[at], p[at + 1], p[at + 2], p[at + 3]);
  };
  auto u16 = [&](size_t at) { return static_cast<uint16_t>(p[at] | (p[at + 1] << 8)); };
  auto digits = [&](size_t at, size_t n) { return static_cast<uint16_t>(std::stoi(std::string(p.begin() + at, p.begin() + at + n))); };
  r.Version = 1;
  r.Size = 480;
  r.DhcpEnabled = p[292];
  address(r.IpAddress, 268);
  address(r.SubnetMask, 276);
  address(r.Gateway, 280);
  address(r.PrimaryDns, 284);
  address(r.SecondaryDns, 288);
  r.NetOption = p[275];
  r.Flags = p[274];
  text(r.CameraName, 64, 204, 64);
  r.HttpPort = u16(272);
  std::memcpy(r.MacAddress, &p[198], 6);
  text(r.Brand, 64, 0, 64);
  text(r.InfoText1, 64, 64, 64);
  text(r.Model, 32, 128, 32);
  text(r.InfoText2, 32, 160, 32);
  r.InfoValue1 = u16(192);
  r.Capabilities = p[194] | (p[195] << 8) | (p[196] << 16) | (static_cast<uint32_t>(p[197]) << 24);
  if (std::strlen(reinterpret_cast<const char*>(&p[293])) >= 14) {
    r.CameraTime.Year = digits(293, 4);
    r.CameraTime.Month = digits(297, 2);
    r.CameraTime.Day = digits(299, 2);
    r.CameraTime.Hour = digits(301, 2);
    r.CameraTime.Minute = digits(303, 2);
    r.CameraTime.Second = digits(305, 2);
  }
  r.InfoValue3 = u16(309);
  r.InfoValue4 = p[311];
  return r;
}

}  // namespace labtest
