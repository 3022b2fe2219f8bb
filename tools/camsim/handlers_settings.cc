// Settings family: CmdSetCameraInfo, the clock (CmdGetDatetime, CmdSetDatetime), CmdRestart,
// CmdFactoryReset and CmdCommit.
//
// Camera JSON: the clock is "clock_offset_s" / "fixed_time" of the core; "datetime": {"option1",
// "option2", "option3", "text"} holds the other date-time fields. Counters "restarts",
// "factory_resets" and "commits" show what the camera was asked to do.
#include <ctime>

#include "command_support.h"
#include "handler_table.h"
#include "landap/calendar_text.h"
#include "landap/camera_info_payload.h"
#include "landap/datetime_payload.h"

namespace camsim {
namespace {

// A settings block with a zero name and port carries only the address settings (the finder's
// address-only form): the camera then keeps its name, port and flags.
void ApplySettings(Camera& camera, const yov::CameraSettingsBlock& s) {
  bool addresses_only = s.camera_name[0] == 0 && s.http_port == 0;
  if (!addresses_only) {
    camera.name = TextOf(s.camera_name);
    camera.http_port = s.http_port;
    camera.flags = s.flags;
    camera.net_option = s.net_option;
  }
  camera.ip = s.ip_address;
  camera.mask = s.subnet_mask;
  camera.gateway = s.gateway;
  camera.dns1 = s.primary_dns;
  camera.dns2 = s.secondary_dns;
  camera.dhcp = s.dhcp;
}

std::vector<Answer> SetCameraInfo(Camera& camera, const Request& request,
                                  const CommandOptions& options) {
  return SetCommand(camera, request, options, [&] {
    ApplySettings(camera, yov::DecodeSettingsBlock(Fields(request, yov::kCameraSettingsBlockSize)));
  });
}

std::vector<Answer> GetDatetime(Camera& camera, const Request& request,
                                const CommandOptions& options) {
  const nlohmann::json& d = StateOf(camera, "datetime");
  yov::DatetimeBlock b;
  b.time_digits = yov::MakeText<16>(CameraTimeDigits(camera));
  b.option1 = d.value("option1", uint16_t{0});
  b.option2 = d.value("option2", uint8_t{0});
  b.option3 = d.value("option3", uint8_t{0});
  b.time_text = TextFrom<64>(d, "text");
  auto bytes = yov::EncodeDatetimeBlock(b);
  return GetAnswer(camera, request, options, {bytes.begin(), bytes.end()});
}

// Sets the camera clock to the 14 digits (local time), keeping it running.
void SetClock(Camera& camera, const yov::Text<16>& digits) {
  _YOVCalendarTime t{};
  yov::ReadDigitTime(digits.data(), digits.size(), t);
  tm local{};
  local.tm_year = t.Year - 1900;
  local.tm_mon = t.Month - 1;
  local.tm_mday = t.Day;
  local.tm_hour = t.Hour;
  local.tm_min = t.Minute;
  local.tm_sec = t.Second;
  local.tm_isdst = -1;
  camera.clock_offset_s = static_cast<int64_t>(mktime(&local) - time(nullptr));
  camera.fixed_time.clear();
}

std::vector<Answer> SetDatetime(Camera& camera, const Request& request,
                                const CommandOptions& options) {
  return SetCommand(camera, request, options, [&] {
    auto b = *yov::DecodeDatetimeBlock(Fields(request, yov::kDatetimeBlockSize));
    SetClock(camera, b.time_digits);
    camera.extra["datetime"] = {{"option1", b.option1}, {"option2", b.option2},
                                {"option3", b.option3}, {"text", TextOf(b.time_text)},
                                {"last_set", TextOf(b.time_digits)}};
  });
}

template <const char* kCounter>
std::vector<Answer> Counted(Camera& camera, const Request& request, const CommandOptions& options) {
  return SetCommand(camera, request, options, [&] { Count(camera, kCounter); });
}

constexpr char kRestarts[] = "restarts";
constexpr char kFactoryResets[] = "factory_resets";
constexpr char kCommits[] = "commits";

const RegisterHandler kSetCameraInfo{
    {yov::CmdSetCameraInfo, yov::kLandapPort, false, &SetCameraInfo}};
const RegisterHandler kGetDatetime{{yov::CmdGetDatetime, yov::kLandapPort, false, &GetDatetime}};
const RegisterHandler kSetDatetime{{yov::CmdSetDatetime, yov::kLandapPort, false, &SetDatetime}};
const RegisterHandler kRestart{{yov::CmdRestart, yov::kLandapPort, false, &Counted<kRestarts>}};
const RegisterHandler kFactoryReset{
    {yov::CmdFactoryReset, yov::kLandapPort, false, &Counted<kFactoryResets>}};
const RegisterHandler kCommit{{yov::CmdCommit, yov::kLandapPort, false, &Counted<kCommits>}};

}  // namespace
}  // namespace camsim
