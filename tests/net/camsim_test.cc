// The simulator on the wire: each misbehaviour really changes the datagram a test receives.
#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "lab.h"

namespace {

using nlohmann::json;
using Bytes = std::vector<uint8_t>;

constexpr char kMac[] = "02:1A:2B:00:00:07";
const Bytes kMacBytes = {0x02, 0x1A, 0x2B, 0x00, 0x00, 0x07};

// A bare request header, written out byte by byte: magic FDFD, sequence 0x1234, command,
// target MAC, camera address 0, marker, header version 1, payload length 0.
Bytes Request(uint16_t command, const Bytes& mac, uint16_t marker) {
  Bytes r = {0xFD, 0xFD, 0x34, 0x12, static_cast<uint8_t>(command), static_cast<uint8_t>(command >> 8),
             mac[0], mac[1], mac[2], mac[3], mac[4], mac[5], 0, 0, 0, 0,
             static_cast<uint8_t>(marker), static_cast<uint8_t>(marker >> 8), 1, 0, 0, 0};
  return r;
}

uint16_t U16(const Bytes& d, size_t at) { return static_cast<uint16_t>(d[at] | (d[at + 1] << 8)); }

struct Received {
  Bytes data;
  std::string source;
};

// A requester socket on the PC's lan0, like the finder's: any address, port 0, broadcast.
class Requester {
 public:
  Requester() {
    fd_ = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    int one = 1;
    setsockopt(fd_, SOL_SOCKET, SO_BROADCAST, &one, sizeof one);
    setsockopt(fd_, SOL_SOCKET, SO_BINDTODEVICE, "lan0", 5);
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    bind(fd_, reinterpret_cast<sockaddr*>(&sa), sizeof sa);
  }
  ~Requester() { close(fd_); }

  // Broadcasts the request and gathers replies until none has come for `quiet_ms`.
  std::vector<Received> Exchange(const Bytes& request, uint16_t port, int quiet_ms = 400) {
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = INADDR_BROADCAST;
    sendto(fd_, request.data(), request.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
    std::vector<Received> out;
    pollfd p{fd_, POLLIN, 0};
    while (poll(&p, 1, quiet_ms) > 0) {
      Bytes buffer(2048);
      sockaddr_in from{};
      socklen_t len = sizeof from;
      ssize_t n = recvfrom(fd_, buffer.data(), buffer.size(), 0, reinterpret_cast<sockaddr*>(&from), &len);
      if (n < 0) break;
      buffer.resize(static_cast<size_t>(n));
      out.push_back({buffer, inet_ntoa(from.sin_addr)});
    }
    return out;
  }

 private:
  int fd_;
};

class CamsimWire : public LabTest {
 protected:
  void SetUp() override {
    LabTest::SetUp();
    if (IsSkipped()) return;
    lab().AddLink("lan0", "192.168.50.1/24", "cam1", "192.168.50.2/24");
    json camera = {{"mac", kMac}, {"brand", "Yovision"}, {"model", "YC-300W"}, {"ip", "192.168.50.17"}};
    sim = &lab().StartCamsim("cam1", {{"cameras", {camera}}}, "lan0");
    requester = std::make_unique<Requester>();
  }
  netlab::Camsim* sim = nullptr;
  std::unique_ptr<Requester> requester;  // made once lan0 exists
  Requester& pc_socket() { return *requester; }
};

TEST_F(CamsimWire, AnswersTheSearchWithTheCameraInformation) {
  auto replies = pc_socket().Exchange(Request(161, Bytes(6, 0xFF), 0), 62976);
  ASSERT_EQ(replies.size(), 1u);
  const Bytes& d = replies[0].data;
  ASSERT_EQ(d.size(), 22u + 312u);
  EXPECT_EQ(U16(d, 0), 0xFEEE);
  EXPECT_EQ(U16(d, 2), 0x1234);
  EXPECT_EQ(U16(d, 4), 161);
  EXPECT_EQ(Bytes(d.begin() + 6, d.begin() + 12), kMacBytes);
  EXPECT_EQ(Bytes(d.begin() + 12, d.begin() + 16), (Bytes{192, 168, 50, 17}));
  EXPECT_EQ(U16(d, 16), 0);
  EXPECT_EQ(U16(d, 18), 1);
  EXPECT_EQ(U16(d, 20), 312);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&d[22 + 128])), "YC-300W");
  EXPECT_EQ(Bytes(d.begin() + 22 + 198, d.begin() + 22 + 204), kMacBytes);
  EXPECT_EQ(replies[0].source, "192.168.50.17");  // from the camera's own address

  // The control socket saw the request and the reply, byte for byte.
  json received = sim->Received();
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0]["target_mac"], "FF:FF:FF:FF:FF:FF");
  EXPECT_EQ(received[0]["marker"], 0);
  EXPECT_EQ(received[0]["sequence"], 0x1234);
  json sent = sim->Sent();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0]["length"], 334);
  EXPECT_EQ(sent[0]["destination"].get<std::string>().rfind("192.168.50.1:", 0), 0u);
}

TEST_F(CamsimWire, RemoteAccessSearchIsAnsweredOnItsOwnPort) {
  EXPECT_TRUE(pc_socket().Exchange(Request(265, Bytes(6, 0xFF), 0), 62976).empty());
  auto replies = pc_socket().Exchange(Request(265, Bytes(6, 0xFF), 0), 62977);
  ASSERT_EQ(replies.size(), 1u);
  EXPECT_EQ(replies[0].data.size(), 22u + 304u);
  EXPECT_EQ(U16(replies[0].data, 4), 265);
}

// Each behaviour, set through the control socket, against the one search reply it shapes.
struct Shaped {
  const char* name;
  json behaviour;
  size_t copies, length;
  uint16_t magic, sequence, command, status, version, payload_length;
};

TEST_F(CamsimWire, EachMisbehaviourShapesTheReply) {
  const Shaped cases[] = {
      {"plain", json::object(), 1, 334, 0xFEEE, 0x1234, 161, 0, 1, 312},
      {"wrong magic", {{"wrong_magic", true}}, 1, 334, 0xFDFD, 0x1234, 161, 0, 1, 312},
      {"wrong sequence", {{"wrong_sequence", true}}, 1, 334, 0xFEEE, 0x1235, 161, 0, 1, 312},
      {"wrong command", {{"wrong_command", true}}, 1, 334, 0xFEEE, 0x1234, 162, 0, 1, 312},
      {"status", {{"status", 7}}, 1, 334, 0xFEEE, 0x1234, 161, 7, 1, 312},
      {"header version", {{"header_version", 2}}, 1, 334, 0xFEEE, 0x1234, 161, 0, 2, 312},
      {"longer datagram", {{"datagram_extra", 21}}, 1, 355, 0xFEEE, 0x1234, 161, 0, 1, 312},
      {"shorter datagram", {{"datagram_extra", -12}}, 1, 322, 0xFEEE, 0x1234, 161, 0, 1, 312},
      {"length field", {{"payload_length_delta", 1}}, 1, 334, 0xFEEE, 0x1234, 161, 0, 1, 313},
      {"311 bytes", {{"payload_size", 311}}, 1, 333, 0xFEEE, 0x1234, 161, 0, 1, 311},
      {"duplicates", {{"duplicates", 1}}, 2, 334, 0xFEEE, 0x1234, 161, 0, 1, 312},
      {"other command's override", {{"commands", {{"265", {{"status", 9}}}}}}, 1, 334, 0xFEEE,
       0x1234, 161, 0, 1, 312},
      {"own command's override", {{"commands", {{"161", {{"status", 9}}}}}}, 1, 334, 0xFEEE,
       0x1234, 161, 9, 1, 312},
  };
  for (const Shaped& c : cases) {
    SCOPED_TRACE(c.name);
    sim->Set(kMac, {{"behaviour", nullptr}});
    sim->Set(kMac, {{"behaviour", c.behaviour}});
    auto replies = pc_socket().Exchange(Request(161, Bytes(6, 0xFF), 0), 62976);
    ASSERT_EQ(replies.size(), c.copies);
    const Bytes& d = replies[0].data;
    ASSERT_EQ(d.size(), c.length);
    EXPECT_EQ(U16(d, 0), c.magic);
    EXPECT_EQ(U16(d, 2), c.sequence);
    EXPECT_EQ(U16(d, 4), c.command);
    EXPECT_EQ(U16(d, 16), c.status);
    EXPECT_EQ(U16(d, 18), c.version);
    EXPECT_EQ(U16(d, 20), c.payload_length);
  }
}

TEST_F(CamsimWire, AddressingAndWithheldAnswers) {
  // A refresh round (the camera's MAC, marker 0x7777) and its second half (marker 0).
  EXPECT_EQ(pc_socket().Exchange(Request(161, kMacBytes, 0x7777), 62976).size(), 1u);
  EXPECT_TRUE(pc_socket().Exchange(Request(161, {2, 0, 0, 0, 0, 1}, 0x7777), 62976).empty());
  sim->Set(kMac, {{"behaviour", {{"only_marker0", true}}}});
  EXPECT_TRUE(pc_socket().Exchange(Request(161, kMacBytes, 0x7777), 62976).empty());
  EXPECT_EQ(pc_socket().Exchange(Request(161, kMacBytes, 0), 62976).size(), 1u);
  sim->Set(kMac, {{"behaviour", {{"silent", true}}}});
  EXPECT_TRUE(pc_socket().Exchange(Request(161, Bytes(6, 0xFF), 0), 62976).empty());
  // A silent camera still records what it heard.
  EXPECT_EQ(sim->Received().size(), 5u);
}

TEST_F(CamsimWire, ForeignCameraAnswersByBroadcastAfterItsDelay) {
  sim->Set(kMac, {{"ip", "10.9.9.9"}, {"behaviour", {{"reply_broadcast", true}, {"delay_ms", 300}}}});
  auto replies = pc_socket().Exchange(Request(161, Bytes(6, 0xFF), 0), 62976, 1500);
  ASSERT_EQ(replies.size(), 1u);
  EXPECT_EQ(replies[0].source, "10.9.9.9");
  json sent = sim->Sent();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0]["destination"].get<std::string>().rfind("255.255.255.255:", 0), 0u);
  EXPECT_GE(sent[0]["t_ms"].get<int64_t>() - sim->Received()[0]["t_ms"].get<int64_t>(), 300);
}

TEST_F(CamsimWire, ControlSocketRefusesBadPatchesAndKeepsTheCamera) {
  EXPECT_THROW(sim->Set(kMac, {{"behaviour", {{"silnet", true}}}}), std::runtime_error);
  EXPECT_THROW(sim->Set(kMac, {{"ip", "192.168.50"}}), std::runtime_error);
  EXPECT_THROW(sim->Set(kMac, {{"mac", "02:00:00:00:00:01"}}), std::runtime_error);
  EXPECT_EQ(sim->State(kMac)["ip"], "192.168.50.17");
  sim->Add({{"mac", "02:00:00:00:00:01"}, {"ip", "192.168.50.18"}});
  EXPECT_THROW(sim->Add({{"mac", kMac}}), std::runtime_error);
  EXPECT_EQ(pc_socket().Exchange(Request(161, Bytes(6, 0xFF), 0), 62976).size(), 2u);
  sim->Remove("02:00:00:00:00:01");
  EXPECT_EQ(pc_socket().Exchange(Request(161, Bytes(6, 0xFF), 0), 62976).size(), 1u);
}

}  // namespace
