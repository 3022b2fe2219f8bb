// The control socket: a Unix stream socket speaking one JSON object per line each way.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace camsim {

class ControlServer {
 public:
  using Handler = std::function<nlohmann::json(const nlohmann::json& request)>;

  explicit ControlServer(Handler handler) : handler_(std::move(handler)) {}
  ~ControlServer();
  // Listens on `path` (an old socket file there is replaced). Returns an error text, or empty.
  std::string Listen(const std::string& path);

  // The descriptors to poll for reading: the listener and every connected client.
  std::vector<int> fds() const;
  // Accepts a client or reads from one; each complete line is answered with one line.
  void OnReadable(int fd);

 private:
  struct Client {
    int fd;
    std::string pending;
  };
  void Serve(Client& client);
  void Drop(int fd);

  Handler handler_;
  int listener_ = -1;
  std::string path_;
  std::vector<Client> clients_;
};

}  // namespace camsim
