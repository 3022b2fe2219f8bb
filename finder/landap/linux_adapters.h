// The PC's IPv4 adapters as Linux reports them.
#pragma once

#include <string_view>
#include <vector>

#include "landap/env.h"

namespace yov {

// Up, broadcast-capable, non-loopback IPv4 interfaces in interface-index order.
std::vector<Adapter> ListSystemAdapters();

// Keeps the adapters named in a comma-separated list (YOV_ADAPTERS); an empty list keeps all.
std::vector<Adapter> FilterAdapters(std::vector<Adapter> adapters, std::string_view names);

}  // namespace yov
