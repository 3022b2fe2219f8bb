// yovctl remote: the cameras' remote-access service (switch, state, address, alias,
// sub-domain) and the search on its port.
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>

#include "cli.h"
#include "commands.h"

namespace yovctl {
namespace {

using nlohmann::json;

const char* kUsage =
    "remote search [--background] | remote enable MAC [on|off] | remote state MAC | "
    "remote url MAC | remote alias MAC [NEW] | remote sub-domain MAC NAME";

int Refused(int rc, const char* what) {
  if (rc == YOV_E_AUTH) return Fail(kExitFailed, std::string(what) + ": the camera refused the credentials");
  if (rc == YOV_E_BUSY) return Fail(kExitFailed, std::string(what) + ": the camera refused the alias");
  return Fail(kExitFailed, std::string(what) + " failed (" + std::to_string(rc) + ")");
}

// Collects the cameras a background search reports, like a window would.
struct SearchSink : YOVNotifySink {
  std::mutex mutex;
  std::condition_variable cv;
  json cameras = json::array();
  bool done = false;

  SearchSink() {
    alive = [](YOVNotifySink*) { return 1; };
    post = [](YOVNotifySink*, unsigned, uintptr_t, intptr_t) { return 1; };
    send = [](YOVNotifySink* s, unsigned, uintptr_t what, intptr_t param) -> intptr_t {
      auto* self = static_cast<SearchSink*>(s);
      std::lock_guard lock(self->mutex);
      if (what == YOV_NOTIFY_CAMERA_FOUND)
        self->cameras.push_back(RemoteJson(*reinterpret_cast<const _YOVCamSettings*>(param)));
      if (what == YOV_NOTIFY_SEARCH_DONE) self->done = true;
      self->cv.notify_all();
      return 0;
    };
  }
  static json RemoteJson(const _YOVCamSettings& r) {
    json j = CameraJson(r);
    j["remote_text1"] = std::string(r.RemoteText1, strnlen(r.RemoteText1, sizeof r.RemoteText1));
    j["remote_text2"] = std::string(r.RemoteText2, strnlen(r.RemoteText2, sizeof r.RemoteText2));
    j["remote_value"] = r.RemoteValue;
    return j;
  }
};

int Search(Cli& cli) {
  if (!CheckAdapters()) return kExitNoAdapter;
  Finder finder;
  json cameras = json::array();
  if (cli.Has("background")) {
    SearchSink sink;
    YOVFinderSetOverlapNotify(finder.get(), &sink, 1025);
    if (int rc = YOVOstrel12Search(finder.get(), 1); rc != 0) return Refused(rc, "search");
    std::unique_lock lock(sink.mutex);
    sink.cv.wait(lock, [&] { return sink.done; });
    cameras = sink.cameras;
  } else {
    YOVOstrel12Search(finder.get(), 0);
    for (int i = 0; i < YOVGetCameraNum(finder.get()); ++i) {
      _YOVCamSettings r;
      std::memset(&r, 0, sizeof r);
      r.Version = 2;
      unsigned long size = sizeof r;
      if (YOVGetCameraInfoL(finder.get(), i, &r, &size) == 0) cameras.push_back(SearchSink::RemoteJson(r));
    }
  }
  PrintJson(cameras);
  return cameras.empty() ? Fail(kExitNotFound, "no camera answered on the remote-access port") : kExitOk;
}

int Enable(Cli& cli, Finder& finder, int index) {
  std::string how = cli.args.size() > 2 ? cli.args[2] : "on";
  if (how != "on" && how != "off") return Fail(kExitUsage, std::string("usage: yovctl ") + kUsage);
  _YOVFinderResult result{};
  int rc = YOVEnableOstrel12(finder.get(), index, how == "on", &result, 0);
  if (rc != 0) return Refused(rc, "switching the service");
  PrintResult(cli, {{"enabled", how == "on"}, {"wait_ms", result.WaitTime}});
  return kExitOk;
}

int State(Cli& cli, Finder& finder, int index) {
  int enabled = -1, env1 = -1, env2 = -1, state = -1, detail = -1, extra = -1;
  json j;
  if (YOVGetOstrel12Enabled(finder.get(), index, &enabled) == 0) j["enabled"] = enabled;
  if (YOVOstrel12QueryIPEnvironment(finder.get(), index, &env1, &env2) == 0)
    j["ip_environment"] = {env1, env2};
  if (YOVOstrel12QueryProcState(finder.get(), index, &state, &detail, &extra) == 0) {
    j["state"] = state;  // 1 working, 2 ready, 0/3/4 ended with a problem
    j["detail"] = detail;
    j["extra"] = extra;
  }
  if (j.is_null()) return Fail(kExitFailed, "the camera did not answer on the remote-access port");
  PrintResult(cli, j);
  return kExitOk;
}

int Text(Cli& cli, Finder& finder, int index, const char* key,
         int (*op)(YOVFinderHandle, int, char*, short*)) {
  char buffer[80] = {};
  short size = sizeof buffer;
  if (int rc = op(finder.get(), index, buffer, &size); rc != 0) return Refused(rc, key);
  PrintResult(cli, {{key, buffer}});
  return kExitOk;
}

int Alias(Cli& cli, Finder& finder, int index) {
  if (cli.args.size() == 2) return Text(cli, finder, index, "alias", YOVOstrel12GetAlias);
  int rc = YOVOstrel12SetAlias(finder.get(), index, cli.args[2].c_str(), 64);
  if (rc != 0) return Refused(rc, "setting the alias");
  PrintResult(cli, {{"alias", cli.args[2]}});
  return kExitOk;
}

int SubDomain(Cli& cli, Finder& finder, int index) {
  _YOVFinderResult result{};
  int rc = YOVOstrel12SetSubDN(finder.get(), index, cli.args[2].c_str(), 64, &result, 0);
  if (rc != 0) return Refused(rc, "setting the sub-domain");
  PrintResult(cli, {{"sub_domain", cli.args[2]}});
  return kExitOk;
}

}  // namespace

int RunRemote(Cli& cli) {
  std::string action = cli.args.empty() ? "" : cli.args[0];
  if (action == "search") return Search(cli);
  struct Action {
    const char* name;
    size_t min_args, max_args;
    int (*run)(Cli&, Finder&, int);
  };
  static const Action kActions[] = {
      {"enable", 2, 3, &Enable},
      {"state", 2, 2, &State},
      {"url", 2, 2, [](Cli& c, Finder& f, int i) { return Text(c, f, i, "url", YOVQueryOstrel12URL); }},
      {"alias", 2, 3, &Alias},
      {"sub-domain", 3, 3, &SubDomain},
  };
  for (const Action& a : kActions) {
    if (action != a.name) continue;
    if (cli.args.size() < a.min_args || cli.args.size() > a.max_args) break;
    return WithCamera(cli, kUsage, cli.args.size(),
                      [&](Finder& f, int index) { return a.run(cli, f, index); }, 1);
  }
  return Fail(kExitUsage, std::string("usage: yovctl ") + kUsage);
}

}  // namespace yovctl
