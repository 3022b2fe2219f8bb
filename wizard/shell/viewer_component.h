// viewer_component.h: the viewer component file beside the program (the script that turns
// page slots into the list, pickers and video surface) and its start-up check.
#pragma once

#include <filesystem>
#include <string>

namespace torvel {

inline constexpr const char* kViewerComponentFile = "vendolux.js";
// First line of a component of the interface this program speaks.
inline constexpr const char* kViewerSignature = "/* Vendolux viewer component, interface 1 */";

// Loads the component: it must be a readable regular file of at most 1 MiB, UTF-8 text
// without NUL bytes, whose first line is kViewerSignature. False when it cannot be used.
bool LoadViewerComponent(const std::filesystem::path& file, std::string& content);

}  // namespace torvel
