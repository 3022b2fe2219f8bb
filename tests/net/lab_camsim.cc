// Client of one camsim's control socket, and the simulator's stop.
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <thread>

#include "lab.h"

namespace netlab {

Camsim::Camsim(std::string ns, pid_t pid, std::string control, std::string log)
    : ns_(std::move(ns)), pid_(pid), control_(std::move(control)), log_(std::move(log)) {}

Camsim::~Camsim() { Stop(); }

void Camsim::Stop() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  int status = 0;
  for (int i = 0; i < 300 && waitpid(pid_, &status, WNOHANG) == 0; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  if (waitpid(pid_, &status, WNOHANG) == 0) {
    kill(pid_, SIGKILL);
    waitpid(pid_, &status, 0);
  }
  pid_ = 0;
}

std::string Camsim::Log() const {
  std::ifstream in(log_);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Camsim::Connect() {
  fd_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_un sa{};
  sa.sun_family = AF_UNIX;
  std::strncpy(sa.sun_path, control_.c_str(), sizeof sa.sun_path - 1);
  if (fd_ < 0 || connect(fd_, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0) {
    std::string why = std::strerror(errno);
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    throw std::runtime_error("camsim control " + control_ + ": " + why);
  }
}

std::string Camsim::ReadLine() {
  constexpr int kTimeoutMs = 10000;
  for (size_t end; (end = pending_.find('\n')) == std::string::npos;) {
    pollfd p{fd_, POLLIN, 0};
    if (poll(&p, 1, kTimeoutMs) <= 0) throw std::runtime_error("camsim in " + ns_ + " did not answer");
    char buffer[65536];
    ssize_t n = recv(fd_, buffer, sizeof buffer, 0);
    if (n <= 0) throw std::runtime_error("camsim in " + ns_ + " closed its control socket: " + Log());
    pending_.append(buffer, static_cast<size_t>(n));
  }
  size_t end = pending_.find('\n');
  std::string line = pending_.substr(0, end);
  pending_.erase(0, end + 1);
  return line;
}

nlohmann::json Camsim::Call(const nlohmann::json& request) {
  if (fd_ < 0) Connect();
  std::string line = request.dump() + "\n";
  for (size_t done = 0; done < line.size();) {
    ssize_t n = send(fd_, line.data() + done, line.size() - done, MSG_NOSIGNAL);
    if (n <= 0) throw std::runtime_error("camsim in " + ns_ + ": control send failed");
    done += static_cast<size_t>(n);
  }
  nlohmann::json reply = nlohmann::json::parse(ReadLine());
  if (!reply.value("ok", false))
    throw std::runtime_error("camsim " + request.dump() + ": " + reply.value("error", "failed"));
  return reply;
}

nlohmann::json Camsim::Received(int command) {
  nlohmann::json request = {{"op", "received"}};
  if (command >= 0) request["command"] = command;
  return Call(request)["received"];
}

nlohmann::json Camsim::Sent(int command) {
  nlohmann::json request = {{"op", "sent"}};
  if (command >= 0) request["command"] = command;
  return Call(request)["sent"];
}

nlohmann::json Camsim::State(const std::string& mac) {
  return Call({{"op", "state"}, {"mac", mac}})["camera"];
}

void Camsim::Set(const std::string& mac, const nlohmann::json& patch) {
  Call({{"op", "set"}, {"mac", mac}, {"patch", patch}});
}

void Camsim::Add(const nlohmann::json& camera) { Call({{"op", "add"}, {"camera", camera}}); }
void Camsim::Remove(const std::string& mac) { Call({{"op", "remove"}, {"mac", mac}}); }
void Camsim::Clear() { Call({{"op", "clear"}}); }

}  // namespace netlab
