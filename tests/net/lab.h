// Network-test harness: a lab of namespaces and veth links with camera simulators in it.
//
// One lab per test process. net_main.cc calls Lab::Enter() before any thread starts; it
// creates namespace <lab>-pc and moves the whole process into it, so every socket the finder
// opens afterwards sees only the lab's links (and lo). Tests add links and simulators, then
// call the finder; LabTest::TearDown() (or Reset()) removes them again, and the whole lab is
// destroyed at exit, on a fatal signal too.
//
//   TEST_F(LabTest, Example) {
//     lab().AddLink("lan0", "192.168.50.1/24", "cam1", "192.168.50.2/24");
//     netlab::Camsim& sim = lab().StartCamsim("cam1", {{"cameras", {{{"mac", "..."}}}}});
//     ... YOVFinderSearch(h, 0) ...
//     nlohmann::json sent = sim.Sent(161);
//   }
//
// Harness faults (a link that cannot be made, a simulator that does not start) throw
// std::runtime_error with the tool's output; gtest reports them as test failures.
#pragma once

#include <sys/types.h>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace netlab {

// A running camsim in one of the lab's namespaces, with a client of its control socket.
class Camsim {
 public:
  Camsim(std::string ns, pid_t pid, std::string control, std::string log);
  ~Camsim();  // stops the simulator
  Camsim(const Camsim&) = delete;
  Camsim& operator=(const Camsim&) = delete;

  // Sends one control request and returns the reply; throws when it fails or says "ok":false.
  nlohmann::json Call(const nlohmann::json& request);
  // Records of received / sent datagrams, optionally of one command only (-1: all).
  nlohmann::json Received(int command = -1);
  nlohmann::json Sent(int command = -1);
  nlohmann::json State(const std::string& mac);               // the camera's JSON state
  void Set(const std::string& mac, const nlohmann::json& patch);  // mac "*": every camera
  void Add(const nlohmann::json& camera);
  void Remove(const std::string& mac);
  void Clear();  // forgets the received and sent records
  void Stop();   // SIGTERM, then waits for it

  const std::string& ns() const { return ns_; }
  pid_t pid() const { return pid_; }
  std::string Log() const;  // what the simulator printed

 private:
  void Connect();
  std::string ReadLine();

  std::string ns_;
  pid_t pid_;
  std::string control_, log_;
  int fd_ = -1;
  std::string pending_;
};

class Lab {
 public:
  // Creates the lab (named <prefix><pid>) and enters its pc namespace. Must run on the main
  // thread before any other thread exists. On a missing prerequisite (not root, no iproute2,
  // namespaces refused) it records the reason instead, and Get() returns nullptr.
  static void Enter(const std::string& prefix = "yl");
  static Lab* Get();
  static const std::string& UnavailableReason();

  const std::string& name() const { return name_; }
  std::string Namespace(const std::string& ns) const { return name_ + "-" + ns; }
  const std::string& scratch_dir() const { return dir_; }  // files of this lab, removed at exit

  // Adds a veth link between the PC's interface `pc_if` and namespace `cam_ns` (made when
  // needed); addresses as "a.b.c.d/len" or "-" for none. `pc_if` joins YOV_ADAPTERS.
  void AddLink(const std::string& pc_if, const std::string& pc_addr, const std::string& cam_ns,
               const std::string& cam_addr, const std::string& cam_if = "");
  void RemoveLink(const std::string& pc_if);
  void AddAddress(const std::string& ns, const std::string& iface, const std::string& addr);

  // Starts camsim in `cam_ns` with `config` ({"cameras": [...]}) and waits until it is ready.
  // `iface` binds it to one interface; empty: every interface of the namespace.
  Camsim& StartCamsim(const std::string& cam_ns, const nlohmann::json& config,
                      const std::string& iface = "");

  // tc netem on an interface ("delay 100ms", "duplicate 100%"...). False when the kernel
  // has no netem (callers skip); throws on other failures.
  bool Netem(const std::string& ns, const std::string& iface, const std::string& args);
  // Runs a command in one of the lab's namespaces ("pc" included); returns its exit code.
  int Exec(const std::string& ns, const std::vector<std::string>& command,
           std::string* output = nullptr);
  // Runs a netlab.sh subcommand for this lab (the lab name is inserted as first argument).
  int Script(const std::string& subcommand, const std::vector<std::string>& args,
             std::string* output = nullptr);

  // Stops every simulator, removes every link and peer namespace; the pc namespace stays.
  void Reset();
  // The PC interfaces added so far, as YOV_ADAPTERS holds them.
  const std::vector<std::string>& adapters() const { return adapters_; }

 private:
  explicit Lab(std::string name, std::string dir) : name_(std::move(name)), dir_(std::move(dir)) {}
  void PublishAdapters();

  std::string name_, dir_;
  std::vector<std::string> adapters_;
  std::vector<std::string> peer_namespaces_;
  std::vector<std::unique_ptr<Camsim>> simulators_;
};

// Runs argv (argv[0] a path) and returns its exit code (128 + signal when killed); its
// standard output and error go to `output` when given.
int RunCommand(const std::vector<std::string>& argv, std::string* output = nullptr);

}  // namespace netlab

// A test fixture whose tests skip (with the reason) when there is no lab, and leave the lab
// empty again when they end.
class LabTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  netlab::Lab& lab() { return *netlab::Lab::Get(); }
};
