// single_instance.cc: flock on a per-title lock file and a Unix socket beside it.
#include "single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace torvel {
namespace {

bool FillAddress(const std::filesystem::path& path, sockaddr_un& address) {
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    const std::string text = path.string();
    if (text.size() >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, text.c_str(), text.size() + 1);
    return true;
}

// A folder that only we can write to.
bool IsPrivateFolder(const std::filesystem::path& folder) {
    struct stat info {};
    return ::lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() &&
           (info.st_mode & 022) == 0;
}

}  // namespace

std::filesystem::path RuntimeFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime && IsPrivateFolder(runtime)) return runtime;
    std::filesystem::path folder = "/tmp/torvel-" + std::to_string(::geteuid());
    ::mkdir(folder.c_str(), 0700);
    return folder;
}

std::string TitleKey(const std::string& title) {
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : title) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

CSingleInstance::CSingleInstance(std::filesystem::path folder) : m_folder(std::move(folder)) {}

CSingleInstance::~CSingleInstance() {
    if (m_listenFd >= 0) {
        ::shutdown(m_listenFd, SHUT_RDWR);  // wakes the accept of the serving thread
        if (m_thread.joinable()) m_thread.join();
        ::close(m_listenFd);
        ::unlink(m_socketPath.c_str());
    }
    if (m_lockFd >= 0) ::close(m_lockFd);
}

bool CSingleInstance::Acquire(const std::string& title) {
    if (!IsPrivateFolder(m_folder)) return true;
    const std::string key = TitleKey(title);
    m_lockPath = m_folder / ("torvel-" + key + ".lock");
    m_socketPath = m_folder / ("torvel-" + key + ".sock");
    m_lockFd = ::open(m_lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_lockFd < 0) return true;
    if (::flock(m_lockFd, LOCK_EX | LOCK_NB) == 0) return true;
    ::close(m_lockFd);
    m_lockFd = -1;
    return errno != EWOULDBLOCK;
}

bool CSingleInstance::Listen(std::function<void()> onShow) {
    if (m_lockFd < 0) return false;
    sockaddr_un address;
    if (!FillAddress(m_socketPath, address)) return false;
    ::unlink(m_socketPath.c_str());  // left by a wizard that died; we hold the lock
    m_listenFd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_listenFd < 0) return false;
    if (::bind(m_listenFd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(m_listenFd, 4) != 0) {
        ::close(m_listenFd);
        m_listenFd = -1;
        return false;
    }
    m_onShow = std::move(onShow);
    m_thread = std::thread([this] { Serve(); });
    return true;
}

void CSingleInstance::Serve() {
    for (;;) {
        const int peer = ::accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC);
        if (peer < 0) {
            if (errno == EINTR || errno == ECONNABORTED) continue;
            return;  // shut down
        }
        timeval limit{2, 0};
        ::setsockopt(peer, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
        char request[16] = {};
        const ssize_t got = ::recv(peer, request, sizeof request - 1, 0);
        if (got > 0 && std::strncmp(request, "show\n", 5) == 0) {
            if (m_onShow) m_onShow();
            ::send(peer, "ok\n", 3, MSG_NOSIGNAL);
        }
        ::close(peer);
    }
}

bool CSingleInstance::AskFirstToShow() {
    sockaddr_un address;
    if (m_socketPath.empty() || !FillAddress(m_socketPath, address)) return false;
    // The first wizard takes the lock before it listens: give it a moment.
    for (int attempt = 0; attempt < 30; ++attempt) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0) return false;
        if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
            timeval limit{5, 0};
            ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
            char answer[4] = {};
            const bool sent = ::send(fd, "show\n", 5, MSG_NOSIGNAL) == 5;
            const bool ok = sent && ::recv(fd, answer, 3, 0) == 3 && std::strncmp(answer, "ok\n", 3) == 0;
            ::close(fd);
            return ok;
        }
        ::close(fd);
        ::usleep(100 * 1000);
    }
    return false;
}

}  // namespace torvel
