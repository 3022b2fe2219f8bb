// The local side of a camera's link, as yovctl reports it.
#include "commands.h"

namespace yovctl {

void AddLocalAddress(Finder&, int, nlohmann::json&) {}

}  // namespace yovctl
