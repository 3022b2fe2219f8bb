// command_line.h: the options of the torvel program.
#pragma once

#include <cstdint>
#include <string>

namespace torvel {

struct CommandLine {
    bool noBrowser = false;   // --no-browser: print the session address instead of opening it
    std::uint16_t port = 0;   // --port N: listen on this port (0: a free one)
    std::string adapters;     // --adapter IFACES: comma-separated interfaces (YOV_ADAPTERS)
    std::string htmlDir;      // --html DIR: page folder instead of the one beside the program
    bool help = false;
};

// False with `error` set for an unknown option or a bad value.
bool ParseCommandLine(int argc, const char* const* argv, CommandLine& options, std::string& error);
const char* UsageText();

}  // namespace torvel
