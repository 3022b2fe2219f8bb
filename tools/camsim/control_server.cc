// Line-delimited JSON over a Unix stream socket.
#include "control_server.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace camsim {
namespace {

// Writes the whole reply; the client may read slowly, so a full buffer is waited out.
void WriteAll(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    ssize_t n = send(fd, text.data() + done, text.size() - done, MSG_NOSIGNAL);
    if (n > 0) {
      done += static_cast<size_t>(n);
    } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
      pollfd p{fd, POLLOUT, 0};
      if (poll(&p, 1, 5000) <= 0) return;
    } else {
      return;
    }
  }
}

}  // namespace

ControlServer::~ControlServer() {
  for (const Client& c : clients_) close(c.fd);
  if (listener_ >= 0) {
    close(listener_);
    unlink(path_.c_str());
  }
}

std::string ControlServer::Listen(const std::string& path) {
  sockaddr_un sa{};
  if (path.size() >= sizeof sa.sun_path) return "control socket path too long: " + path;
  listener_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (listener_ < 0) return std::string("socket: ") + std::strerror(errno);
  sa.sun_family = AF_UNIX;
  std::memcpy(sa.sun_path, path.c_str(), path.size());
  unlink(path.c_str());
  if (bind(listener_, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0 || listen(listener_, 8) != 0)
    return "control socket " + path + ": " + std::strerror(errno);
  path_ = path;
  return {};
}

std::vector<int> ControlServer::fds() const {
  std::vector<int> out;
  if (listener_ >= 0) out.push_back(listener_);
  for (const Client& c : clients_) out.push_back(c.fd);
  return out;
}

void ControlServer::OnReadable(int fd) {
  if (fd == listener_) {
    int client = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (client >= 0) clients_.push_back({client, {}});
    return;
  }
  auto it = std::find_if(clients_.begin(), clients_.end(), [&](const Client& c) { return c.fd == fd; });
  if (it == clients_.end()) return;
  char buffer[4096];
  ssize_t n = recv(fd, buffer, sizeof buffer, 0);
  if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) return Drop(fd);
  if (n > 0) {
    it->pending.append(buffer, static_cast<size_t>(n));
    Serve(*it);
  }
}

void ControlServer::Serve(Client& client) {
  for (size_t end; (end = client.pending.find('\n')) != std::string::npos;) {
    std::string line = client.pending.substr(0, end);
    client.pending.erase(0, end + 1);
    if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
    nlohmann::json reply;
    nlohmann::json request = nlohmann::json::parse(line, nullptr, false);
    if (request.is_discarded() || !request.is_object())
      reply = {{"ok", false}, {"error", "not a JSON object"}};
    else
      reply = handler_(request);
    WriteAll(client.fd, reply.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + "\n");
  }
}

void ControlServer::Drop(int fd) {
  close(fd);
  clients_.erase(std::remove_if(clients_.begin(), clients_.end(),
                                [&](const Client& c) { return c.fd == fd; }),
                 clients_.end());
}

}  // namespace camsim
