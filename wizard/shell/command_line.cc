// command_line.cc: option parsing.
#include "command_line.h"

#include <string_view>

namespace torvel {

bool ParseCommandLine(int argc, const char* const* argv, CommandLine& options, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= argc) {
                error = std::string(arg) + " needs a value";
                return false;
            }
            out = argv[++i];
            return true;
        };
        std::string text;
        if (arg == "--no-browser") {
            options.noBrowser = true;
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--port") {
            if (!value(text)) return false;
            if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string::npos ||
                std::stoul(text) > 65535) {
                error = "--port needs a number from 0 to 65535";
                return false;
            }
            options.port = static_cast<std::uint16_t>(std::stoul(text));
        } else if (arg == "--adapter") {
            if (!value(options.adapters)) return false;
        } else if (arg == "--html") {
            if (!value(options.htmlDir)) return false;
        } else {
            error = "unknown option " + std::string(arg);
            return false;
        }
    }
    return true;
}

const char* UsageText() {
    return "usage: torvel [--no-browser] [--port N] [--adapter IFACES] [--html DIR]\n"
           "  --no-browser     print the wizard's address instead of opening the web browser\n"
           "  --port N         serve the wizard on 127.0.0.1:N (default: a free port)\n"
           "  --adapter IFACES search cameras only on these interfaces (comma-separated)\n"
           "  --html DIR       use DIR as the page folder\n";
}

}  // namespace torvel
