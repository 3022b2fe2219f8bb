// Loading the cameras of a simulator from its JSON file.
#pragma once

#include <string>
#include <vector>

#include "camera.h"

namespace camsim {

// The file holds {"defaults": {...}, "cameras": [{...}, ...]} (or just the array of cameras);
// each camera is "defaults" merge-patched with its own object. Throws std::invalid_argument
// with the position of the faulty camera.
std::vector<Camera> LoadCameras(const std::string& path);
std::vector<Camera> CamerasFromJson(const nlohmann::json& config);

}  // namespace camsim
