// POSIX sockets behind the library's socket layer.
#include "platform/net.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace vorn::net {

bool startup() { return true; }
void cleanup() {}

socket_t open_tcp()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    return fd < 0 ? invalid_socket : fd;
}

void close(socket_t s)
{
    if (s >= 0)
        ::close(static_cast<int>(s));
}

bool set_option(socket_t s, option which, int value)
{
    int name = SO_REUSEADDR;
    switch (which) {
    case option::reuseaddr: name = SO_REUSEADDR; break;
    case option::rcvbuf: name = SO_RCVBUF; break;
    case option::sndbuf: name = SO_SNDBUF; break;
    case option::keepalive: name = SO_KEEPALIVE; break;
    }
    return ::setsockopt(static_cast<int>(s), SOL_SOCKET, name, &value, sizeof value) == 0;
}

bool connect_ipv4(socket_t s, const char *ip, std::uint16_t port, int timeout_ms)
{
    sockaddr_in addr {};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port);
    if (!ip || ::inet_pton(AF_INET, ip, &addr.sin_addr) != 1) {
        errno = EINVAL;
        return false;
    }
    const int fd = static_cast<int>(s);
    // Non-blocking connect so an unreachable address cannot stall the caller for minutes.
    const int flags = ::fcntl(fd, F_GETFL, 0);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) < 0)
        return false;
    int rc = ::connect(fd, reinterpret_cast<const sockaddr *>(&addr), sizeof addr);
    if (rc < 0 && errno == EINPROGRESS) {
        pollfd p { fd, POLLOUT, 0 };
        do {
            rc = ::poll(&p, 1, timeout_ms);
        } while (rc < 0 && errno == EINTR);
        if (rc == 0) {
            errno = ETIMEDOUT;
            rc = -1;
        } else if (rc > 0) {
            int err = 0;
            socklen_t len = sizeof err;
            ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len);
            if (err != 0) {
                errno = err;
                rc = -1;
            } else {
                rc = 0;
            }
        }
    }
    const int saved = errno;
    ::fcntl(fd, F_SETFL, flags);
    errno = saved;
    return rc == 0;
}

static bool wait_writable(int fd)
{
    pollfd p { fd, POLLOUT, 0 };
    int rc;
    do {
        rc = ::poll(&p, 1, -1);
    } while (rc < 0 && errno == EINTR);
    return rc > 0;
}

bool send_all(socket_t s, const void *a, std::size_t alen, const void *b, std::size_t blen)
{
    const int fd = static_cast<int>(s);
    iovec iov[2] = { { const_cast<void *>(a), alen }, { const_cast<void *>(b), blen } };
    int first = 0;
    const int count = blen ? 2 : 1;
    while (first < count) {
        msghdr msg {};
        msg.msg_iov = iov + first;
        msg.msg_iovlen = static_cast<std::size_t>(count - first);
        const ssize_t n = ::sendmsg(fd, &msg, MSG_NOSIGNAL);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            if ((errno == EAGAIN || errno == EWOULDBLOCK) && wait_writable(fd))
                continue;
            return false;
        }
        std::size_t done = static_cast<std::size_t>(n);
        while (first < count && done >= iov[first].iov_len) {
            done -= iov[first].iov_len;
            ++first;
        }
        if (first < count) {
            iov[first].iov_base = static_cast<char *>(iov[first].iov_base) + done;
            iov[first].iov_len -= done;
        }
    }
    return true;
}

long recv_some(socket_t s, void *buf, std::size_t len)
{
    for (;;) {
        const ssize_t n = ::recv(static_cast<int>(s), buf, len, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            pollfd p { static_cast<int>(s), POLLIN, 0 };
            if (::poll(&p, 1, -1) >= 0 || errno == EINTR)
                continue;
        }
        return static_cast<long>(n);
    }
}

int last_error() { return errno; }
const char *error_text() { return std::strerror(errno); }

} // namespace vorn::net
