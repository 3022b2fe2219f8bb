// html_files.h: what the local server may read from the page folder, and the shim injection.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace torvel {

// The regular file under `root` that a URL path (still percent-encoded, without query) names,
// or nullopt: malformed escapes, "." or ".." segments, backslashes, NUL, the reserved
// "/__torvel/" space, configuration files, and anything whose real path (after symlinks)
// leaves the root.
std::optional<std::filesystem::path> ResolveInRoot(const std::filesystem::path& root, std::string_view urlPath);

std::string ContentTypeFor(const std::filesystem::path& file);

// The tags that load the dialog stylesheet, the viewer component and the shim.
std::string ShimTags();
// Inserts ShimTags() at the start of <head> (else after <html>, else at the very start).
std::string InjectShim(std::string_view html);

}  // namespace torvel
