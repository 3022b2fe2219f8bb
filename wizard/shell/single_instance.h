// single_instance.h: one wizard per title: a lock keyed by the title in the user's runtime
// folder, and a socket next to it through which a second start asks the first to show itself.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <thread>

namespace torvel {

// The folder for the lock: $XDG_RUNTIME_DIR, else /tmp/torvel-<uid> (made private).
std::filesystem::path RuntimeFolder();
// Stable file-name key of a title (FNV-1a 64, hex).
std::string TitleKey(const std::string& title);

class CSingleInstance {
public:
    explicit CSingleInstance(std::filesystem::path folder = RuntimeFolder());
    ~CSingleInstance();
    CSingleInstance(const CSingleInstance&) = delete;
    CSingleInstance& operator=(const CSingleInstance&) = delete;

    // True when this process is the first wizard with `title` (it then holds the lock until it
    // ends). Also true when the folder cannot be used: the wizard then runs unguarded.
    bool Acquire(const std::string& title);
    // First instance: calls `onShow` (on a thread of its own) whenever a second start asks.
    bool Listen(std::function<void()> onShow);
    // Second instance: asks the first one to show its page again; false when it did not answer.
    bool AskFirstToShow();

private:
    void Serve();

    std::filesystem::path m_folder;
    std::filesystem::path m_lockPath, m_socketPath;
    int m_lockFd = -1;
    int m_listenFd = -1;
    std::function<void()> m_onShow;
    std::thread m_thread;
};

}  // namespace torvel
