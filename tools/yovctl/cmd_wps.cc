// yovctl wps: join a camera to a wireless network by WPS (push button or PIN).
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "cli.h"
#include "commands.h"

namespace yovctl {
namespace {

constexpr unsigned kMessage = 1025;
constexpr auto kWorkerLimit = std::chrono::seconds(180);  // the camera has 120 s

// Stands in for a window: takes the posted NotifyWpsDone.
struct WpsDoneSink : YOVNotifySink {
  std::mutex mutex;
  std::condition_variable cv;
  bool done = false;
  intptr_t code = 0;

  WpsDoneSink() {
    alive = [](YOVNotifySink*) { return 1; };
    send = [](YOVNotifySink*, unsigned, uintptr_t, intptr_t) -> intptr_t { return 0; };
    post = [](YOVNotifySink* s, unsigned, uintptr_t what, intptr_t param) {
      auto* self = static_cast<WpsDoneSink*>(s);
      if (what != YOV_NOTIFY_WPS_DONE) return 1;
      std::lock_guard lock(self->mutex);
      self->done = true;
      self->code = param;
      self->cv.notify_all();
      return 1;
    };
  }
  bool Wait() {
    std::unique_lock lock(mutex);
    return cv.wait_for(lock, kWorkerLimit, [&] { return done; });
  }
};

const char* WpsMeaning(int code) {
  switch (code) {
    case 0: return "the camera has joined by WPS";
    case -3: return "no PIN of 8 characters was given, or the camera did not start WPS";
    case -4: return "buffer too small";
    case -5: return "a WPS set-up of this finder is still running";
    case -6: return "the camera does not offer this WPS mode";
    case -7: return "the camera did not finish WPS within 120 s";
    default: return "WPS failed; press the access point's WPS button (or enter the PIN) and retry";
  }
}

}  // namespace

int RunWps(Cli& cli) {
  bool push = cli.Has("push-button");
  if (cli.args.size() != 1 || push == cli.Has("pin"))
    return Fail(kExitUsage, "usage: yovctl wps MAC (--push-button | --pin PIN)");
  Finder finder;
  int exit_code = kExitOk;
  int index = OpenCamera(finder, cli, cli.args[0], exit_code);
  if (index < 0) return exit_code;
  std::string pin = cli.Value("pin");
  // On the WPS worker, whose notification tells why WPS failed; the call on the caller's
  // thread says only whether it did.
  WpsDoneSink sink;
  YOVFinderSetOverlapNotify(finder.get(), &sink, kMessage);
  int rc = YOVCameraWPS(finder.get(), index, push ? 2 : 1, pin.c_str(), 1);
  if (rc == 0) rc = sink.Wait() ? static_cast<int>(sink.code) : YOV_E_FAILED;
  PrintResult(cli, {{"result", rc}, {"meaning", WpsMeaning(rc)}});
  return rc == 0 ? kExitOk : kExitFailed;
}

}  // namespace yovctl
