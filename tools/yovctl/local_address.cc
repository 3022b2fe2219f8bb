// The local side of a camera's link, as yovctl reports it.
#include <cstring>

#include "commands.h"

namespace yovctl {

void AddLocalAddress(Finder& finder, int index, nlohmann::json& camera) {
  _YOVThruInterface local;
  std::memset(&local, 0, sizeof local);
  if (YOVGetThruInterface(finder.get(), index, &local) == 0)
    camera["via"] = std::string(local.IpAddress, strnlen(local.IpAddress, sizeof local.IpAddress));
}

}  // namespace yovctl
