// POSIX implementation of the server's platform services.
#include "platform.h"

#include <arpa/inet.h>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace devserver::platform {

namespace {
volatile std::sig_atomic_t stop_flag = 0;
void on_stop(int) { stop_flag = 1; }
} // namespace

std::string listen_on(const std::string& addr, int& port, socket_t& out)
{
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(std::uint16_t(port));
    if (inet_pton(AF_INET, addr.c_str(), &sa.sin_addr) != 1)
        return "not an IPv4 address: " + addr;
    const int s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (s < 0)
        return std::string("socket: ") + std::strerror(errno);
    const int one = 1;
    ::setsockopt(s, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    if (::bind(s, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0 || ::listen(s, 64) != 0) {
        const std::string err = std::strerror(errno);
        ::close(s);
        return "cannot listen on " + addr + ":" + std::to_string(port) + ": " + err;
    }
    socklen_t len = sizeof sa;
    ::getsockname(s, reinterpret_cast<sockaddr*>(&sa), &len);
    port = ntohs(sa.sin_port);
    out = s;
    return {};
}

socket_t accept_one(socket_t listener, int timeout_ms, std::string& peer)
{
    pollfd p{int(listener), POLLIN, 0};
    if (::poll(&p, 1, timeout_ms) <= 0)
        return no_socket;
    sockaddr_in sa{};
    socklen_t len = sizeof sa;
    const int s = ::accept4(int(listener), reinterpret_cast<sockaddr*>(&sa), &len, SOCK_CLOEXEC);
    if (s < 0)
        return no_socket;
    const int one = 1;
    ::setsockopt(s, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    char ip[INET_ADDRSTRLEN] = "?";
    ::inet_ntop(AF_INET, &sa.sin_addr, ip, sizeof ip);
    peer = std::string(ip) + ":" + std::to_string(ntohs(sa.sin_port));
    return s;
}

long recv_some(socket_t s, char* buf, std::size_t n)
{
    for (;;) {
        const ssize_t r = ::recv(int(s), buf, n, 0);
        if (r < 0 && errno == EINTR)
            continue;
        return long(r);
    }
}

bool send_all(socket_t s, const char* data, std::size_t n)
{
    while (n > 0) {
        const ssize_t r = ::send(int(s), data, n, MSG_NOSIGNAL);
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            return false;
        data += r;
        n -= std::size_t(r);
    }
    return true;
}

void close_socket(socket_t s)
{
    if (s != no_socket)
        ::close(int(s));
}

void shutdown_socket(socket_t s)
{
    if (s != no_socket)
        ::shutdown(int(s), SHUT_RDWR);
}

void install_stop_handlers()
{
    struct sigaction sa{};
    sa.sa_handler = on_stop;
    sigemptyset(&sa.sa_mask);
    ::sigaction(SIGINT, &sa, nullptr);
    ::sigaction(SIGTERM, &sa, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

bool stop_requested() { return stop_flag != 0; }

bool write_file_atomic(const std::string& path, const std::string& data, std::string& err)
{
    const std::string tmp = path + ".tmp" + std::to_string(::getpid());
    const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        err = std::string("cannot write ") + path + ": " + std::strerror(errno);
        return false;
    }
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t w = ::write(fd, data.data() + done, data.size() - done);
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0) {
            err = std::string("cannot write ") + path + ": " + std::strerror(errno);
            ::close(fd);
            ::unlink(tmp.c_str());
            return false;
        }
        done += std::size_t(w);
    }
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    if (!synced || ::rename(tmp.c_str(), path.c_str()) != 0) {
        err = std::string("cannot write ") + path + ": " + std::strerror(errno);
        ::unlink(tmp.c_str());
        return false;
    }
    return true;
}

bool read_file(const std::string& path, std::string& data, std::string& err)
{
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        err = std::string("cannot read ") + path + ": " + std::strerror(errno);
        return false;
    }
    data.clear();
    char buf[65536];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        data.append(buf, n);
    const bool bad = std::ferror(f) != 0;
    std::fclose(f);
    if (bad) {
        err = "cannot read " + path;
        return false;
    }
    return true;
}

bool file_exists(const std::string& path)
{
    struct stat st{};
    return ::stat(path.c_str(), &st) == 0;
}

bool make_dirs(const std::string& path)
{
    std::string cur;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '/') {
            if (!cur.empty() && !file_exists(cur) && ::mkdir(cur.c_str(), 0755) != 0 && errno != EEXIST)
                return false;
        }
        if (i < path.size())
            cur += path[i];
    }
    struct stat st{};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string canonical_dir(const std::string& path)
{
    char* r = ::realpath(path.c_str(), nullptr);
    if (!r)
        return {};
    std::string s(r);
    std::free(r);
    return s;
}

std::size_t resident_bytes()
{
    std::FILE* f = std::fopen("/proc/self/statm", "r");
    if (!f)
        return 0;
    unsigned long size = 0, rss = 0;
    const int n = std::fscanf(f, "%lu %lu", &size, &rss);
    std::fclose(f);
    return n == 2 ? std::size_t(rss) * std::size_t(::sysconf(_SC_PAGESIZE)) : 0;
}

} // namespace devserver::platform
