// POSIX sockets behind the library's socket layer. Sockets stay blocking with receive and send
// time-outs of one wait slice: a command costs the same system calls as a plain blocking
// socket, and a wait still looks at its stop flag every slice.
#include "platform/net.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

namespace vorn::net {

namespace {
thread_local int saved_error = 0;

bool fail(int err)
{
    saved_error = err;
    return false;
}

bool stopped(const std::atomic<bool> *stop)
{
    if (stop && stop->load(std::memory_order_acquire)) {
        saved_error = ECANCELED;
        return true;
    }
    return false;
}
} // namespace

bool startup() { return true; }

socket_t open_tcp()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        saved_error = errno;
        return invalid_socket;
    }
    timeval slice {};
    slice.tv_usec = wait_slice_ms * 1000;
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &slice, sizeof slice);
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &slice, sizeof slice);
    return fd;
}

void close(socket_t s)
{
    if (s >= 0)
        ::close(static_cast<int>(s));
}

void shutdown(socket_t s)
{
    if (s >= 0)
        ::shutdown(static_cast<int>(s), SHUT_RDWR);
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
    if (::setsockopt(static_cast<int>(s), SOL_SOCKET, name, &value, sizeof value) == 0)
        return true;
    return fail(errno);
}

bool connect_ipv4(socket_t s, const char *ip, std::uint16_t port, int timeout_ms, const std::atomic<bool> *stop)
{
    sockaddr_in addr {};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port);
    if (!ip || ::inet_pton(AF_INET, ip, &addr.sin_addr) != 1)
        return fail(EINVAL);
    if (s < 0)
        return fail(EBADF);
    const int fd = static_cast<int>(s);
    // Non-blocking connect so an unreachable address cannot stall the caller for minutes.
    const int flags = ::fcntl(fd, F_GETFL, 0);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) < 0)
        return fail(errno);
    int err = 0;
    if (::connect(fd, reinterpret_cast<const sockaddr *>(&addr), sizeof addr) < 0)
        err = errno;
    if (err == EINPROGRESS) {
        err = ETIMEDOUT;
        for (int waited = 0; waited < timeout_ms; waited += wait_slice_ms) {
            if (stopped(stop)) {
                err = ECANCELED;
                break;
            }
            pollfd p { fd, POLLOUT, 0 };
            const int rc = ::poll(&p, 1, wait_slice_ms);
            if (rc < 0 && errno != EINTR) {
                err = errno;
                break;
            }
            if (rc > 0) {
                socklen_t len = sizeof err;
                if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len) != 0)
                    err = errno;
                break;
            }
        }
    }
    ::fcntl(fd, F_SETFL, flags);
    if (err != 0 && stopped(stop))
        return false;  // the shutdown that woke the wait is not the reason
    return err == 0 || fail(err);
}

bool send_all(socket_t s, const void *a, std::size_t alen, const void *b, std::size_t blen,
              const std::atomic<bool> *stop)
{
    if (s < 0)
        return fail(EBADF);
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
            const int err = errno;
            if (err != EINTR && err != EAGAIN && err != EWOULDBLOCK)
                return fail(err);
            if (stopped(stop))
                return false;
            continue;
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

long recv_some(socket_t s, void *buf, std::size_t len, const std::atomic<bool> *stop)
{
    if (s < 0) {
        saved_error = EBADF;
        return -1;
    }
    for (;;) {
        const ssize_t n = ::recv(static_cast<int>(s), buf, len, 0);
        if (n > 0)
            return static_cast<long>(n);
        if (n == 0) {
            saved_error = 0;  // an orderly close is no error: no older one may show for it
            return 0;
        }
        const int err = errno;
        if (err != EINTR && err != EAGAIN && err != EWOULDBLOCK) {
            saved_error = err;
            return -1;
        }
        if (stopped(stop))
            return -1;
    }
}

int last_error() { return saved_error; }
const char *error_text() { return std::strerror(saved_error); }
void set_not_connected() { saved_error = ENOTCONN; }

} // namespace vorn::net
