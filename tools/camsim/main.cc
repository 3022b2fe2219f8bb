// camsim: answers LANDAP requests for the cameras described in a JSON file.
#include <dirent.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

#include "config.h"
#include "control_ops.h"
#include "control_server.h"
#include "event_loop.h"
#include "simulator.h"
#include "udp_transport.h"

namespace {

volatile std::sig_atomic_t g_stop = 0;
void OnSignal(int) { g_stop = 1; }

struct Options {
  std::string config, iface, control, ready_file;
  uint16_t port = yov::kLandapPort, remote_port = yov::kRemoteAccessPort;
};

const char kUsage[] =
    "usage: camsim --config FILE [--iface NAME] [--control SOCKET] [--ready-file FILE]\n"
    "              [--port N] [--remote-port N]\n"
    "Simulates the LANDAP cameras of FILE on NAME (default: every interface). Run it only\n"
    "inside a lab network namespace (tools/netlab). Prints \"ready\" once it listens.\n";

bool ParseOptions(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--help" || a == "-h" || i + 1 >= argc) return false;
    std::string v = argv[++i];
    if (a == "--config") o.config = v;
    else if (a == "--iface") o.iface = v;
    else if (a == "--control") o.control = v;
    else if (a == "--ready-file") o.ready_file = v;
    else if (a == "--port") o.port = static_cast<uint16_t>(std::stoi(v));
    else if (a == "--remote-port") o.remote_port = static_cast<uint16_t>(std::stoi(v));
    else return false;
  }
  return !o.config.empty();
}

void InstallSignals() {
  struct sigaction sa {};
  sa.sa_handler = OnSignal;  // no SA_RESTART: poll() returns and the loop sees the flag
  sigaction(SIGTERM, &sa, nullptr);
  sigaction(SIGINT, &sa, nullptr);
  sigaction(SIGHUP, &sa, nullptr);
  signal(SIGPIPE, SIG_IGN);
}

// The machine's own network is never ours to answer on: run only inside a namespace made by
// `ip netns add` (tools/netlab), i.e. one that has a name under /run/netns.
bool InNamedNetworkNamespace() {
  struct stat mine {};
  if (stat("/proc/self/ns/net", &mine) != 0) return false;
  DIR* dir = opendir("/run/netns");
  if (!dir) return false;
  bool found = false;
  while (dirent* e = readdir(dir)) {
    struct stat named {};
    std::string path = std::string("/run/netns/") + e->d_name;
    if (e->d_name[0] != '.' && stat(path.c_str(), &named) == 0 && named.st_ino == mine.st_ino &&
        named.st_dev == mine.st_dev)
      found = true;
  }
  closedir(dir);
  return found;
}

int Fail(const std::string& text) {
  std::cerr << "camsim: " << text << "\n";
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  Options opt;
  try {
    if (!ParseOptions(argc, argv, opt)) {
      std::cerr << kUsage;
      return 2;
    }
  } catch (const std::exception&) {
    std::cerr << kUsage;
    return 2;
  }
  if (!InNamedNetworkNamespace())
    return Fail("refusing to run outside a lab network namespace (see tools/netlab)");
  camsim::Simulator sim;
  try {
    for (camsim::Camera& c : camsim::LoadCameras(opt.config)) sim.AddCamera(std::move(c));
  } catch (const std::exception& e) {
    return Fail(e.what());
  }
  InstallSignals();

  camsim::UdpTransport udp;
  if (std::string e = udp.Open(opt.iface, {opt.port, opt.remote_port}); !e.empty()) return Fail(e);
  bool quit = false;
  camsim::ControlServer control(
      [&](const nlohmann::json& request) { return camsim::HandleControl(sim, request, quit); });
  if (!opt.control.empty())
    if (std::string e = control.Listen(opt.control); !e.empty()) return Fail(e);

  if (!opt.ready_file.empty()) {
    // Written whole and then renamed, so a waiting test never reads it half done.
    std::string tmp = opt.ready_file + ".tmp";
    std::ofstream(tmp) << getpid() << "\n";
    std::rename(tmp.c_str(), opt.ready_file.c_str());
  }
  std::cout << "ready" << std::endl;

  camsim::EventLoop loop(sim, udp, opt.control.empty() ? nullptr : &control);
  loop.Run(g_stop, quit);
  return 0;
}
