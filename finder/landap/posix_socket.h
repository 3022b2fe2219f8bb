// UDP sockets on Linux, bound to a device so that broadcast replies are delivered.
#pragma once

#include "landap/env.h"

namespace yov {

std::unique_ptr<DatagramSocket> NewPosixDatagramSocket();

// Name of the interface whose IPv4 address is `address`, or "" when none has it.
std::string InterfaceOfAddress(Ipv4 address);

}  // namespace yov
