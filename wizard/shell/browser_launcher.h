// browser_launcher.h: opens an address in the user's web browser ($BROWSER, else xdg-open).
#pragma once

#include <string>

namespace torvel {

// Starts the browser without waiting for it; false when no browser program could be started.
bool OpenInBrowser(const std::string& url);

}  // namespace torvel
