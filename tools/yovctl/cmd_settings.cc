// yovctl verify / password / name / network / time: credentials, identity, addresses, clock.
#include <cstdio>
#include <cstring>
#include <ctime>

#include "cli.h"
#include "commands.h"
#include "set_result.h"

namespace yovctl {
namespace {

// "now", or "YYYY-MM-DD HH:MM:SS".
bool ParseTime(const std::string& text, _YOVCalendarTime& t) {
  if (text == "now") {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    t.Year = static_cast<uint16_t>(local.tm_year + 1900);
    t.Month = static_cast<uint16_t>(local.tm_mon + 1);
    t.Day = static_cast<uint16_t>(local.tm_mday);
    t.Hour = static_cast<uint16_t>(local.tm_hour);
    t.Minute = static_cast<uint16_t>(local.tm_min);
    t.Second = static_cast<uint16_t>(local.tm_sec);
    return true;
  }
  unsigned y, mo, d, h, mi, s;
  char tail;
  if (std::sscanf(text.c_str(), "%u-%u-%u %u:%u:%u%c", &y, &mo, &d, &h, &mi, &s, &tail) != 6)
    return false;
  if (y < 1970 || y > 2099 || mo < 1 || mo > 12 || d < 1 || d > 31 || h > 23 || mi > 59 || s > 59)
    return false;
  t = {static_cast<uint16_t>(y), static_cast<uint16_t>(mo), 0, static_cast<uint16_t>(d),
       static_cast<uint16_t>(h), static_cast<uint16_t>(mi), static_cast<uint16_t>(s), 0};
  return true;
}

std::string TimeText(const _YOVCalendarTime& t) {
  char text[48];
  std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", t.Year, t.Month, t.Day, t.Hour,
                t.Minute, t.Second);
  return text;
}

}  // namespace

int RunVerify(Cli& cli) {
  return WithCamera(cli, "verify MAC [--user U --password P]", 1, [&](Finder& finder, int index) {
    std::string user = cli.Value("user", "YOV_USER", "admin");
    switch (YOVFinderVerifyAuth(finder.get(), index)) {
      case 0:
        PrintResult(cli, {{"credentials", "accepted"}, {"user", user}});
        return kExitOk;
      case YOV_E_AUTH:
        return Fail(kExitFailed, "the camera refused the password of user '" + user + "'");
      case YOV_E_STATUS4:
        return Fail(kExitFailed, "the camera asks for its first password change before anything "
                                 "else; run: yovctl password MAC --new-password NEW");
      case YOV_E_VALUE2:
        return Fail(kExitFailed, "the camera refused the sign-in of user '" + user + "' (value 2)");
      default:
        return Fail(kExitFailed, "the camera did not answer the sign-in check");
    }
  });
}

int RunPassword(Cli& cli) {
  return WithCamera(cli, "password MAC --new-password P [--new-user U]", 1,
                    [&](Finder& finder, int index) {
    if (!cli.Has("new-password")) return Fail(kExitUsage, "password: --new-password is required");
    std::string user = cli.Value("new-user"), password = cli.Value("new-password");
    _YOVFinderResult result{};
    int rc = YOVChangeAdminPassword(finder.get(), index, user.empty() ? nullptr : user.c_str(),
                                    password.c_str(), &result, 0);
    return ReportSet(cli, "the administrator password", rc, result);
  });
}

int RunName(Cli& cli) {
  if (cli.args.size() == 2) {
    return WithCamera(cli, "name MAC [NEW-NAME]", 2, [&](Finder& finder, int index) {
      _YOVCamSettings record;
      if (!ReadRecord(finder, index, true, record))
        return Fail(kExitFailed, "the camera did not answer when its settings were read");
      if (!PutField(record.CameraName, cli.args[1]))
        return Fail(kExitUsage, "a camera name holds at most 63 bytes");
      _YOVFinderResult result{};
      int rc = YOVSetCameraInfo(finder.get(), index, &record, sizeof record, &result, 0);
      return ReportSet(cli, "the name", rc, result);
    });
  }
  return WithCamera(cli, "name MAC [NEW-NAME]", 1, [&](Finder& finder, int index) {
    _YOVCamSettings record;
    if (!ReadRecord(finder, index, true, record)) return Fail(kExitFailed, "the camera did not answer");
    PrintResult(cli, {{"name", TextOf(record.CameraName, sizeof record.CameraName)}});
    return kExitOk;
  });
}

int RunNetwork(Cli& cli) {
  const char* usage = "network MAC [--dhcp | --ip A --mask M [--gateway G] [--dns1 D] [--dns2 D]]";
  return WithCamera(cli, usage, 1, [&](Finder& finder, int index) {
    _YOVCamNetwork n;
    std::memset(&n, 0, sizeof n);
    if (YOVGetCameraNetwork(finder.get(), index, &n) != 0)
      return Fail(kExitFailed, "the camera did not answer when its addresses were read");
    bool change = cli.Has("dhcp") || cli.Has("ip");
    if (!change) {
      PrintResult(cli, {{"dhcp", n.DhcpEnabled != 0}, {"address", TextOf(n.IpAddress, 16)},
                        {"subnet_mask", TextOf(n.SubnetMask, 16)}, {"gateway", TextOf(n.Gateway, 16)},
                        {"primary_dns", TextOf(n.PrimaryDns, 16)},
                        {"secondary_dns", TextOf(n.SecondaryDns, 16)}});
      return kExitOk;
    }
    n.DhcpEnabled = cli.Has("dhcp") ? 1 : 0;
    if (cli.Has("ip")) {
      if (!cli.Has("mask")) return Fail(kExitUsage, "network: --ip needs --mask");
      struct { const char* option; char* field; } fields[] = {
          {"ip", n.IpAddress}, {"mask", n.SubnetMask}, {"gateway", n.Gateway},
          {"dns1", n.PrimaryDns}, {"dns2", n.SecondaryDns}};
      for (auto& f : fields) {
        std::string value = cli.Value(f.option, nullptr, "");
        if (value.size() > 15) return Fail(kExitUsage, std::string("--") + f.option + ": not an address");
        std::memset(f.field, 0, 16);
        std::memcpy(f.field, value.data(), value.size());
      }
    }
    if (YOVSetCameraNetwork(finder.get(), index, &n, 0, 0) != 0)
      return Fail(kExitFailed, "the camera did not accept the new addresses (no answer, a refusal "
                               "or refused credentials; check --user/--password)");
    PrintResult(cli, {{"changed", "addresses"}});
    return kExitOk;
  });
}

int RunTime(Cli& cli) {
  return WithCamera(cli, "time MAC [--set now|\"YYYY-MM-DD HH:MM:SS\"]", 1,
                    [&](Finder& finder, int index) {
    _YOVCamDatetime dt;
    std::memset(&dt, 0, sizeof dt);
    unsigned long size = sizeof dt;
    if (YOVGetCameraDatetime(finder.get(), index, &dt, &size) != 0)
      return Fail(kExitFailed, "the camera did not report its clock");
    if (!cli.Has("set")) {
      PrintResult(cli, {{"camera_time", TimeText(dt.CameraTime)},
                        {"time_text", TextOf(dt.TimeText, sizeof dt.TimeText)}});
      return kExitOk;
    }
    if (!ParseTime(cli.Value("set"), dt.CameraTime))
      return Fail(kExitUsage, "--set takes \"now\" or \"YYYY-MM-DD HH:MM:SS\"");
    _YOVFinderResult result{};
    int rc = YOVSetCameraDatetime(finder.get(), index, &dt, sizeof dt, &result, 0);
    return ReportSet(cli, "the clock", rc, result);
  });
}

}  // namespace yovctl
