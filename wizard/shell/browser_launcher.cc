// browser_launcher.cc: starts $BROWSER entries or xdg-open with the address.
#include "browser_launcher.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <sstream>
#include <thread>
#include <vector>

extern char** environ;

namespace torvel {
namespace {

bool Spawn(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (::posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return false;
    // Reap the launcher when it ends; browsers usually hand over to a running instance at once.
    std::thread([pid] {
        int status = 0;
        ::waitpid(pid, &status, 0);
    }).detach();
    return true;
}

// One $BROWSER entry: a command line where %s stands for the address (appended when absent).
std::vector<std::string> BrowserCommand(const std::string& entry, const std::string& url) {
    std::vector<std::string> args;
    std::istringstream words(entry);
    std::string word;
    bool placed = false;
    while (words >> word) {
        const auto at = word.find("%s");
        if (at != std::string::npos) {
            word.replace(at, 2, url);
            placed = true;
        }
        args.push_back(word);
    }
    if (!args.empty() && !placed) args.push_back(url);
    return args;
}

}  // namespace

bool OpenInBrowser(const std::string& url) {
    if (const char* browser = std::getenv("BROWSER"); browser && *browser) {
        std::istringstream entries(browser);
        std::string entry;
        while (std::getline(entries, entry, ':')) {
            const auto args = BrowserCommand(entry, url);
            if (!args.empty() && Spawn(args)) return true;
        }
    }
    return Spawn({"xdg-open", url});
}

}  // namespace torvel
