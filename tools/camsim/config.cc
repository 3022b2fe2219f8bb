// Reading the simulator's JSON configuration.
#include "config.h"

#include <fstream>
#include <stdexcept>

namespace camsim {

std::vector<Camera> CamerasFromJson(const nlohmann::json& config) {
  nlohmann::json defaults = nlohmann::json::object();
  const nlohmann::json* list = &config;
  if (config.is_object()) {
    if (config.contains("defaults")) defaults = config["defaults"];
    if (!config.contains("cameras")) throw std::invalid_argument("no \"cameras\" array");
    list = &config["cameras"];
  }
  if (!list->is_array()) throw std::invalid_argument("\"cameras\" must be an array");
  std::vector<Camera> cameras;
  for (size_t i = 0; i < list->size(); ++i) {
    nlohmann::json merged = defaults;
    merged.merge_patch((*list)[i]);
    try {
      cameras.push_back(CameraFromJson(merged));
    } catch (const std::exception& e) {
      throw std::invalid_argument("camera " + std::to_string(i) + ": " + e.what());
    }
    for (size_t k = 0; k + 1 < cameras.size(); ++k)
      if (cameras[k].mac == cameras.back().mac)
        throw std::invalid_argument("camera " + std::to_string(i) + ": duplicate mac");
  }
  return cameras;
}

std::vector<Camera> LoadCameras(const std::string& path) {
  std::ifstream in(path);
  if (!in) throw std::invalid_argument("cannot read " + path);
  nlohmann::json config = nlohmann::json::parse(in, nullptr, false, true);
  if (config.is_discarded()) throw std::invalid_argument(path + ": not valid JSON");
  return CamerasFromJson(config);
}

}  // namespace camsim
