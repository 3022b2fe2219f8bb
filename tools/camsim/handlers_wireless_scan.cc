// Option codes and site survey: CmdGetOptionCmds, CmdStartSiteSurvey, CmdGetSiteSurvey, and the
// camera's WPS PIN (CmdGetWpsPin).
//
// Camera JSON: "option_codes": [166, 172, ...] (any codes; the finder keeps 166..201);
// "survey": [{"ssid", "signal", "mode", "encryption", "authentication", "channel"}, ...] sent
// in datagrams of 20 stations ("channel" is the channel number minus 1); the counter
// "surveys_started"; "wps_pin": "12345670".
#include "command_support.h"
#include "handler_table.h"
#include "landap/option_commands.h"
#include "landap/site_survey_payload.h"
#include "landap/wireless_status_payload.h"

namespace camsim {
namespace {

using nlohmann::json;

std::vector<Answer> GetOptionCmds(Camera& camera, const Request& request,
                                  const CommandOptions& options) {
  std::vector<uint16_t> codes;
  for (const json& c : camera.extra.value("option_codes", json::array()))
    codes.push_back(c.get<uint16_t>());
  return GetAnswer(camera, request, options, yov::EncodeOptionCodes(codes));
}

std::vector<Answer> StartSiteSurvey(Camera& camera, const Request& request,
                                    const CommandOptions& options) {
  return SetCommand(camera, request, options, [&] { Count(camera, "surveys_started"); });
}

yov::SurveyStation StationOf(const json& s) {
  yov::SurveyStation st;
  st.ssid = yov::MakeText<33>(s.value("ssid", std::string()).substr(0, 32));
  st.signal = s.value("signal", uint8_t{0});
  st.mode = s.value("mode", uint8_t{0});
  st.encryption = s.value("encryption", uint8_t{0});
  st.authentication = s.value("authentication", uint8_t{0});
  st.channel = s.value("channel", uint8_t{0});
  return st;
}

std::vector<Answer> GetSiteSurvey(Camera& camera, const Request& request,
                                  const CommandOptions& options) {
  if (auto refusal = CheckAccess(camera, request, options)) return {*refusal};
  std::vector<yov::SurveyStation> all;
  for (const json& s : camera.extra.value("survey", json::array())) all.push_back(StationOf(s));
  std::vector<Answer> answers;
  size_t at = 0;
  do {
    size_t n = std::min(yov::kStationsPerDatagram, all.size() - at);
    yov::SurveyPage page{{all.begin() + at, all.begin() + at + n}, 0};
    at += n;
    if (at < all.size()) page.mark = yov::kSurveyMoreFollows;
    answers.push_back({yov::kStatusOk, yov::EncodeSurveyPage(page)});
  } while (at < all.size());
  return answers;
}

std::vector<Answer> GetWpsPin(Camera& camera, const Request& request,
                              const CommandOptions& options) {
  auto pin = yov::EncodeWpsPin(camera.extra.value("wps_pin", std::string()));
  return GetAnswer(camera, request, options, {pin.begin(), pin.end()});
}

const RegisterHandler kGetOptionCmds{
    {yov::CmdGetOptionCmds, yov::kLandapPort, false, &GetOptionCmds}};
const RegisterHandler kStartSiteSurvey{
    {yov::CmdStartSiteSurvey, yov::kLandapPort, false, &StartSiteSurvey}};
const RegisterHandler kGetSiteSurvey{
    {yov::CmdGetSiteSurvey, yov::kLandapPort, false, &GetSiteSurvey}};
const RegisterHandler kGetWpsPin{{yov::CmdGetWpsPin, yov::kLandapPort, false, &GetWpsPin}};

}  // namespace
}  // namespace camsim
