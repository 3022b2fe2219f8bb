// CmdGetSiteSurvey: the stations of one or more datagrams, gathered into one list.
#include "discovery/camera_ops.h"
#include "landap/site_survey_payload.h"

namespace yov {
namespace {

constexpr int kSurveySends = 6;
// A camera that keeps marking "more follows" must not make the list grow without end.
constexpr int kMaxSurveyDatagrams = 256;

class SurveyReader {
 public:
  SurveyReader(CLANDAPObj& camera, uint16_t sequence)
      : camera_(camera), sequence_(sequence), bc_(camera.env()), area_(kSurveyDatagramMax) {}

  // The whole list, or nullopt when a datagram is missing or fails the checks.
  std::optional<std::vector<SurveyStation>> Read() {
    if (bc_.Open(camera_.interface_address(), 0, false) != 0) return std::nullopt;
    int count = First();
    std::vector<SurveyStation> stations;
    for (int pages = 0; count > 0 && pages < kMaxSurveyDatagrams; ++pages) {
      auto page = Decode(count);
      if (!page) break;
      stations.insert(stations.end(), page->stations.begin(), page->stations.end());
      if (page->mark != kSurveyMoreFollows) return stations;
      count = Receive();
    }
    return std::nullopt;
  }

 private:
  // Sends until a first datagram arrives, growing the wait after each silence.
  int First() {
    std::vector<uint8_t> request =
        camera_.BuildRequest(CmdGetSiteSurvey, sequence_, kCredentialBlockSize, {});
    int count = 0;
    for (int send = 0; send < kSurveySends && count <= 0; ++send) {
      if (send > 0) timeout_ += camera_.env().Random() % 300 + 200;
      bc_.Send(request, 0, kLandapPort);
      count = Receive();
    }
    return count;
  }

  int Receive() {
    std::fill(area_.begin(), area_.end(), 0);
    return bc_.ReceiveFramed(timeout_, area_.data(), area_.size());
  }

  std::optional<SurveyPage> Decode(int count) {
    auto reply = camera_.AcceptReply(area_, count, sequence_);
    if (!reply || reply->header.status != kStatusOk) return std::nullopt;
    size_t arrived = static_cast<size_t>(count) - kHeaderSize;
    return DecodeSurveyPage(reply->body().first(std::min<size_t>(reply->header.payload_length, arrived)));
  }

  CLANDAPObj& camera_;
  uint16_t sequence_;
  CBCModule bc_;
  std::vector<uint8_t> area_;
  uint32_t timeout_ = kFirstTimeoutMs;
};

}  // namespace

int GetSiteSurvey(CLANDAPObj& camera, uint16_t sequence, _YOVSiteSurveyStation* stations,
                  int& count) {
  auto list = SurveyReader(camera, sequence).Read();
  if (!list) return kOpFailed;
  const int n = static_cast<int>(list->size());
  if (count < n) {
    count = n;
    return kOpSmallBuffer;
  }
  for (int i = 0; i < n; ++i) FillStationRecord((*list)[i], stations[i]);
  count = n;
  return kOpOk;
}

}  // namespace yov
