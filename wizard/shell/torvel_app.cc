// torvel_app.cc: start-up sequence of the wizard.
#include "torvel_app.h"

#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cstdlib>
#include <iostream>
#include <thread>

#include "browser_launcher.h"
#include "command_line.h"
#include "local_server.h"
#include "profile_reader.h"
#include "shim_assets.h"
#include "single_instance.h"
#include "start_window.h"
#include "viewer_component.h"
#include "web_control.h"
#include "window_loop.h"

#ifndef TORVEL_VERSION
#define TORVEL_VERSION "0.0.0"
#endif

namespace torvel {
namespace {

// SIGINT, SIGTERM and SIGHUP end the wizard like its exit button.
void WatchSignals(CWindowLoop& loop) {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &set, nullptr);  // before any thread starts: they inherit it
    const int fd = signalfd(-1, &set, SFD_CLOEXEC);
    if (fd < 0) return;
    std::thread([fd, &loop] {
        signalfd_siginfo info;
        if (read(fd, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) loop.Quit(0);
    }).detach();
}

std::filesystem::path PageFolder(const CommandLine& options) {
    std::filesystem::path folder = options.htmlDir.empty() ? ProgramFolder() / "Html" : std::filesystem::path(options.htmlDir);
    std::error_code ec;
    const auto absolute = std::filesystem::weakly_canonical(folder, ec);
    std::string text = (ec ? folder : absolute).string();
    if (text.empty() || text.back() != '/') text += '/';
    return text;
}

void ShowAddress(const CommandLine& options, const std::string& address) {
    if (options.noBrowser || !OpenInBrowser(address)) std::cout << address << std::endl;
}

}  // namespace

std::filesystem::path ProgramFolder() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path() : exe.parent_path();
}

int CTorvelApp::Run(int argc, const char* const* argv) {
    CommandLine options;
    std::string error;
    if (!ParseCommandLine(argc, argv, options, error) || options.help) {
        std::cerr << (options.help ? "" : "torvel: " + error + "\n") << UsageText();
        return options.help ? 0 : 2;
    }
    if (!options.adapters.empty()) ::setenv("YOV_ADAPTERS", options.adapters.c_str(), 1);

    const std::filesystem::path htmlDir = PageFolder(options);
    const std::filesystem::path configIni = htmlDir / "Config.ini";
    const std::string title = ReadProfileString(configIni, "System", "Title");

    CSingleInstance instance;
    if (!instance.Acquire(title)) {
        instance.AskFirstToShow();
        return 0;
    }

    ShimAssets assets{kShimJs, {}, kDialogsCss};
    if (!LoadViewerComponent(ProgramFolder() / kViewerComponentFile, assets.componentJs)) {
        std::cerr << MessageText(configIni, 52) << std::endl;
        return 1;
    }

    CSystemClock clock;
    CWindowLoop loop(clock);
    WatchSignals(loop);
    CWebControl host(loop, htmlDir.string());
    CLocalServer server(htmlDir, assets, host);
    if (!server.Start(options.port, error)) {
        std::cerr << "torvel: " << error << std::endl;
        return 1;
    }
    host.SetVideoRelay(&server);
    CStartWindow window(host, htmlDir, TORVEL_VERSION);
    host.SetHandler(&window);
    loop.Post([&] { window.Initialise(); });

    const std::string address = server.SessionAddress();
    ShowAddress(options, address);
    // A second start: show the wizard again (a new tab takes the page over).
    instance.Listen([&] { loop.Post([&] { ShowAddress(options, address); }); });

    const int code = loop.Run();
    server.Stop();
    host.SetHandler(nullptr);
    return code;
}

}  // namespace torvel
