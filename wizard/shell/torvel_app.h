// torvel_app.h: the application object: folders, configuration, single instance, viewer
// component check, the server and window thread, the browser, and the wizard window's run.
#pragma once

#include <filesystem>
#include <string>

namespace torvel {

// The program file's folder, ending in '/'.
std::filesystem::path ProgramFolder();

class CTorvelApp {
public:
    // Runs the program; returns its exit code: 0 normal end (also for a second start),
    // 1 viewer component unusable or server failure, 2 bad command line.
    int Run(int argc, const char* const* argv);
};

}  // namespace torvel
