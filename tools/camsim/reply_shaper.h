// Turns a handler's answer into the reply datagram, applying the camera's misbehaviours.
#pragma once

#include <cstdint>
#include <vector>

#include "behaviour.h"
#include "camera.h"
#include "request.h"

namespace camsim {

// Header: Magic 0xFEEE, the request's Sequence and Command, TargetMac = the camera's MAC,
// CameraAddress = its address, Status, HeaderVersion 1, PayloadLength = the payload's size;
// each then overridden by the behaviour (wrong magic, sequence offset, forced sizes...).
std::vector<uint8_t> ShapeDatagram(const Request& request, const Camera& camera,
                                   const Answer& answer, const Behaviour& behaviour);

}  // namespace camsim
