// The lab's life: creation and entry from main(), links and simulators, removal on every exit.
#include "lab.h"

#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace netlab {
namespace {

Lab* g_lab = nullptr;
pid_t g_owner = 0;  // the test process; its forked children never tear the lab down
std::string g_reason = "the lab was not set up (Lab::Enter was not called from main)";

// What the fatal-signal handler needs, prepared in advance (it may not allocate).
std::vector<std::string> g_destroy_args, g_remove_args;
std::vector<char*> g_destroy_argv, g_remove_argv;
constexpr int kMaxSimulators = 256;
std::atomic<pid_t> g_simulator_pids[kMaxSimulators];

// In a forked child before exec: the lab's handlers are the parent's business.
void DefaultSignals();

// Only async-signal-safe calls: it also runs from the fatal-signal handler.
void Spawn(char* const* argv) {
  pid_t child = fork();
  if (child == 0) {
    DefaultSignals();
    int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    execv(argv[0], argv);
    _exit(127);
  }
  if (child > 0) waitpid(child, nullptr, 0);
}

void DestroyNow() {
  for (auto& p : g_simulator_pids)
    if (pid_t pid = p.exchange(0); pid > 0) kill(pid, SIGTERM);
  Spawn(g_destroy_argv.data());
  Spawn(g_remove_argv.data());
}

std::vector<char*> Argv(std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  return argv;
}

constexpr int kFatalSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGABRT,
                                 SIGSEGV, SIGBUS, SIGFPE, SIGILL};

void DefaultSignals() {
  for (int sig : kFatalSignals) signal(sig, SIG_DFL);
}

void OnFatalSignal(int sig) {
  if (getpid() == g_owner) DestroyNow();
  signal(sig, SIG_DFL);
  raise(sig);
}

void AtExit() {
  if (!g_lab || getpid() != g_owner) return;
  g_lab->Reset();
  DestroyNow();
}

void InstallCleanup(const std::string& name, const std::string& dir) {
  g_destroy_args = {NETLAB_SCRIPT, "destroy", name};
  g_destroy_argv = Argv(g_destroy_args);
  g_remove_args = {"/bin/rm", "-rf", dir};
  g_remove_argv = Argv(g_remove_args);
  std::atexit(AtExit);
  struct sigaction sa {};
  sa.sa_handler = OnFatalSignal;
  sa.sa_flags = SA_RESETHAND;
  g_owner = getpid();
  for (int sig : kFatalSignals) sigaction(sig, &sa, nullptr);
}

void RememberSimulator(pid_t pid, bool add) {
  for (auto& p : g_simulator_pids) {
    pid_t expected = add ? 0 : pid;
    if (p.compare_exchange_strong(expected, add ? pid : 0)) return;
  }
}

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> out;
  for (std::string w; in >> w;) out.push_back(w);
  return out;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Failure(const std::string& what, int rc, const std::string& output) {
  return what + " failed (exit " + std::to_string(rc) + "): " + output;
}

}  // namespace

// Labs (and their scratch folders) of test processes that were killed outright.
static void SweepStaleLabs(const std::string& prefix) {
  RunCommand({NETLAB_SCRIPT, "sweep", prefix});
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator("/tmp", ec)) {
    std::string leaf = entry.path().filename().string(), head = "netlab-" + prefix;
    if (leaf.rfind(head, 0) != 0) continue;
    std::string pid = leaf.substr(head.size());
    if (!pid.empty() && pid.find_first_not_of("0123456789") == std::string::npos &&
        kill(std::stoi(pid), 0) != 0 && errno == ESRCH)
      std::filesystem::remove_all(entry.path(), ec);
  }
}

int RunCommand(const std::vector<std::string>& args, std::string* output) {
  int pipefd[2];
  if (pipe2(pipefd, O_CLOEXEC) != 0) return -1;
  pid_t child = fork();
  if (child < 0) return -1;
  if (child == 0) {
    DefaultSignals();
    dup2(pipefd[1], 1);
    dup2(pipefd[1], 2);
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(pipefd[1]);
  std::string text;
  char buffer[4096];
  for (ssize_t n; (n = read(pipefd[0], buffer, sizeof buffer)) != 0;) {
    if (n > 0) text.append(buffer, static_cast<size_t>(n));
    else if (errno != EINTR) break;
  }
  close(pipefd[0]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (output) *output = text;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

void Lab::Enter(const std::string& prefix) {
  if (geteuid() != 0) {
    g_reason = "network tests need root (they create network namespaces)";
    return;
  }
  if (access("/usr/sbin/ip", X_OK) != 0 && access("/sbin/ip", X_OK) != 0 &&
      access("/usr/bin/ip", X_OK) != 0) {
    g_reason = "network tests need iproute2 (ip)";
    return;
  }
  SweepStaleLabs(prefix);
  std::string name = prefix + std::to_string(getpid()), output;
  int rc = RunCommand({NETLAB_SCRIPT, "create", name}, &output);
  if (rc != 0) {
    g_reason = Failure("netlab create " + name, rc, output);
    return;
  }
  std::string dir = "/tmp/netlab-" + name;
  mkdir(dir.c_str(), 0700);
  g_lab = new Lab(name, dir);
  InstallCleanup(name, dir);
  int fd = open(("/run/netns/" + name + "-pc").c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0 || setns(fd, CLONE_NEWNET) != 0) {
    g_reason = "cannot enter namespace " + name + "-pc: " + std::strerror(errno);
    AtExit();
    g_lab = nullptr;
  }
  if (fd >= 0) close(fd);
  unsetenv("YOV_ADAPTERS");
}

Lab* Lab::Get() { return g_lab; }
const std::string& Lab::UnavailableReason() { return g_reason; }

int Lab::Script(const std::string& subcommand, const std::vector<std::string>& args,
                std::string* output) {
  std::vector<std::string> argv = {NETLAB_SCRIPT, subcommand, name_};
  argv.insert(argv.end(), args.begin(), args.end());
  return RunCommand(argv, output);
}

void Lab::AddLink(const std::string& pc_if, const std::string& pc_addr, const std::string& cam_ns,
                  const std::string& cam_addr, const std::string& cam_if) {
  std::vector<std::string> args = {pc_if, pc_addr, cam_ns, cam_addr};
  if (!cam_if.empty()) args.push_back(cam_if);
  std::string output;
  if (int rc = Script("link", args, &output); rc != 0)
    throw std::runtime_error(Failure("netlab link " + pc_if, rc, output));
  adapters_.push_back(pc_if);
  PublishAdapters();
}

void Lab::RemoveLink(const std::string& pc_if) {
  std::string output;
  if (int rc = Script("unlink", {pc_if}, &output); rc != 0)
    throw std::runtime_error(Failure("netlab unlink " + pc_if, rc, output));
  std::erase(adapters_, pc_if);
  PublishAdapters();
}

void Lab::AddAddress(const std::string& ns, const std::string& iface, const std::string& addr) {
  std::string output;
  if (int rc = Script("addr", {ns, iface, addr}, &output); rc != 0)
    throw std::runtime_error(Failure("netlab addr", rc, output));
}

void Lab::PublishAdapters() {
  std::string list;
  for (const std::string& a : adapters_) list += (list.empty() ? "" : ",") + a;
  if (list.empty())
    unsetenv("YOV_ADAPTERS");
  else
    setenv("YOV_ADAPTERS", list.c_str(), 1);
}

Camsim& Lab::StartCamsim(const std::string& cam_ns, const nlohmann::json& config,
                         const std::string& iface) {
  // Names never repeat within the process: a stopped simulator's files must not be taken for
  // the new one's (its ready file, or its control socket that it unlinks when it ends).
  static int started = 0;
  std::string base = dir_ + "/" + cam_ns + "-" + std::to_string(started++);
  std::string config_path = base + ".json", control = base + ".sock", ready = base + ".ready",
              log = base + ".log";
  std::ofstream(config_path) << config.dump(2);
  std::vector<std::string> args = {NETLAB_SCRIPT, "exec", name_,      cam_ns,  CAMSIM_BIN,
                                   "--config",    config_path,  "--control", control,
                                   "--ready-file", ready};
  if (!iface.empty()) args.insert(args.end(), {"--iface", iface});
  pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    DefaultSignals();
    prctl(PR_SET_PDEATHSIG, SIGTERM);  // survives the execs down to camsim
    int out = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(out, 1);
    dup2(out, 2);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  RememberSimulator(pid, true);
  for (int waited = 0; access(ready.c_str(), F_OK) != 0; waited += 10) {
    int status = 0;
    bool ended = waitpid(pid, &status, WNOHANG) == pid;
    if (ended || waited > 10000) {
      if (!ended) kill(pid, SIGKILL), waitpid(pid, &status, 0);
      RememberSimulator(pid, false);
      throw std::runtime_error("camsim in " + cam_ns + " did not start: " + ReadFile(log));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  auto sim = std::make_unique<Camsim>(cam_ns, pid, control, log);
  simulators_.push_back(std::move(sim));
  return *simulators_.back();
}

bool Lab::Netem(const std::string& ns, const std::string& iface, const std::string& args) {
  std::vector<std::string> argv = {ns, iface};
  for (std::string& w : Words(args)) argv.push_back(w);
  std::string output;
  int rc = Script("netem", argv, &output);
  if (rc == 3) return false;
  if (rc != 0) throw std::runtime_error(Failure("netlab netem", rc, output));
  return true;
}

int Lab::Exec(const std::string& ns, const std::vector<std::string>& command,
              std::string* output) {
  std::vector<std::string> args = {ns};
  args.insert(args.end(), command.begin(), command.end());
  return Script("exec", args, output);
}

void Lab::Reset() {
  for (auto& sim : simulators_) RememberSimulator(sim->pid(), false);
  simulators_.clear();
  std::string list;
  Script("list", {}, &list);
  // Only the lab's own names: `ip netns list` may also complain about other labs going away.
  const std::string prefix = name_ + "-";
  for (const std::string& ns : Words(list))
    if (ns.rfind(prefix, 0) == 0 && ns != prefix + "pc") Script("delns", {ns.substr(prefix.size())});
  for (const std::string& pc_if : adapters_) Script("unlink", {pc_if});
  adapters_.clear();
  PublishAdapters();
}

}  // namespace netlab

void LabTest::SetUp() {
  netlab::Lab* lab = netlab::Lab::Get();
  if (!lab) GTEST_SKIP() << netlab::Lab::UnavailableReason();
  // Nothing may reach the machine's own network: the test thread must still be in the lab.
  struct stat here {}, pc {};
  ASSERT_EQ(stat("/proc/thread-self/ns/net", &here), 0);
  ASSERT_EQ(stat(("/run/netns/" + lab->Namespace("pc")).c_str(), &pc), 0);
  ASSERT_TRUE(here.st_ino == pc.st_ino && here.st_dev == pc.st_dev)
      << "the test thread is not in " << lab->Namespace("pc");
}

void LabTest::TearDown() {
  if (netlab::Lab::Get()) netlab::Lab::Get()->Reset();
}
